// TD-SCDMA blocks a test record carries for itself (not accumulated): the
// lists of the measurement-block and parameter-block units, the transport
// channel lists, the allocation and code lists, and three small blocks.
//
// Each field feeds the IE named beside it (i is the entry's index from 0);
// the store keeps the fields in this order (Visit). Raw codes as in
// TDBlocks.h.
#pragma once

#include <cstdint>
#include <vector>

#include "logio/host/IEBaseStruct.h"

class CTestdataBase;

// ---- measurement-block unit, in its handlers' order

// First byte block: 4610.
class CIE_TD_First_Byte : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t n4610 = 255;
    template <class V>
    void Visit(V& v) {
        v(n4610);
    }
    bool operator==(const CIE_TD_First_Byte&) const = default;
};

// One entry of the measurement list.
struct MeasListEntry_st {
    uint16_t n22556 = 65535;  // 22556 + i
    uint16_t n23356 = 65535;  // 23356 + i
    uint16_t n24556 = 65535;  // 24556 + i
    uint16_t n21356 = 65535;  // 21356 + i (basic-only clear)
    uint8_t n22156 = 255;     // first byte: 22156 + i
    uint8_t n22956 = 255;     // second byte: 22956 + i
    uint8_t n21756 = 255;     // third byte: 21756 + i (basic-only clear)
    uint8_t nNibbles = 0;     // fourth byte: high nibble 5634 + i, low nibble 5667 + i (i < 32)
    uint8_t n23756 = 255;     // fifth byte: 23756 + i (basic-only clear)
    uint8_t nFlags = 0;    // sixth byte: bits 4..0 give 5700, 5733, 5766, 5799, 5832 + i (i < 32)
    uint8_t n24156 = 255;  // seventh byte: 24156 + i (basic-only clear)
    template <class V>
    void Visit(V& v) {
        v(n22556), v(n23356), v(n24556), v(n21356), v(n22156), v(n22956), v(n21756);
        v(nNibbles), v(n23756), v(nFlags), v(n24156);
    }
    bool operator==(const MeasListEntry_st&) const = default;
};

// Measurement list: 21355 = count; the converter takes up to 400 entries.
class CIE_TD_Meas_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<MeasListEntry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v.List(vEntries, 1024);
    }
    bool operator==(const CIE_TD_Meas_List&) const = default;
};

struct SecondListEntry_st {
    uint16_t n24957 = 65535;  // 24957 + i
    uint16_t n25357 = 65535;  // 25357 + i
    uint8_t n25757 = 255;     // 25757 + i
    uint8_t n26157 = 255;     // 26157 + i
    template <class V>
    void Visit(V& v) {
        v(n24957), v(n25357), v(n25757), v(n26157);
    }
    bool operator==(const SecondListEntry_st&) const = default;
};

// Second list: 24956 = count (up to 400 taken).
class CIE_TD_Second_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<SecondListEntry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v.List(vEntries, 1024);
    }
    bool operator==(const CIE_TD_Second_List&) const = default;
};

struct CellParaEntry_st {
    uint8_t n5132 = 255;  // 5132 + i
    uint8_t n5165 = 255;  // 5165 + i
    template <class V>
    void Visit(V& v) {
        v(n5132), v(n5165);
    }
    bool operator==(const CellParaEntry_st&) const = default;
};

// Cell parameters: 5065 = count (up to 32 taken); 2 or more cells give the
// importer one extra row per further cell.
class CIE_TD_Cell_Para_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<CellParaEntry_st> vCells;
    template <class V>
    void Visit(V& v) {
        v.List(vCells, 256);
    }
    bool operator==(const CIE_TD_Cell_Para_List&) const = default;
};

// Quality: 5248, 26608, 26609 coded, 5249 float.
class CIE_TD_Quality : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n5248 = -1;
    int32_t n26608 = -1;
    int32_t n26609 = -1;
    float f5249 = -1;
    template <class V>
    void Visit(V& v) {
        v(n5248), v(n26608), v(n26609), v(f5249);
    }
    bool operator==(const CIE_TD_Quality&) const = default;
};

struct TimeslotEntry_st {
    int8_t n26612 = -1;  // 26612 + i (RSCP-type)
    int8_t n26618 = -1;  // 26618 + i (RSCP-type)
    int8_t n26624 = -1;  // 26624 + i (RSCP-type)
    template <class V>
    void Visit(V& v) {
        v(n26612), v(n26618), v(n26624);
    }
    bool operator==(const TimeslotEntry_st&) const = default;
};

// Timeslot list: 26610 float, 26611, entries (up to 6 taken).
class CIE_TD_Timeslot_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    float f26610 = -1;
    int32_t n26611 = -1;
    std::vector<TimeslotEntry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v(f26610), v(n26611), v.List(vEntries, 64);
    }
    bool operator==(const CIE_TD_Timeslot_List&) const = default;
};

// Ten values: 26632 .. 26641.
class CIE_TD_Ten_Values : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t nValue[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    template <class V>
    void Visit(V& v) {
        v(nValue);
    }
    bool operator==(const CIE_TD_Ten_Values&) const = default;
};

