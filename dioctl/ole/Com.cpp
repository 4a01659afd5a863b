#include "ole/Com.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "ole/Errors.h"
#include "ole/Registry.h"

namespace ole {

namespace {

struct Servers {
    std::mutex mutex;
    std::map<std::string, void*> loaded;  // module path -> handle
};

Servers& TheServers() {
    static Servers s;
    return s;
}

std::string ClassKey(const CLSID& clsid) { return "CLSID\\" + StringFromGUID(clsid); }

std::string DlError() {
    const char* e = dlerror();
    return e ? e : "unknown error";
}

// The module of a class, loaded once and kept until CoFreeUnusedLibraries.
HRESULT LoadServer(const std::string& path, void*& handle) {
    Servers& s = TheServers();
    std::lock_guard lock(s.mutex);
    if (auto it = s.loaded.find(path); it != s.loaded.end()) {
        handle = it->second;
        return S_OK;
    }
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        SetErrorInfo(kErrFileNotFound, "cannot load " + path + ": " + DlError());
        return CO_E_DLLNOTFOUND;
    }
    s.loaded.emplace(path, handle);
    return S_OK;
}

HRESULT CallEntry(const std::string& path, const char* entry) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        SetErrorInfo(kErrFileNotFound, "cannot load " + path + ": " + DlError());
        return CO_E_DLLNOTFOUND;
    }
    auto fn = reinterpret_cast<DllRegisterServerFn>(dlsym(h, entry));
    HRESULT hr = CO_E_ERRORINDLL;
    if (fn)
        hr = fn();
    else
        SetErrorInfo(kErrNoEntryPoint, path + " has no entry point " + entry);
    dlclose(h);
    return hr;
}

}  // namespace

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid) {
    if (!clsid) return E_POINTER;
    if (!RegistryFile::ValidKey(progId)) return CO_E_CLASSSTRING;
    std::string text;
    if (FAILED(RegQueryValue(std::string(progId) + "\\CLSID", text))) return CO_E_CLASSSTRING;
    std::optional<GUID> g = GUIDFromString(text);
    if (!g) return CO_E_CLASSSTRING;
    *clsid = *g;
    return S_OK;
}

HRESULT ProgIDFromCLSID(const CLSID& clsid, std::string* progId) {
    if (!progId) return E_POINTER;
    std::string text;
    if (FAILED(RegQueryValue(ClassKey(clsid) + "\\ProgID", text))) return REGDB_E_CLASSNOTREG;
    *progId = std::move(text);
    return S_OK;
}

HRESULT CoGetClassObject(const CLSID& clsid, const IID& riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    std::string path;
    if (FAILED(RegQueryValue(ClassKey(clsid) + "\\InprocServer32", path)) || path.empty()) {
        SetErrorInfo(kErrCantCreateObject, "class " + StringFromGUID(clsid) + " is not registered");
        return REGDB_E_CLASSNOTREG;
    }
    void* handle = nullptr;
    if (HRESULT hr = LoadServer(path, handle); FAILED(hr)) return hr;
    auto get = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!get) {
        SetErrorInfo(kErrNoEntryPoint, path + " has no entry point DllGetClassObject");
        return CO_E_ERRORINDLL;
    }
    return get(clsid, riid, ppv);
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* pUnkOuter, const IID& riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    ComPtr<IClassFactory> factory;
    HRESULT hr =
        CoGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Put()));
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(pUnkOuter, riid, ppv);
}

void CoFreeUnusedLibraries() {
    Servers& s = TheServers();
    std::lock_guard lock(s.mutex);
    for (auto it = s.loaded.begin(); it != s.loaded.end();) {
        auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(it->second, "DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK) {
            dlclose(it->second);
            it = s.loaded.erase(it);
        } else {
            ++it;
        }
    }
}

ComPtr<IDispatch> CreateObject(std::string_view progId) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid)))
        throw RuntimeError(kErrCantCreateObject,
                           "Can't create object: " + std::string(progId) + " is not registered");
    GetErrorInfo();
    ComPtr<IDispatch> object;
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, IID_IDispatch, reinterpret_cast<void**>(object.Put()));
    if (FAILED(hr)) {
        std::optional<RuntimeError> why = GetErrorInfo();
        throw RuntimeError(kErrCantCreateObject,
                           "Can't create object " + std::string(progId) +
                               (why ? ": " + why->Description() : std::string()));
    }
    return object;
}

HRESULT RegisterServer(const std::string& modulePath) {
    return CallEntry(modulePath, "DllRegisterServer");
}

HRESULT UnregisterServer(const std::string& modulePath) {
    return CallEntry(modulePath, "DllUnregisterServer");
}

}  // namespace ole
