// Plain types of the piece model: modification codes, point options, apex
// handling and the value record a point is made from.
#pragma once

#include <cstdint>

// Kind of change an edit records in the host's undo journal. This model keeps
// no journal; the code is accepted so that callers stay source-compatible.
enum P_MOD_CODE : int {
    P_MOD_NONE = 0,
};

// Options a point may carry, numbered 0 to 31; their meaning is the host's.
enum P_POINT_OPTION_TYPE : int {
    P_POINT_OPTION_FIRST = 0,
    P_POINT_OPTION_LAST = 31,
};

// How moving a point treats the apex it may share with a neighbouring line.
// Only the free move exists here.
enum eMaintainApex : int {
    eApexFree = 0,
};

// The values of one point.
struct CPiecePoint {
    double x = 0.0;
    double y = 0.0;
    std::uint8_t attribute = 0;
    std::uint32_t options = 0;  // bit n set: option n
};
