// The DIO class behind _DIO.
#pragma once

#include <atomic>

#include "NormalI2C.h"
#include "PortLibrary.h"
#include "dioctl/DIO.h"
#include "ole/ComPtr.h"
#include "ole/Errors.h"
#include "ole/TypeInfo.h"

namespace dioctl {

const ole::TypeLibInfo& TypeLibrary();
const ole::InterfaceInfo& DIOInterface();

// Port types set by InitPort.
constexpr int16_t kPortI2C = 1;
constexpr int16_t kPortNone = 3;

// Device addresses of the relay and button expanders.
constexpr int kRelaysLow = 64;
constexpr int kRelaysHigh = 66;
constexpr int kButtonsLow = 68;
constexpr int kButtonsHigh = 70;

// ReadIO's result when its device could not be read.
constexpr int16_t kReadIOFailed = -4;
// The mode SetOwner is asked for.
constexpr int16_t kOwnerMode = 2;

class DIOObject final : public _DIO {
public:
    DIOObject();
    DIOObject(const DIOObject&) = delete;
    DIOObject& operator=(const DIOObject&) = delete;

    // IUnknown
    ole::HRESULT QueryInterface(const ole::IID& riid, void** ppv) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    // IDispatch
    ole::HRESULT GetTypeInfoCount(unsigned* pctinfo) override;
    ole::HRESULT GetTypeInfo(unsigned iTInfo, const ole::InterfaceInfo** ppTInfo) override;
    ole::HRESULT GetIDsOfNames(const char* const* rgszNames, unsigned cNames,
                               ole::DISPID* rgDispId) override;
    ole::HRESULT Invoke(ole::DISPID dispIdMember, uint16_t wFlags, ole::DISPPARAMS* pDispParams,
                        ole::VARIANT* pVarResult, ole::EXCEPINFO* pExcepInfo,
                        unsigned* puArgErr) override;

    // _DIO
    ole::HRESULT get_MuteObject(ole::IDispatch** value) override;
    ole::HRESULT putref_MuteObject(ole::IDispatch** value) override;
    ole::HRESULT get_mOwnerIndex(ole::VARIANT* value) override;
    ole::HRESULT put_mOwnerIndex(const ole::VARIANT& value) override;
    ole::HRESULT putref_mOwnerIndex(const ole::VARIANT& value) override;
    ole::HRESULT OwnerControl(ole::VARIANT_BOOL* Mode) override;
    ole::HRESULT InitPort(int16_t IOType, int16_t* result) override;
    ole::HRESULT WriteIO(int16_t Relay, ole::VARIANT_BOOL State, int32_t* result) override;
    ole::HRESULT ReadIO(int16_t Button, int16_t* result) override;
    ole::HRESULT ReadI2CPort(ole::VARIANT* I2CAddr, int16_t* result) override;
    ole::HRESULT CloseAll(int32_t* result) override;
    ole::HRESULT OpenAll(int32_t* result) override;
    ole::HRESULT SetI2C_Bit(ole::VARIANT_BOOL SetBit, int16_t BitNumber, uint8_t I2C_addr,
                            int16_t* result) override;

private:
    ~DIOObject();

    // The operations themselves; they raise ole::RuntimeError.
    void DoOwnerControl(bool mode);
    void DoLetOwnerIndex(const ole::VARIANT& value);
    void DoSetOwnerIndex(const ole::VARIANT& value);
    int32_t DoWriteIO(int16_t relay, ole::VARIANT_BOOL state);
    int16_t DoReadIO(int16_t button);
    int16_t DoReadI2CPort(const ole::VARIANT& address);
    int32_t DoSwitchAll(ole::VARIANT_BOOL state);
    int16_t DoSetI2CBit(ole::VARIANT_BOOL setBit, int16_t bitNumber, uint8_t address);

    ole::HRESULT InvokeMember(const ole::MemberInfo& member, uint16_t kind,
                              const ole::DISPPARAMS* params, ole::VARIANT* result,
                              unsigned* argErr);

    std::atomic<uint32_t> m_refs{1};
    ole::ComPtr<ole::IDispatch> m_muteObject;
    ole::VARIANT m_ownerIndex;
    int16_t m_portType = kPortI2C;
    PortLibrary m_port;
    NormalI2C m_bus{m_port};
};

// Live objects and server locks, for DllCanUnloadNow.
extern std::atomic<long> g_serverRefs;

}  // namespace dioctl
