// The in-process server: its class factory and the four entry points by
// which it registers itself and hands out DIO objects.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <new>
#include <string>

#include "DIOObject.h"
#include "ole/Registry.h"

namespace dioctl {

using namespace ole;

namespace {

class DIOFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives as long as the module; handing it out keeps the
    // module loaded.
    uint32_t AddRef() override { return static_cast<uint32_t>(++g_serverRefs); }
    uint32_t Release() override { return static_cast<uint32_t>(--g_serverRefs); }

    HRESULT CreateInstance(IUnknown* pUnkOuter, const IID& riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter) return CLASS_E_NOAGGREGATION;
        DIOObject* object = new (std::nothrow) DIOObject();
        if (!object) return E_OUTOFMEMORY;
        HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }
    HRESULT LockServer(bool fLock) override {
        fLock ? ++g_serverRefs : --g_serverRefs;
        return S_OK;
    }
};

DIOFactory g_factory;

std::string ModulePath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ModulePath), &info) || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved)) return resolved;
    return info.dli_fname;
}

std::string ClassKey() { return "CLSID\\" + StringFromGUID(CLSID_DIO); }

}  // namespace

}  // namespace dioctl

using namespace ole;

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(const CLSID& rclsid,
                                                                            const IID& riid,
                                                                            void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (rclsid != CLSID_DIO) return CLASS_E_CLASSNOTAVAILABLE;
    return dioctl::g_factory.QueryInterface(riid, ppv);
}

extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {
    return dioctl::g_serverRefs == 0 ? S_OK : S_FALSE;
}

extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterServer() {
    try {
        const std::string path = dioctl::ModulePath();
        if (path.empty()) return SELFREG_E_CLASS;
        const std::string cls = dioctl::ClassKey();
        const std::string clsid = StringFromGUID(CLSID_DIO);
        const std::string libid = StringFromGUID(LIBID_dioctl);
        const std::string version = dioctl::TypeLibrary().Version();
        HRESULT hr = RegSetValues({
            {kDioProgID, "DIO"},
            {std::string(kDioProgID) + "\\CLSID", clsid},
            {cls, "DIO"},
            {cls + "\\InprocServer32", path},
            {cls + "\\ProgID", kDioProgID},
            {cls + "\\Programmable", ""},
            {cls + "\\TypeLib", libid},
            {cls + "\\VERSION", version},
        });
        if (FAILED(hr)) return SELFREG_E_CLASS;
        return RegisterTypeLib(dioctl::TypeLibrary(), path);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

extern "C" __attribute__((visibility("default"))) HRESULT DllUnregisterServer() {
    try {
        HRESULT hr = RegDeleteTrees({kDioProgID, dioctl::ClassKey()});
        if (FAILED(hr)) return SELFREG_E_CLASS;
        return UnRegisterTypeLib(dioctl::TypeLibrary());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
