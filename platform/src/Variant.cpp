#include "platform/Variant.h"

#include <cstdio>
#include <cstdlib>

VARTYPE_ COleVariant::vt() const {
    static constexpr VARTYPE_ kTypes[] = {VT_EMPTY, VT_NULL, VT_I4,   VT_I8,
                                          VT_R8,    VT_BOOL, VT_BSTR, VT_DATE};
    return kTypes[m_v.index()];
}

CString COleVariant::ToString() const {
    switch (vt()) {
        case VT_I4:
            return CString::Formatted("%d", std::get<int32_t>(m_v));
        case VT_I8:
            return CString::Formatted("%lld", static_cast<long long>(std::get<int64_t>(m_v)));
        case VT_R8:
            return CString::Formatted("%.15g", std::get<double>(m_v));
        case VT_BOOL:
            return std::get<bool>(m_v) ? "TRUE" : "FALSE";
        case VT_BSTR:
            return std::get<CString>(m_v);
        case VT_DATE:
            return std::get<COleDateTime>(m_v).Format();
        default:
            return CString();
    }
}

bool COleVariant::ToDouble(double& out) const {
    switch (vt()) {
        case VT_I4:
            out = std::get<int32_t>(m_v);
            return true;
        case VT_I8:
            out = static_cast<double>(std::get<int64_t>(m_v));
            return true;
        case VT_R8:
            out = std::get<double>(m_v);
            return true;
        case VT_BOOL:
            out = std::get<bool>(m_v) ? -1 : 0;
            return true;
        case VT_BSTR: {
            CString s = std::get<CString>(m_v);
            s.Trim();
            if (s.IsEmpty()) return false;
            char* end = nullptr;
            out = std::strtod(s, &end);
            return end && *end == '\0';
        }
        default:
            return false;
    }
}

void COleSafeArray::Create(long rows, long cols) {
    if (rows < 0 || cols < 0) throw CSafeArrayBoundsError("negative safe array size");
    m_rows = rows;
    m_cols = cols;
    m_cells.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), COleVariant());
}

long COleSafeArray::GetLBound(long dim) const {
    if (dim != 1 && dim != 2) throw CSafeArrayBoundsError("no such dimension");
    return 0;
}

long COleSafeArray::GetUBound(long dim) const {
    if (dim == 1) return m_rows - 1;
    if (dim == 2) return m_cols - 1;
    throw CSafeArrayBoundsError("no such dimension");
}

size_t COleSafeArray::Index(long row, long col) const {
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        throw CSafeArrayBoundsError("subscript out of range");
    return static_cast<size_t>(row) * static_cast<size_t>(m_cols) + static_cast<size_t>(col);
}
