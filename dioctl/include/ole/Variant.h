// Automation variants: the values that late-bound calls carry, including
// references to a caller's variable (by-reference arguments).
#pragma once

#include <string>

#include "ole/Types.h"
#include "ole/Unknown.h"

namespace ole {

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UI1 = 17,
    VT_BYREF = 0x4000
};

class VARIANT {
public:
    VARIANT() = default;
    VARIANT(const VARIANT& o);
    VARIANT(VARIANT&& o) noexcept;
    VARIANT& operator=(const VARIANT& o);
    VARIANT& operator=(VARIANT&& o) noexcept;
    ~VARIANT() { Clear(); }

    static VARIANT I2(int16_t v);
    static VARIANT I4(int32_t v);
    static VARIANT UI1(uint8_t v);
    static VARIANT R8(double v);
    static VARIANT Bool(bool v);
    static VARIANT BStr(std::string v);
    // Takes its own reference; a null pointer is the object Nothing.
    static VARIANT Dispatch(IDispatch* p);
    static VARIANT Error(HRESULT scode);
    static VARIANT Null();
    // References to a caller's variable; the target must outlive the call.
    static VARIANT ByRef(VARIANT* target);
    static VARIANT ByRefBool(VARIANT_BOOL* target);
    static VARIANT ByRefI2(int16_t* target);
    static VARIANT ByRefI4(int32_t* target);
    static VARIANT ByRefDispatch(IDispatch** target);

    VARTYPE vt() const { return m_vt; }
    bool IsByRef() const { return (m_vt & VT_BYREF) != 0; }
    bool IsEmpty() const { return m_vt == VT_EMPTY; }

    int16_t iVal() const { return m_u.i2; }
    int32_t lVal() const { return m_u.i4; }
    uint8_t bVal() const { return m_u.ui1; }
    double dblVal() const { return m_u.r8; }
    VARIANT_BOOL boolVal() const { return m_u.b; }
    HRESULT scode() const { return m_u.scode; }
    const std::string& bstrVal() const { return m_str; }
    IDispatch* pdispVal() const { return m_u.disp; }
    void* byref() const { return m_u.ref; }

    // The value a reference points at (one level); other variants as they are.
    VARIANT Deref() const;
    void Clear();

    // Same type and value; references compare by target.
    friend bool operator==(const VARIANT& a, const VARIANT& b);

private:
    VARTYPE m_vt = VT_EMPTY;
    union {
        int16_t i2;
        int32_t i4;
        uint8_t ui1;
        double r8;
        VARIANT_BOOL b;
        HRESULT scode;
        IDispatch* disp;
        void* ref;
    } m_u{};
    std::string m_str;
};

// Coercions under the automation runtime's rules: fractions round half to
// even, a value out of range gives DISP_E_OVERFLOW, a text must hold a number
// (booleans also take "True" and "False"), Null, errors and objects give
// DISP_E_TYPEMISMATCH, Empty is 0. References are followed.
HRESULT VariantToI2(const VARIANT& v, int16_t& out);
HRESULT VariantToI4(const VARIANT& v, int32_t& out);
HRESULT VariantToUI1(const VARIANT& v, uint8_t& out);
HRESULT VariantToR8(const VARIANT& v, double& out);
HRESULT VariantToBool(const VARIANT& v, VARIANT_BOOL& out);
// Empty and a null object give Nothing (null); the pointer is not AddRef'd.
HRESULT VariantToDispatch(const VARIANT& v, IDispatch*& out);
// Stores a value through a reference, converted to the target's type.
HRESULT VariantStoreRef(const VARIANT& ref, const VARIANT& value);
// Display form: numbers, "True"/"False", texts, "Empty", "Null", "Object", "Nothing".
std::string VariantToText(const VARIANT& v);

}  // namespace ole
