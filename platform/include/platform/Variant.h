// Automation variants and a two-dimensional, 0-based safe array of them: the
// shape in which spreadsheet ranges are read and written.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "platform/CString.h"
#include "platform/Time.h"

enum VARTYPE_ {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_I8 = 20
};

class COleVariant {
public:
    COleVariant() = default;
    COleVariant(int v) : m_v(static_cast<int32_t>(v)) {}
    COleVariant(long long v) : m_v(static_cast<int64_t>(v)) {}
    COleVariant(double v) : m_v(v) {}
    COleVariant(bool v) : m_v(v) {}
    COleVariant(const char* s) : m_v(CString(s)) {}
    COleVariant(const CString& s) : m_v(s) {}
    COleVariant(const COleDateTime& d) : m_v(d) {}
    static COleVariant Null() {
        COleVariant v;
        v.m_v = NullTag{};
        return v;
    }

    VARTYPE_ vt() const;
    bool IsEmpty() const { return vt() == VT_EMPTY; }
    // Text form of any value: numbers without trailing zeros, dates as
    // "YYYY-MM-DD HH:MM:SS", empty and null as "".
    CString ToString() const;
    // Number form; false when the value is not a number or numeric text.
    bool ToDouble(double& out) const;

    friend bool operator==(const COleVariant& a, const COleVariant& b) { return a.m_v == b.m_v; }

private:
    struct NullTag {
        bool operator==(const NullTag&) const { return true; }
    };
    std::variant<std::monostate, NullTag, int32_t, int64_t, double, bool, CString, COleDateTime>
        m_v;
};

// Bounds errors are reported as this exception (the automation runtime's
// "subscript out of range").
class CSafeArrayBoundsError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class COleSafeArray {
public:
    COleSafeArray() = default;
    COleSafeArray(long rows, long cols) { Create(rows, cols); }

    void Create(long rows, long cols);
    long GetDim() const { return 2; }
    // Dimension 1 is rows, 2 is columns; bounds are 0-based and inclusive.
    long GetLBound(long dim) const;
    long GetUBound(long dim) const;
    long Rows() const { return m_rows; }
    long Cols() const { return m_cols; }

    const COleVariant& GetElement(long row, long col) const { return m_cells[Index(row, col)]; }
    void PutElement(long row, long col, const COleVariant& v) { m_cells[Index(row, col)] = v; }

private:
    size_t Index(long row, long col) const;
    long m_rows = 0;
    long m_cols = 0;
    std::vector<COleVariant> m_cells;
};
