#include "grade/P_POINT.h"

#include "grade/P_LINE.h"

namespace {

bool IsValidOption(P_POINT_OPTION_TYPE type) {
    return type >= P_POINT_OPTION_FIRST && type <= P_POINT_OPTION_LAST;
}

std::uint32_t OptionBit(P_POINT_OPTION_TYPE type) { return std::uint32_t{1} << type; }

}  // namespace

P_POINT::P_POINT(P_LINE* line, const CPiecePoint& values) : m_values(values) {
    if (line) line->AppendPoint(this);
}

P_POINT::~P_POINT() {
    if (m_line) m_line->UnlinkPoint(this);
}

void P_POINT::SetX(double x, eMaintainApex /*apex*/) { m_values.x = x; }

void P_POINT::SetY(double y, eMaintainApex /*apex*/) { m_values.y = y; }

bool P_POINT::CheckAddPointOption(P_POINT_OPTION_TYPE type) {
    if (!IsValidOption(type)) return false;
    m_values.options |= OptionBit(type);
    return true;
}

bool P_POINT::HasPointOption(P_POINT_OPTION_TYPE type) const {
    return IsValidOption(type) && (m_values.options & OptionBit(type)) != 0;
}

void P_POINT::RemovePointOption(P_POINT_OPTION_TYPE type) {
    if (IsValidOption(type)) m_values.options &= ~OptionBit(type);
}
