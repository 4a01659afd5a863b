// Late-bound calls: a client calls members by name, an object checks and
// converts the arguments against its interface description.
#pragma once

#include <string_view>
#include <vector>

#include "ole/Errors.h"
#include "ole/TypeInfo.h"
#include "ole/Unknown.h"
#include "ole/Variant.h"

namespace ole {

// Calls a member by name with its arguments in natural order; a failure
// raises the runtime error the object reported. A null object raises 91.
VARIANT CallByName(IDispatch* object, std::string_view name, uint16_t flags,
                   std::vector<VARIANT> args = {});

inline VARIANT CallMethod(IDispatch* object, std::string_view name,
                          std::vector<VARIANT> args = {}) {
    return CallByName(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(args));
}
inline VARIANT GetProperty(IDispatch* object, std::string_view name) {
    return CallByName(object, name, DISPATCH_PROPERTYGET);
}
inline void PutProperty(IDispatch* object, std::string_view name, VARIANT value) {
    CallByName(object, name, DISPATCH_PROPERTYPUT, {std::move(value)});
}
inline void PutRefProperty(IDispatch* object, std::string_view name, VARIANT value) {
    CallByName(object, name, DISPATCH_PROPERTYPUTREF, {std::move(value)});
}

// Object side: GetIDsOfNames over an interface description.
HRESULT DispGetIDsOfNames(const InterfaceInfo& info, const char* const* names, unsigned count,
                          DISPID* ids);

// Object side: the arguments of one Invoke, checked against the member
// (count, named arguments) and converted by position in natural order.
class DispArgs {
public:
    DispArgs(const DISPPARAMS* params, unsigned* puArgErr) : m_params(params), m_argErr(puArgErr) {}
    // Checks the argument count for a method call or a property put.
    HRESULT Check(const MemberInfo& member, uint16_t flags) const;
    unsigned Count() const { return m_params ? m_params->cArgs : 0; }

    // The argument at a natural position, as given (references not followed).
    const VARIANT& At(unsigned index) const;
    HRESULT I2(unsigned index, int16_t& out) const;
    HRESULT UI1(unsigned index, uint8_t& out) const;
    HRESULT Bool(unsigned index, VARIANT_BOOL& out) const;
    HRESULT Dispatch(unsigned index, IDispatch*& out) const;

private:
    HRESULT Fail(unsigned index, HRESULT hr) const;
    const DISPPARAMS* m_params;
    unsigned* m_argErr;
};

}  // namespace ole