// Two values: 26642, 26643.
class CIE_TD_Two_Values : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n26642 = -1;
    int32_t n26643 = -1;
    template <class V>
    void Visit(V& v) {
        v(n26642), v(n26643);
    }
    bool operator==(const CIE_TD_Two_Values&) const = default;
};

// Three values: 5254, 5253 (float), 5255 (written unfiltered).
class CIE_TD_Three_Values : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n5254 = -1;
    float f5253 = -1;
    int32_t n5255 = -1;
    template <class V>
    void Visit(V& v) {
        v(n5254), v(f5253), v(n5255);
    }
    bool operator==(const CIE_TD_Three_Values&) const = default;
};

struct CellListEntry_st {
    int8_t n4613 = -1;     // 4613 + i (RSCP-type)
    uint8_t n4645 = 255;   // 4645 + i
    uint8_t n21915 = 255;  // 21915 + i
    template <class V>
    void Visit(V& v) {
        v(n4613), v(n4645), v(n21915);
    }
    bool operator==(const CellListEntry_st&) const = default;
};

// Cell list: 4612, 4699, entries (up to 32 taken).
class CIE_TD_Cell_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n4612 = -1;
    int32_t n4699 = -1;
    std::vector<CellListEntry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v(n4612), v(n4699), v.List(vEntries, 256);
    }
    bool operator==(const CIE_TD_Cell_List&) const = default;
};

struct Cell32Entry_st {
    uint8_t n26701 = 255;     // 26701 + i
    uint16_t n26733 = 65535;  // 26733 + i
    template <class V>
    void Visit(V& v) {
        v(n26701), v(n26733);
    }
    bool operator==(const Cell32Entry_st&) const = default;
};

// 32-cell list: 26668 = count (up to 32 taken).
class CIE_TD_Cell32_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<Cell32Entry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v.List(vEntries, 256);
    }
    bool operator==(const CIE_TD_Cell32_List&) const = default;
};

// Three further values: 5251, 5252, 5250 (float).
class CIE_TD_Three_Values_B : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n5251 = -1;
    int32_t n5252 = -1;
    float f5250 = -1;
    template <class V>
    void Visit(V& v) {
        v(n5251), v(n5252), v(f5250);
    }
    bool operator==(const CIE_TD_Three_Values_B&) const = default;
};

// Four values: 5247, 5256, 5258, 5257 (float).
class CIE_TD_Four_Values : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n5247 = -1;
    int32_t n5256 = -1;
    int32_t n5258 = -1;
    float f5257 = -1;
    template <class V>
    void Visit(V& v) {
        v(n5247), v(n5256), v(n5258), v(f5257);
    }
    bool operator==(const CIE_TD_Four_Values&) const = default;
};

// Last two: 4611 (present only when nFlag is 1), 5259.
class CIE_TD_Last_Two : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t nFlag = 0;
    uint16_t n4611 = 65535;
    uint16_t n5259 = 65535;
    template <class V>
    void Visit(V& v) {
        v(nFlag), v(n4611), v(n5259);
    }
    bool operator==(const CIE_TD_Last_Two&) const = default;
};

// ---- parameter-block unit

// 21255 .. 21264: 32-bit and 16-bit values alternating, the last a byte.
class CIE_TD_Param_Ten : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n21255 = -1;
    uint16_t n21256 = 65535;
    int32_t n21257 = -1;
    uint16_t n21258 = 65535;
    int32_t n21259 = -1;
    uint16_t n21260 = 65535;
    int32_t n21261 = -1;
    uint16_t n21262 = 65535;
    int32_t n21263 = -1;
    uint8_t n21264 = 255;
    template <class V>
    void Visit(V& v) {
        v(n21255), v(n21256), v(n21257), v(n21258), v(n21259), v(n21260), v(n21261);
        v(n21262), v(n21263), v(n21264);
    }
    bool operator==(const CIE_TD_Param_Ten&) const = default;
};

// One entry of a parameter list: value j of entry i feeds base + 200 * j + i.
struct ParamListEntry_st {
    std::vector<int32_t> vValues;
    template <class V>
    void Visit(V& v) {
        v.List(vValues, 16);
    }
    bool operator==(const ParamListEntry_st&) const = default;
};

// The five parameter lists, based at kBases (up to 200 entries each).
class CIE_TD_Param_Lists : public FIELDRUN::CIEStruct {
public:
    static constexpr int kBases[5] = {5932, 6933, 8734, 9735, 10736};
    void setinfo(const CTestdataBase& record);
    std::vector<ParamListEntry_st> vList[5];
    template <class V>
    void Visit(V& v) {
        for (auto& list : vList) v.List(list, 256);
    }
    bool operator==(const CIE_TD_Param_Lists&) const = default;
};

