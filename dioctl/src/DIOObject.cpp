#include "DIOObject.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "ole/Dispatch.h"

namespace dioctl {

using namespace ole;

std::atomic<long> g_serverRefs{0};

namespace {

constexpr const char* kSource = "dioctl.DIO";

// A runtime error as a result code: minus its number, within Integer.
int16_t ErrorCode(const RuntimeError& e) {
    return static_cast<int16_t>(-std::clamp(std::abs(e.Number()), 1, 32768));
}

// Runs one operation for a vtable caller: runtime errors become their codes
// and the thread's error information.
template <class F>
HRESULT Guard(F&& f) {
    try {
        f();
        return S_OK;
    } catch (const RuntimeError& e) {
        SetErrorInfo(e.Number(), e.Description(), kSource);
        return HResultFromError(e.Number());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace

DIOObject::DIOObject() { ++g_serverRefs; }

DIOObject::~DIOObject() { --g_serverRefs; }

HRESULT DIOObject::QueryInterface(const IID& riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__DIO) {
        *ppv = static_cast<_DIO*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

uint32_t DIOObject::AddRef() { return ++m_refs; }

uint32_t DIOObject::Release() {
    uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT DIOObject::GetTypeInfoCount(unsigned* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

HRESULT DIOObject::GetTypeInfo(unsigned iTInfo, const InterfaceInfo** ppTInfo) {
    if (!ppTInfo) return E_POINTER;
    if (iTInfo != 0) return DISP_E_BADINDEX;
    *ppTInfo = &DIOInterface();
    return S_OK;
}

HRESULT DIOObject::GetIDsOfNames(const char* const* rgszNames, unsigned cNames, DISPID* rgDispId) {
    return DispGetIDsOfNames(DIOInterface(), rgszNames, cNames, rgDispId);
}

// ---- operations ----

void DIOObject::DoOwnerControl(bool mode) {
    if (!m_muteObject) return;
    // Hold the arbiter: it may drop itself from this object during the call.
    ComPtr<IDispatch> arbiter = m_muteObject;
    if (mode)
        CallMethod(arbiter.Get(), "SetOwner",
                   {VARIANT::ByRef(&m_ownerIndex), VARIANT::I2(kOwnerMode)});
    else
        CallMethod(arbiter.Get(), "FreeOwner");
}

void DIOObject::DoLetOwnerIndex(const VARIANT& value) {
    VARIANT v = value.Deref();
    if (v.vt() == VT_DISPATCH) {
        // Assigning an object by value takes its default value.
        if (!v.pdispVal()) throw RuntimeError(kErrObjectNotSet);
        DISPPARAMS none;
        VARIANT result;
        EXCEPINFO info;
        HRESULT hr = v.pdispVal()->Invoke(DISPID_VALUE, DISPATCH_PROPERTYGET, &none, &result, &info,
                                          nullptr);
        if (FAILED(hr)) throw ErrorFromInvoke(hr, info);
        v = std::move(result);
    }
    m_ownerIndex = std::move(v);
}

void DIOObject::DoSetOwnerIndex(const VARIANT& value) {
    VARIANT v = value.Deref();
    if (v.vt() != VT_DISPATCH) throw RuntimeError(kErrObjectRequired);
    m_ownerIndex = std::move(v);
}

int32_t DIOObject::DoWriteIO(int16_t relay, VARIANT_BOOL state) {
    int32_t result = 0;
    // Runtime errors stay inside; they come back as minus their number so
    // that a failure never reads as success.
    try {
        DoOwnerControl(true);
        const int device = relay > 7 ? kRelaysHigh : kRelaysLow;
        const int bit = relay > 7 ? relay - 8 : relay;
        if (m_portType == kPortI2C) result = m_bus.ChangeDeviceBit(state, bit, device);
    } catch (const RuntimeError& e) {
        result = ErrorCode(e);
    }
    try {
        DoOwnerControl(false);
    } catch (const RuntimeError& e) {
        if (result >= 0) result = ErrorCode(e);
    }
    return result;
}

int16_t DIOObject::DoReadI2CPort(const VARIANT& address) {
    int32_t result = 0;
    try {
        DoOwnerControl(true);
        if (m_portType == kPortI2C) {
            int16_t a = 0;
            HRESULT hr = VariantToI2(address, a);
            if (FAILED(hr)) throw RuntimeError(ErrorFromHResult(hr));
            result = m_bus.ReadDevice(a);
        }
    } catch (const RuntimeError& e) {
        result = ErrorCode(e);
    }
    try {
        DoOwnerControl(false);
    } catch (const RuntimeError& e) {
        if (result >= 0) result = ErrorCode(e);
    }
    return static_cast<int16_t>(result);
}

int16_t DIOObject::DoReadIO(int16_t button) {
    int16_t result = 0;
    try {
        DoOwnerControl(true);
        const int device = button > 7 ? kButtonsHigh : kButtonsLow;
        const int bit = button > 7 ? button - 8 : button;
        const int16_t value = DoReadI2CPort(VARIANT::I2(static_cast<int16_t>(device)));
        result = value < 0 ? kReadIOFailed : static_cast<int16_t>(value & BitValue(bit));
    } catch (const RuntimeError&) {
        result = kReadIOFailed;
    }
    try {
        DoOwnerControl(false);
    } catch (const RuntimeError&) {
        result = kReadIOFailed;
    }
    return result;
}

int32_t DIOObject::DoSwitchAll(VARIANT_BOOL state) {
    DoOwnerControl(true);
    int32_t last = 0;
    for (int16_t relay = 0; relay < 16; ++relay) last = DoWriteIO(relay, state);
    DoOwnerControl(false);
    return last;
}

int16_t DIOObject::DoSetI2CBit(VARIANT_BOOL setBit, int16_t bitNumber, uint8_t address) {
    DoOwnerControl(true);
    int16_t result = 0;
    try {
        if (DoReadI2CPort(VARIANT::UI1(address)) < 0) throw RuntimeError(kErrOverflow);
        if (m_portType == kPortI2C)
            result = static_cast<int16_t>(m_bus.ChangeDeviceBit(setBit, bitNumber, address));
    } catch (...) {
        // The port is given back on the failure path too, or nobody else
        // could use it again.
        try {
            DoOwnerControl(false);
        } catch (...) {
        }
        throw;
    }
    DoOwnerControl(false);
    return result;
}

// ---- _DIO ----

HRESULT DIOObject::get_MuteObject(IDispatch** value) {
    if (!value) return E_POINTER;
    *value = m_muteObject.Get();
    if (*value) (*value)->AddRef();
    return S_OK;
}

HRESULT DIOObject::putref_MuteObject(IDispatch** value) {
    if (!value) return E_POINTER;
    m_muteObject = ComPtr<IDispatch>(*value);
    return S_OK;
}

HRESULT DIOObject::get_mOwnerIndex(VARIANT* value) {
    if (!value) return E_POINTER;
    return Guard([&] { *value = m_ownerIndex; });
}

HRESULT DIOObject::put_mOwnerIndex(const VARIANT& value) {
    return Guard([&] { DoLetOwnerIndex(value); });
}

HRESULT DIOObject::putref_mOwnerIndex(const VARIANT& value) {
    return Guard([&] { DoSetOwnerIndex(value); });
}

HRESULT DIOObject::OwnerControl(VARIANT_BOOL* Mode) {
    if (!Mode) return E_POINTER;
    return Guard([&] { DoOwnerControl(*Mode != 0); });
}

HRESULT DIOObject::InitPort(int16_t IOType, int16_t* result) {
    if (!result) return E_POINTER;
    m_portType = IOType;
    *result = (IOType == 3 || IOType == 4) ? -1 : 0;
    return S_OK;
}

HRESULT DIOObject::WriteIO(int16_t Relay, VARIANT_BOOL State, int32_t* result) {
    if (!result) return E_POINTER;
    return Guard([&] { *result = DoWriteIO(Relay, State); });
}

HRESULT DIOObject::ReadIO(int16_t Button, int16_t* result) {
    if (!result) return E_POINTER;
    return Guard([&] { *result = DoReadIO(Button); });
}

HRESULT DIOObject::ReadI2CPort(VARIANT* I2CAddr, int16_t* result) {
    if (!I2CAddr || !result) return E_POINTER;
    return Guard([&] { *result = DoReadI2CPort(*I2CAddr); });
}

HRESULT DIOObject::CloseAll(int32_t* result) {
    if (!result) return E_POINTER;
    return Guard([&] { *result = DoSwitchAll(VARIANT_FALSE); });
}

HRESULT DIOObject::OpenAll(int32_t* result) {
    if (!result) return E_POINTER;
    return Guard([&] { *result = DoSwitchAll(VARIANT_TRUE); });
}

HRESULT DIOObject::SetI2C_Bit(VARIANT_BOOL SetBit, int16_t BitNumber, uint8_t I2C_addr,
                              int16_t* result) {
    if (!result) return E_POINTER;
    return Guard([&] { *result = DoSetI2CBit(SetBit, BitNumber, I2C_addr); });
}

// ---- late binding ----

HRESULT DIOObject::Invoke(DISPID dispIdMember, uint16_t wFlags, DISPPARAMS* pDispParams,
                          VARIANT* pVarResult, EXCEPINFO* pExcepInfo, unsigned* puArgErr) {
    const MemberInfo* member = DIOInterface().Find(dispIdMember);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    // Property puts win over gets; a method may be called as a get.
    uint16_t kind = 0;
    if (wFlags & member->invokeKinds & DISPATCH_PROPERTYPUTREF)
        kind = DISPATCH_PROPERTYPUTREF;
    else if (wFlags & member->invokeKinds & DISPATCH_PROPERTYPUT)
        kind = DISPATCH_PROPERTYPUT;
    else if (wFlags & member->invokeKinds & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))
        kind = member->invokeKinds & (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    else if ((member->invokeKinds & DISPATCH_METHOD) && (wFlags & DISPATCH_PROPERTYGET))
        kind = DISPATCH_METHOD;
    if (!kind) return DISP_E_MEMBERNOTFOUND;
    DispArgs args(pDispParams, puArgErr);
    if (HRESULT hr = args.Check(*member, kind); FAILED(hr)) return hr;
    try {
        return InvokeMember(*member, kind, pDispParams, pVarResult, puArgErr);
    } catch (const RuntimeError& e) {
        if (pExcepInfo) {
            FillExcepInfo(RuntimeError(e.Number(), e.Description(), kSource), *pExcepInfo);
            return DISP_E_EXCEPTION;
        }
        return HResultFromError(e.Number());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT DIOObject::InvokeMember(const MemberInfo& member, uint16_t kind, const DISPPARAMS* params,
                                VARIANT* result, unsigned* argErr) {
    DispArgs args(params, argErr);
    VARIANT out;
    HRESULT hr = S_OK;
    switch (member.dispid) {
        case DISPID_DIO_MuteObject:
            if (kind == DISPATCH_PROPERTYPUTREF) {
                IDispatch* d = nullptr;
                if (FAILED(hr = args.Dispatch(0, d))) return hr;
                m_muteObject = ComPtr<IDispatch>(d);
                return S_OK;
            }
            out = VARIANT::Dispatch(m_muteObject.Get());
            break;
        case DISPID_DIO_mOwnerIndex:
            if (kind == DISPATCH_PROPERTYPUTREF) {
                DoSetOwnerIndex(args.At(0));
                return S_OK;
            }
            if (kind == DISPATCH_PROPERTYPUT) {
                DoLetOwnerIndex(args.At(0));
                return S_OK;
            }
            out = m_ownerIndex;
            break;
        case DISPID_DIO_OwnerControl: {
            VARIANT_BOOL mode = 0;
            if (FAILED(hr = args.Bool(0, mode))) return hr;
            DoOwnerControl(mode != 0);
            break;
        }
        case DISPID_DIO_InitPort: {
            int16_t type = 0, r = 0;
            if (FAILED(hr = args.I2(0, type))) return hr;
            InitPort(type, &r);
            out = VARIANT::I2(r);
            break;
        }
        case DISPID_DIO_WriteIO: {
            int16_t relay = 0;
            VARIANT_BOOL state = 0;
            if (FAILED(hr = args.I2(0, relay)) || FAILED(hr = args.Bool(1, state))) return hr;
            out = VARIANT::I4(DoWriteIO(relay, state));
            break;
        }
        case DISPID_DIO_ReadIO: {
            int16_t button = 0;
            if (FAILED(hr = args.I2(0, button))) return hr;
            out = VARIANT::I2(DoReadIO(button));
            break;
        }
        case DISPID_DIO_ReadI2CPort:
            // Converted inside, where a bad address is an absorbed error.
            out = VARIANT::I2(DoReadI2CPort(args.At(0)));
            break;
        case DISPID_DIO_CloseAll:
            out = VARIANT::I4(DoSwitchAll(VARIANT_FALSE));
            break;
        case DISPID_DIO_OpenAll:
            out = VARIANT::I4(DoSwitchAll(VARIANT_TRUE));
            break;
        case DISPID_DIO_SetI2C_Bit: {
            VARIANT_BOOL set = 0;
            int16_t bit = 0;
            uint8_t address = 0;
            if (FAILED(hr = args.Bool(0, set)) || FAILED(hr = args.I2(1, bit)) ||
                FAILED(hr = args.UI1(2, address)))
                return hr;
            out = VARIANT::I2(DoSetI2CBit(set, bit, address));
            break;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = std::move(out);
    return S_OK;
}

}  // namespace dioctl
