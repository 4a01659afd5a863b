// The object interfaces of the automation runtime: reference counting and
// interface queries, late-bound calls by dispatch identifier, class factories.
#pragma once

#include <string>

#include "ole/Guid.h"
#include "ole/Types.h"

namespace ole {

class VARIANT;
struct InterfaceInfo;

struct IUnknown {
    virtual HRESULT QueryInterface(const IID& riid, void** ppv) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Arguments of a late-bound call, last argument first; named arguments (only
// DISPID_PROPERTYPUT is used) come first in rgvarg.
struct DISPPARAMS {
    VARIANT* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    unsigned cArgs = 0;
    unsigned cNamedArgs = 0;
};

// What an object reports when a call ends with DISP_E_EXCEPTION.
struct EXCEPINFO {
    uint16_t wCode = 0;
    std::string bstrSource;
    std::string bstrDescription;
    HRESULT scode = S_OK;
};

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(unsigned* pctinfo) = 0;
    // Our type information is a plain description owned by the object's module.
    virtual HRESULT GetTypeInfo(unsigned iTInfo, const InterfaceInfo** ppTInfo) = 0;
    virtual HRESULT GetIDsOfNames(const char* const* rgszNames, unsigned cNames,
                                  DISPID* rgDispId) = 0;
    virtual HRESULT Invoke(DISPID dispIdMember, uint16_t wFlags, DISPPARAMS* pDispParams,
                           VARIANT* pVarResult, EXCEPINFO* pExcepInfo, unsigned* puArgErr) = 0;

protected:
    ~IDispatch() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* pUnkOuter, const IID& riid, void** ppv) = 0;
    virtual HRESULT LockServer(bool fLock) = 0;

protected:
    ~IClassFactory() = default;
};

}  // namespace ole
