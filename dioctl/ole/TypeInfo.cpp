#include "ole/TypeInfo.h"

#include <strings.h>

#include "ole/Registry.h"

namespace ole {

const MemberInfo* InterfaceInfo::Find(std::string_view memberName) const {
    for (const MemberInfo& m : members) {
        std::string_view n(m.name);
        if (n.size() == memberName.size() &&
            strncasecmp(n.data(), memberName.data(), n.size()) == 0)
            return &m;
    }
    return nullptr;
}

const MemberInfo* InterfaceInfo::Find(DISPID dispid) const {
    for (const MemberInfo& m : members)
        if (m.dispid == dispid) return &m;
    return nullptr;
}

std::string TypeLibInfo::Version() const {
    return std::to_string(major) + "." + std::to_string(minor);
}

namespace {

// The universal marshaler serves every dual interface.
constexpr const char* kOleAutomationMarshaler = "{00020424-0000-0000-C000-000000000046}";

std::string LibKey(const TypeLibInfo& lib) { return "TypeLib\\" + StringFromGUID(lib.libid); }

}  // namespace

HRESULT RegisterTypeLib(const TypeLibInfo& lib, const std::string& modulePath) {
    const std::string libKey = LibKey(lib);
    const std::string verKey = libKey + "\\" + lib.Version();
    std::vector<std::pair<std::string, std::string>> values = {
        {verKey, lib.name},
        {verKey + "\\FLAGS", "0"},
        {verKey + "\\0\\linux", modulePath},
    };
    for (const InterfaceInfo* itf : lib.interfaces) {
        const std::string key = "Interface\\" + StringFromGUID(itf->iid);
        values.emplace_back(key, itf->name);
        values.emplace_back(key + "\\ProxyStubClsid32", kOleAutomationMarshaler);
        values.emplace_back(key + "\\TypeLib", StringFromGUID(lib.libid));
        values.emplace_back(key + "\\TypeLib\\Version", lib.Version());
    }
    HRESULT hr = RegSetValues(values);
    return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

HRESULT UnRegisterTypeLib(const TypeLibInfo& lib) {
    std::vector<std::string> keys = {LibKey(lib)};
    for (const InterfaceInfo* itf : lib.interfaces)
        keys.push_back("Interface\\" + StringFromGUID(itf->iid));
    HRESULT hr = RegDeleteTrees(keys);
    return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

}  // namespace ole
