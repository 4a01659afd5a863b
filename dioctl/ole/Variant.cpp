#include "ole/Variant.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace ole {

VARIANT::VARIANT(const VARIANT& o) : m_vt(o.m_vt), m_u(o.m_u), m_str(o.m_str) {
    if (m_vt == VT_DISPATCH && m_u.disp) m_u.disp->AddRef();
}

VARIANT::VARIANT(VARIANT&& o) noexcept : m_vt(o.m_vt), m_u(o.m_u), m_str(std::move(o.m_str)) {
    o.m_vt = VT_EMPTY;
    o.m_u = {};
}

VARIANT& VARIANT::operator=(const VARIANT& o) {
    if (this != &o) {
        VARIANT copy(o);
        *this = std::move(copy);
    }
    return *this;
}

VARIANT& VARIANT::operator=(VARIANT&& o) noexcept {
    if (this != &o) {
        Clear();
        m_vt = o.m_vt;
        m_u = o.m_u;
        m_str = std::move(o.m_str);
        o.m_vt = VT_EMPTY;
        o.m_u = {};
    }
    return *this;
}

void VARIANT::Clear() {
    if (m_vt == VT_DISPATCH && m_u.disp) m_u.disp->Release();
    m_vt = VT_EMPTY;
    m_u = {};
    m_str.clear();
}

VARIANT VARIANT::I2(int16_t v) {
    VARIANT r;
    r.m_vt = VT_I2;
    r.m_u.i2 = v;
    return r;
}
VARIANT VARIANT::I4(int32_t v) {
    VARIANT r;
    r.m_vt = VT_I4;
    r.m_u.i4 = v;
    return r;
}
VARIANT VARIANT::UI1(uint8_t v) {
    VARIANT r;
    r.m_vt = VT_UI1;
    r.m_u.ui1 = v;
    return r;
}
VARIANT VARIANT::R8(double v) {
    VARIANT r;
    r.m_vt = VT_R8;
    r.m_u.r8 = v;
    return r;
}
VARIANT VARIANT::Bool(bool v) {
    VARIANT r;
    r.m_vt = VT_BOOL;
    r.m_u.b = v ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}
VARIANT VARIANT::BStr(std::string v) {
    VARIANT r;
    r.m_vt = VT_BSTR;
    r.m_str = std::move(v);
    return r;
}
VARIANT VARIANT::Dispatch(IDispatch* p) {
    VARIANT r;
    r.m_vt = VT_DISPATCH;
    r.m_u.disp = p;
    if (p) p->AddRef();
    return r;
}
VARIANT VARIANT::Error(HRESULT scode) {
    VARIANT r;
    r.m_vt = VT_ERROR;
    r.m_u.scode = scode;
    return r;
}
VARIANT VARIANT::Null() {
    VARIANT r;
    r.m_vt = VT_NULL;
    return r;
}

VARIANT VARIANT::ByRef(VARIANT* target) {
    VARIANT r;
    r.m_vt = VT_BYREF | VT_VARIANT;
    r.m_u.ref = target;
    return r;
}
VARIANT VARIANT::ByRefBool(VARIANT_BOOL* target) {
    VARIANT r;
    r.m_vt = VT_BYREF | VT_BOOL;
    r.m_u.ref = target;
    return r;
}
VARIANT VARIANT::ByRefI2(int16_t* target) {
    VARIANT r;
    r.m_vt = VT_BYREF | VT_I2;
    r.m_u.ref = target;
    return r;
}
VARIANT VARIANT::ByRefI4(int32_t* target) {
    VARIANT r;
    r.m_vt = VT_BYREF | VT_I4;
    r.m_u.ref = target;
    return r;
}
VARIANT VARIANT::ByRefDispatch(IDispatch** target) {
    VARIANT r;
    r.m_vt = VT_BYREF | VT_DISPATCH;
    r.m_u.ref = target;
    return r;
}

VARIANT VARIANT::Deref() const {
    if (!IsByRef() || !m_u.ref) return *this;
    switch (m_vt & ~VT_BYREF) {
        case VT_VARIANT:
            return *static_cast<const VARIANT*>(m_u.ref);
        case VT_BOOL:
            return Bool(*static_cast<const VARIANT_BOOL*>(m_u.ref) != 0);
        case VT_I2:
            return I2(*static_cast<const int16_t*>(m_u.ref));
        case VT_I4:
            return I4(*static_cast<const int32_t*>(m_u.ref));
        case VT_DISPATCH:
            return Dispatch(*static_cast<IDispatch* const*>(m_u.ref));
    }
    return {};
}

