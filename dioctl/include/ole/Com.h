// Creating objects of registered in-process servers, and registering them.
#pragma once

#include <string>
#include <string_view>

#include "ole/ComPtr.h"
#include "ole/Guid.h"
#include "ole/Unknown.h"

namespace ole {

// Entry points every in-process server exports.
using DllGetClassObjectFn = HRESULT (*)(const CLSID& rclsid, const IID& riid, void** ppv);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);
HRESULT ProgIDFromCLSID(const CLSID& clsid, std::string* progId);
// Loads the class's server (once per process) and asks it for its factory.
HRESULT CoGetClassObject(const CLSID& clsid, const IID& riid, void** ppv);
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* pUnkOuter, const IID& riid, void** ppv);
// Unloads the servers that say they can go.
void CoFreeUnusedLibraries();

// A new object by programmatic identifier, through its automation
// interface; raises error 429 with the reason when it cannot be made.
ComPtr<IDispatch> CreateObject(std::string_view progId);

// Loads the server file and calls its DllRegisterServer / DllUnregisterServer.
HRESULT RegisterServer(const std::string& modulePath);
HRESULT UnregisterServer(const std::string& modulePath);

}  // namespace ole
