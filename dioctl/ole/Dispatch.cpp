#include "ole/Dispatch.h"

#include <string>
#include <strings.h>

namespace ole {

VARIANT CallByName(IDispatch* object, std::string_view name, uint16_t flags,
                   std::vector<VARIANT> args) {
    if (!object) throw RuntimeError(kErrObjectNotSet);
    const std::string member(name);
    const char* names[] = {member.c_str()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(names, 1, &id);
    if (FAILED(hr)) throw ErrorFromInvoke(hr, {});

    // Invoke takes the arguments last first.
    std::vector<VARIANT> reversed(std::make_move_iterator(args.rbegin()),
                                  std::make_move_iterator(args.rend()));
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr,
                      static_cast<unsigned>(reversed.size()), put ? 1u : 0u};
    VARIANT result;
    EXCEPINFO info;
    unsigned argErr = 0;
    hr = object->Invoke(id, flags, &params, put ? nullptr : &result, &info, &argErr);
    if (FAILED(hr)) throw ErrorFromInvoke(hr, info);
    return result;
}

HRESULT DispGetIDsOfNames(const InterfaceInfo& info, const char* const* names, unsigned count,
                          DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (unsigned i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const MemberInfo* m = names[0] ? info.Find(std::string_view(names[0])) : nullptr;
    if (!m) return DISP_E_UNKNOWNNAME;
    ids[0] = m->dispid;
    bool all = true;
    // Further names are parameter names; their identifiers are their positions.
    for (unsigned i = 1; i < count; ++i) {
        bool found = false;
        for (size_t p = 0; p < m->params.size() && names[i]; ++p) {
            if (strcasecmp(m->params[p].name, names[i]) == 0) {
                ids[i] = static_cast<DISPID>(p);
                found = true;
                break;
            }
        }
        all = all && found;
    }
    return all ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT DispArgs::Check(const MemberInfo& member, uint16_t flags) const {
    const unsigned named = m_params ? m_params->cNamedArgs : 0;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (Count() != 1) return DISP_E_BADPARAMCOUNT;
        if (named > 1 || (named == 1 && m_params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
            return DISP_E_PARAMNOTFOUND;
        return S_OK;
    }
    // Our members have no optional parameters and take no named arguments.
    if (named != 0) return DISP_E_PARAMNOTFOUND;
    if (Count() != member.params.size()) return DISP_E_BADPARAMCOUNT;
    return S_OK;
}

const VARIANT& DispArgs::At(unsigned index) const {
    return m_params->rgvarg[m_params->cArgs - 1 - index];
}

HRESULT DispArgs::Fail(unsigned index, HRESULT hr) const {
    if (FAILED(hr) && m_argErr) *m_argErr = m_params->cArgs - 1 - index;
    return hr;
}

HRESULT DispArgs::I2(unsigned index, int16_t& out) const {
    return Fail(index, VariantToI2(At(index), out));
}

HRESULT DispArgs::UI1(unsigned index, uint8_t& out) const {
    return Fail(index, VariantToUI1(At(index), out));
}

HRESULT DispArgs::Bool(unsigned index, VARIANT_BOOL& out) const {
    return Fail(index, VariantToBool(At(index), out));
}

HRESULT DispArgs::Dispatch(unsigned index, IDispatch*& out) const {
    return Fail(index, VariantToDispatch(At(index), out));
}

}  // namespace ole
