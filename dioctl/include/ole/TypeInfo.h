// Type library descriptions: interfaces with their members in interface
// order, coclasses, and their registration in the registry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ole/Guid.h"
#include "ole/Types.h"

namespace ole {

struct ParamInfo {
    const char* name;
    VARTYPE vt;  // VT_VARIANT for a variant parameter
    bool byRef;
};

// One member; a property lists every way it can be invoked in invokeKinds
// (DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT ...) and its value type in vt.
struct MemberInfo {
    const char* name;
    DISPID dispid;
    uint16_t invokeKinds;
    std::vector<ParamInfo> params;
    VARTYPE vt;  // result of a method (VT_EMPTY for none), type of a property
};

struct InterfaceInfo {
    const char* name;
    IID iid;
    bool dual;
    bool hidden;
    std::vector<MemberInfo> members;

    // Names compare without case, as automation clients expect.
    const MemberInfo* Find(std::string_view memberName) const;
    const MemberInfo* Find(DISPID dispid) const;
};

struct CoClassInfo {
    const char* name;
    CLSID clsid;
    const InterfaceInfo* defaultInterface;
};

struct TypeLibInfo {
    const char* name;
    GUID libid;
    uint16_t major;
    uint16_t minor;
    std::vector<const InterfaceInfo*> interfaces;
    std::vector<CoClassInfo> coclasses;

    std::string Version() const;  // "1.0"
};

// Writes the library's and its interfaces' keys; modulePath is the file that
// holds the library.
HRESULT RegisterTypeLib(const TypeLibInfo& lib, const std::string& modulePath);
HRESULT UnRegisterTypeLib(const TypeLibInfo& lib);

}  // namespace ole