// Single parameters.
class CIE_TD_Param_Singles : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t n21249[6] = {-1, -1, -1, -1, -1, -1};              // 21249 .. 21254
    float f21138 = -1;                                         // 21138 = raw * 0.05
    int32_t n21139[3] = {-1, -1, -1};                          // 21139 .. 21141
    int32_t n21166 = -1;                                       // 21166
    int32_t n21240[9] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};  // 21240 .. 21248
    int32_t n21207[13] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};  // 21207 .. 21219
    int32_t n5930 = -1;
    int32_t n5931 = -1;
    template <class V>
    void Visit(V& v) {
        v(n21249), v(f21138), v(n21139), v(n21166), v(n21240), v(n21207), v(n5930), v(n5931);
    }
    bool operator==(const CIE_TD_Param_Singles&) const = default;
};

// ---- the converter's own list handlers

// One family list of the transport-channel handler: the values of the
// family kFamilyBases[nFamily] (entry i feeds base + i). Identities of
// 0xFFFFFFFF stand for broadcast channels.
struct TrCHFamily_st {
    uint8_t nFamily = 0;
    std::vector<uint32_t> vValues;
    template <class V>
    void Visit(V& v) {
        v(nFamily), v.List(vValues, 64);
    }
    bool operator==(const TrCHFamily_st&) const = default;
};

// Transport-channel lists: counts 21325 .. 21328, four groups of seven values
// (group g, value k feeds kGroupBases[g] + k), then family lists.
class CIE_TD_TrCH_Lists : public FIELDRUN::CIEStruct {
public:
    static constexpr int kGroupBases[4] = {21329, 21334, 21341, 21348};
    static constexpr int kFamilyBases[36] = {
        26772, 26789, 26885, 26893, 26900, 26917, 26965, 26966, 27239, 27495, 27751, 28007,
        28263, 28519, 28775, 29015, 29031, 29287, 29543, 29799, 30055, 30079, 30080, 30081,
        30102, 30306, 30626, 30882, 31073, 31109, 31145, 31181, 31217, 31253, 31289, 31325};
    void setinfo(const CTestdataBase& record);
    uint8_t nCount[4] = {255, 255, 255, 255};
    int32_t nGroup[4][7] = {};
    std::vector<TrCHFamily_st> vFamilies;
    template <class V>
    void Visit(V& v) {
        v(nCount);
        for (auto& group : nGroup) v(group);
        v.List(vFamilies, 64);
    }
    bool operator==(const CIE_TD_TrCH_Lists&) const = default;
};

// One entry j of the allocation list (families of stride 20).
struct AllocEntry_st {
    int16_t n31362 = -1;      // 31362 + j
    uint16_t n31382 = 65535;  // 31382 + j
    uint16_t n31402 = 65535;  // 31402 + j
    uint16_t n31422 = 65535;  // 31422 + j
    uint8_t n31442 = 255;     // 31442 + j
    uint8_t n31462 = 255;     // 31462 + j
    uint8_t n31482 = 255;     // 31482 + j
    uint8_t n31502 = 255;     // 31502 + j
    template <class V>
    void Visit(V& v) {
        v(n31362), v(n31382), v(n31402), v(n31422), v(n31442), v(n31462), v(n31482), v(n31502);
    }
    bool operator==(const AllocEntry_st&) const = default;
};

// Allocation list: the converter takes lists of 1 to 20 entries only.
class CIE_TD_Alloc_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<AllocEntry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v.List(vEntries, 64);
    }
    bool operator==(const CIE_TD_Alloc_List&) const = default;
};

// One entry n of the code list, with its timeslot's configuration.
struct CodeEntry_st {
    int16_t nTimeslot = -1;       // t, 0..7
    int16_t nCode = -1;           // 393 + n (as a signed byte)
    int32_t nData = -1;           // 297 + n
    int8_t nDirection = -1;       // 191 + t
    int8_t nMidambleConfig = -1;  // 176 + t
    int8_t nMidambleShift = -1;   // 183 + t
    template <class V>
    void Visit(V& v) {
        v(nTimeslot), v(nCode), v(nData), v(nDirection), v(nMidambleConfig), v(nMidambleShift);
    }
    bool operator==(const CodeEntry_st&) const = default;
};

// Code list of the timeslot configuration (up to 96 codes taken).
class CIE_TD_Code_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<CodeEntry_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v.List(vEntries, 256);
    }
    bool operator==(const CIE_TD_Code_List&) const = default;
};

// ---- small blocks of the record

// Quality word: 5403.
class CIE_TD_Quality_Word : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint16_t n5403 = 65535;
    template <class V>
    void Visit(V& v) {
        v(n5403);
    }
    bool operator==(const CIE_TD_Quality_Word&) const = default;
};

// 26766 .. 26769; -255 is no value.
class CIE_TD_Extra_Values : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t nValue[4] = {-255, -255, -255, -255};
    template <class V>
    void Visit(V& v) {
        v(nValue);
    }
    bool operator==(const CIE_TD_Extra_Values&) const = default;
};

// Service state byte: 26770 (255 absent, 254 invalid).
class CIE_Service_State : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t n26770 = 255;
    template <class V>
    void Visit(V& v) {
        v(n26770);
    }
    bool operator==(const CIE_Service_State&) const = default;
};