bool operator==(const VARIANT& a, const VARIANT& b) {
    if (a.m_vt != b.m_vt) return false;
    if (a.IsByRef()) return a.m_u.ref == b.m_u.ref;
    switch (a.m_vt) {
        case VT_EMPTY:
        case VT_NULL:
            return true;
        case VT_I2:
            return a.m_u.i2 == b.m_u.i2;
        case VT_I4:
            return a.m_u.i4 == b.m_u.i4;
        case VT_UI1:
            return a.m_u.ui1 == b.m_u.ui1;
        case VT_R8:
            return a.m_u.r8 == b.m_u.r8;
        case VT_BOOL:
            return a.m_u.b == b.m_u.b;
        case VT_ERROR:
            return a.m_u.scode == b.m_u.scode;
        case VT_BSTR:
            return a.m_str == b.m_str;
        case VT_DISPATCH:
            return a.m_u.disp == b.m_u.disp;
    }
    return false;
}

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Numeric text: decimal (with fraction and exponent) or &H hexadecimal.
HRESULT ParseNumber(std::string_view text, double& out) {
    std::string s(Trim(text));
    if (s.empty()) return DISP_E_TYPEMISMATCH;
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
        char* end = nullptr;
        errno = 0;
        unsigned long long v = std::strtoull(s.c_str() + 2, &end, 16);
        if (end != s.c_str() + s.size() || s[2] == '-' || s[2] == '+' || s[2] == ' ')
            return DISP_E_TYPEMISMATCH;
        if (errno == ERANGE || v > 0xFFFFFFFFull) return DISP_E_OVERFLOW;
        // Eight hex digits are a signed 32-bit value, four or fewer a 16-bit one.
        if (s.size() - 2 <= 4 && v > 0x7FFF)
            out = static_cast<double>(static_cast<int16_t>(v));
        else
            out = static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
        return S_OK;
    }
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size()) return DISP_E_TYPEMISMATCH;
    // strtod takes "inf" and "nan", automation texts do not.
    for (char c : s)
        if ((c < '0' || c > '9') && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
            return DISP_E_TYPEMISMATCH;
    if (!std::isfinite(v)) return DISP_E_OVERFLOW;
    out = v;
    return S_OK;
}

HRESULT ToDouble(const VARIANT& in, double& out) {
    VARIANT v = in.Deref();
    switch (v.vt()) {
        case VT_EMPTY:
            out = 0;
            return S_OK;
        case VT_I2:
            out = v.iVal();
            return S_OK;
        case VT_I4:
            out = v.lVal();
            return S_OK;
        case VT_UI1:
            out = v.bVal();
            return S_OK;
        case VT_R8:
            out = v.dblVal();
            return std::isnan(v.dblVal()) ? DISP_E_OVERFLOW : S_OK;
        case VT_BOOL:
            out = v.boolVal() ? -1 : 0;
            return S_OK;
        case VT_BSTR:
            return ParseNumber(v.bstrVal(), out);
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

// Rounds half to even and checks the range.
template <class T>
HRESULT ToInteger(const VARIANT& v, T& out) {
    double d = 0;
    HRESULT hr = ToDouble(v, d);
    if (FAILED(hr)) return hr;
    double r = std::nearbyint(d);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max())))
        return DISP_E_OVERFLOW;
    out = static_cast<T>(r);
    return S_OK;
}

}  // namespace

HRESULT VariantToI2(const VARIANT& v, int16_t& out) { return ToInteger(v, out); }
HRESULT VariantToI4(const VARIANT& v, int32_t& out) { return ToInteger(v, out); }
HRESULT VariantToUI1(const VARIANT& v, uint8_t& out) { return ToInteger(v, out); }
HRESULT VariantToR8(const VARIANT& v, double& out) { return ToDouble(v, out); }

HRESULT VariantToBool(const VARIANT& in, VARIANT_BOOL& out) {
    VARIANT v = in.Deref();
    if (v.vt() == VT_BSTR) {
        std::string_view t = Trim(v.bstrVal());
        if (EqualsNoCase(t, "true")) {
            out = VARIANT_TRUE;
            return S_OK;
        }
        if (EqualsNoCase(t, "false")) {
            out = VARIANT_FALSE;
            return S_OK;
        }
    }
    double d = 0;
    HRESULT hr = ToDouble(v, d);
    if (FAILED(hr)) return hr;
    out = d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT VariantToDispatch(const VARIANT& in, IDispatch*& out) {
    VARIANT v = in.Deref();
    if (v.vt() == VT_EMPTY) {
        out = nullptr;
        return S_OK;
    }
    if (v.vt() != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    out = v.pdispVal();
    return S_OK;
}

HRESULT VariantStoreRef(const VARIANT& ref, const VARIANT& value) {
    if (!ref.IsByRef() || !ref.byref()) return E_INVALIDARG;
    void* p = ref.byref();
    switch (ref.vt() & ~VT_BYREF) {
        case VT_VARIANT:
            *static_cast<VARIANT*>(p) = value.Deref();
            return S_OK;
        case VT_BOOL:
            return VariantToBool(value, *static_cast<VARIANT_BOOL*>(p));
        case VT_I2:
            return VariantToI2(value, *static_cast<int16_t*>(p));
        case VT_I4:
            return VariantToI4(value, *static_cast<int32_t*>(p));
        case VT_DISPATCH: {
            IDispatch* d = nullptr;
            HRESULT hr = VariantToDispatch(value, d);
            if (FAILED(hr)) return hr;
            IDispatch*& slot = *static_cast<IDispatch**>(p);
            if (d) d->AddRef();
            if (slot) slot->Release();
            slot = d;
            return S_OK;
        }
    }
    return DISP_E_TYPEMISMATCH;
}

std::string VariantToText(const VARIANT& in) {
    VARIANT v = in.Deref();
    char buf[64];
    switch (v.vt()) {
        case VT_EMPTY:
            return "Empty";
        case VT_NULL:
            return "Null";
        case VT_I2:
            return std::to_string(v.iVal());
        case VT_I4:
            return std::to_string(v.lVal());
        case VT_UI1:
            return std::to_string(v.bVal());
        case VT_R8:
            std::snprintf(buf, sizeof buf, "%.15g", v.dblVal());
            return buf;
        case VT_BOOL:
            return v.boolVal() ? "True" : "False";
        case VT_BSTR:
            return v.bstrVal();
        case VT_DISPATCH:
            return v.pdispVal() ? "Object" : "Nothing";
        case VT_ERROR:
            std::snprintf(buf, sizeof buf, "Error %d", v.scode());
            return buf;
    }
    return "?";
}

}  // namespace ole
