// One point of a line.
#pragma once

#include <cstdint>

#include "grade/PieceTypes.h"

class P_LINE;

class P_POINT {
public:
    // Appends the new point to the end of the line, which then owns it. With
    // no line the point stands alone and belongs to the caller.
    P_POINT(P_LINE* line, const CPiecePoint& values);
    // Unlinks the point from its line first, so deleting any point is safe.
    ~P_POINT();
    P_POINT(const P_POINT&) = delete;
    P_POINT& operator=(const P_POINT&) = delete;

    P_LINE* GetLine() const { return m_line; }
    // The next point of the line, null after the last.
    P_POINT* GetNext() const { return m_next; }

    double GetX() const { return m_values.x; }
    double GetY() const { return m_values.y; }
    void SetX(double x, eMaintainApex apex);
    void SetY(double y, eMaintainApex apex);

    std::uint8_t GetAttribute() const { return m_values.attribute; }
    void SetAttribute(std::uint8_t attribute) { m_values.attribute = attribute; }

    // Gives the point the option unless it has it already; false for a type
    // outside 0 to 31.
    bool CheckAddPointOption(P_POINT_OPTION_TYPE type);
    bool HasPointOption(P_POINT_OPTION_TYPE type) const;
    void RemovePointOption(P_POINT_OPTION_TYPE type);

    const CPiecePoint& GetValues() const { return m_values; }

private:
    friend class P_LINE;

    P_LINE* m_line = nullptr;
    P_POINT* m_next = nullptr;
    CPiecePoint m_values;
};
