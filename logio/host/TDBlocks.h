// The six TD-SCDMA IE blocks of a test record. They accumulate per stream in
// the importer's cumulative record, which refreshes each from a record that
// carries it (setinfo).
//
// Each field feeds the IE named beside it; fields stand in the order the
// converter writes them and the store keeps them in this order (Visit).
// Raw codes: 16-bit 65535 absent, 65534 invalid; 8-bit 255 absent, 254
// invalid; signed bytes -1 absent, -2 invalid, unless said otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "logio/host/IEBaseStruct.h"

class CTestdataBase;

// One timeslot's ISCP of the serving cell or a neighbour (RSCP-type: dBm + 116).
struct ISCP_st {
    int8_t nTimeslot = -1;
    int8_t nISCP = -1;
    template <class V>
    void Visit(V& v) {
        v(nTimeslot);
        v(nISCP);
    }
    bool operator==(const ISCP_st&) const = default;
};

// One timeslot's DPCH RSCP of the serving cell (RSCP-type).
struct DPCH_RSCP_st {
    int8_t nTimeslot = -1;
    int8_t nRSCP = -1;
    template <class V>
    void Visit(V& v) {
        v(nTimeslot);
        v(nRSCP);
    }
    bool operator==(const DPCH_RSCP_st&) const = default;
};

// Serving-cell parameter block.
class CIE_SCell_Para : public FIELDRUN::CIEStruct {
public:
    explicit CIE_SCell_Para(int = 1) {}
    void setinfo(const CTestdataBase& record);

    int8_t nCellParameterID = -1;  // 140; also the cell's first identity
    int16_t nMCC = -1;             // 142
    int16_t nMNC = -1;             // 143
    int32_t nLAC = -1;             // 144
    int16_t nRAC = -1;             // 145
    int32_t nCellID = -1;          // 146; also the key of the cell's site in the project
    int32_t nUARFCN = -1;          // 147; also the cell's second identity
    int8_t n149 = -1;              // 149, 150, 151 and 158: written when basic-only is clear
    int8_t n150 = -1;
    int8_t n151 = -1;
    int16_t n158 = -1;
    int8_t n152 = -1;                     // 152
    int8_t n153 = -1;                     // 153
    int32_t n154 = -1;                    // 154
    int8_t n26765 = -1;                   // 26765
    int8_t n155 = -1;                     // 155
    int16_t n156 = -1;                    // 156
    int8_t n157 = -1;                     // 157
    int8_t n169 = -1;                     // 169 (basic-only clear)
    int8_t n159 = -1;                     // 159
    int16_t nOffset5261 = -3000;          // 5261; -3000 is no value
    int16_t nOffset5260 = -3000;          // 5260
    std::vector<int16_t> vURAIdentities;  // 168 = count, 160 + k

    template <class V>
    void Visit(V& v) {
        v(nCellParameterID), v(nMCC), v(nMNC), v(nLAC), v(nRAC), v(nCellID), v(nUARFCN);
        v(n149), v(n150), v(n151), v(n158), v(n152), v(n153), v(n154), v(n26765), v(n155);
        v(n156), v(n157), v(n169), v(n159), v(nOffset5261), v(nOffset5260);
        v.List(vURAIdentities, 64);
    }
    bool operator==(const CIE_SCell_Para&) const = default;
};

// Serving-cell measurement block.
class CIE_SCell_Meas : public FIELDRUN::CIEStruct {
public:
    explicit CIE_SCell_Meas(int = 1) {}
    void setinfo(const CTestdataBase& record);

    int8_t nTimeslotCount = 0;            // negative: no timeslot families
    std::vector<ISCP_st> vISCP;           // 511 + ts, ts 0..6 ("TimeslotISCP")
    std::vector<DPCH_RSCP_st> vDPCHRSCP;  // 5407 + ts - 2, ts 2..6; the first gives 5419 + ts
    int8_t nRSCP = -1;                    // 499 (RSCP-type)
    uint8_t n498 = 255;                   // 498
    int32_t n508 = 255;                   // 508 (255 absent, 254 invalid)
    int32_t n509 = -1;                    // 509, 510: coded
    int32_t n510 = -1;
    int16_t n518 = -1;               // 518
    int16_t n519 = -1;               // 519
    uint16_t n501 = 65535;           // 501 = (raw - 1) / 8 - 16
    int8_t n502 = -1;                // 502 = raw - 71; also 5433 + serving timeslot
    int8_t n503 = -1;                // 503 = (raw - 23) / 2; also 5419 + ts
    int8_t n504 = -1;                // 504 = raw / 2 - 11 (basic-only clear)
    int8_t n505 = -1;                // 505
    int8_t n506 = -1;                // 506 = raw - 101
    int8_t n175 = -1;                // 175 (basic-only clear)
    uint8_t nServingTimeslot = 255;  // t of 5433 + t

    template <class V>
    void Visit(V& v) {
        v(nTimeslotCount), v.List(vISCP, 64), v.List(vDPCHRSCP, 64);
        v(nRSCP), v(n498), v(n508), v(n509), v(n510), v(n518), v(n519), v(n501), v(n502);
        v(n503), v(n504), v(n505), v(n506), v(n175), v(nServingTimeslot);
    }
    bool operator==(const CIE_SCell_Meas&) const = default;
};

// One neighbour of the neighbour measurement block.
struct NCell_st {
    int8_t nCellParameterID = -1;             // 1141 + i (-1 gives -255); first identity
    int32_t nUARFCN = -1;                     // 1173 + i; second identity
    int8_t nRSCP = -1;                        // 1205 + i (RSCP-type)
    uint8_t n1237 = 255;                      // 1237 + i
    int32_t n1269 = 255;                      // 1269 + i (basic-only clear)
    int8_t nRSSI = -1;                        // 1109 + i = raw - 101 (basic-only clear)
    int32_t n1301 = 255;                      // 1301 + i (basic-only clear)
    int8_t nTimeslotCount = -1;               // 1333 + i (basic-only clear)
    FIELDRUN::CSmallList<ISCP_st, 16> vISCP;  // (i + 195) * 7 + ts

    template <class V>
    void Visit(V& v) {
        v(nCellParameterID), v(nUARFCN), v(nRSCP), v(n1237), v(n1269), v(nRSSI), v(n1301);
        v(nTimeslotCount), v.List(vISCP, 16);
    }
    bool operator==(const NCell_st&) const = default;
};

// Neighbour measurement block; 1108 = the number of cells.
class CIE_NCell_Meas : public FIELDRUN::CIEStruct {
public:
    explicit CIE_NCell_Meas(int = 1) {}
    void setinfo(const CTestdataBase& record);

    std::vector<NCell_st> vCells;

    template <class V>
    void Visit(V& v) {
        v.List(vCells, 256);
    }
    bool operator==(const CIE_NCell_Meas&) const = default;
};

// One transport channel of the channel parameter block, by its identity t.
struct TrCH_st {
    uint8_t nTrCHID = 0;        // t, 1..32
    int32_t nErrorBlocks = -1;  // 935 + t
    int32_t nTotalBlocks = -1;  // 1000 + t
    float fBLER = -1;           // 1033 + t
    template <class V>
    void Visit(V& v) {
        v(nTrCHID), v(nErrorBlocks), v(nTotalBlocks), v(fBLER);
    }
    bool operator==(const TrCH_st&) const = default;
};

// One entry of the channel group list: twelve values, value j of entry i
// feeding 1994 + 32 * j + i + 1.
struct ChannelGroup_st {
    int32_t nValue[12] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    template <class V>
    void Visit(V& v) {
        v(nValue);
    }
    bool operator==(const ChannelGroup_st&) const = default;
};

// Channel parameter block.
class CIE_Channel_Para : public FIELDRUN::CIEStruct {
public:
    explicit CIE_Channel_Para(int = 1) {}
    void setinfo(const CTestdataBase& record);

    uint8_t n170 = 255;                          // 170
    uint8_t n171 = 255;                          // 171
    int16_t n172 = -1;                           // 172
    int16_t n173 = -1;                           // 173
    uint8_t n174 = 255;                          // 174
    uint8_t n198 = 255;                          // 198
    uint8_t n199 = 255;                          // 199
    std::vector<TrCH_st> vTrCH;                  // 200 = count (up to 32)
    std::vector<ChannelGroup_st> vChannelGroup;  // up to 32

    template <class V>
    void Visit(V& v) {
        v(n170), v(n171), v(n172), v(n173), v(n174), v(n198), v(n199);
        v.List(vTrCH, 64), v.List(vChannelGroup, 64);
    }
    bool operator==(const CIE_Channel_Para&) const = default;
};

// One entry of the measurement result list (entry i).
struct MeasResult_st {
    float f1589 = -1;    // 1589 + i
    float f1623 = -1;    // 1623 + i
    float f1657 = -1;    // 1657 + i
    int32_t n1819 = -1;  // 1819 + i
    float f1851 = -1;    // 1851 + i
    template <class V>
    void Visit(V& v) {
        v(f1589), v(f1623), v(f1657), v(n1819), v(f1851);
    }
    bool operator==(const MeasResult_st&) const = default;
};

// One entry of the short result list (entry i).
struct ShortResult_st {
    float f1958 = -1;  // 1958 + i
    float f1971 = -1;  // 1971 + i
    template <class V>
    void Visit(V& v) {
        v(f1958), v(f1971);
    }
    bool operator==(const ShortResult_st&) const = default;
};

// Measurement result block.
class CIE_Meas_Res : public FIELDRUN::CIEStruct {
public:
    explicit CIE_Meas_Res(int = 1) {}
    void setinfo(const CTestdataBase& record);

    uint8_t n489 = 255;                         // 489 = raw - 120 (basic-only clear)
    int8_t n490 = -1;                           // 490 = raw - 1 (basic-only clear)
    std::vector<MeasResult_st> vResults;        // 491 = count (up to 32)
    std::vector<ShortResult_st> vShortResults;  // 492 = count (up to 15)
    uint8_t n493 = 255;                         // 493

    template <class V>
    void Visit(V& v) {
        v(n489), v(n490), v.List(vResults, 64), v.List(vShortResults, 64), v(n493);
    }
    bool operator==(const CIE_Meas_Res&) const = default;
};

// Entries of the three layer-1/2 configuration lists (entry i).
struct ConfigEntry_st {
    int32_t n3724 = -1;  // 3724 + i
    int32_t n3756 = -1;  // 3756 + i
    int32_t n3788 = -1;  // 3788 + i
    template <class V>
    void Visit(V& v) {
        v(n3724), v(n3756), v(n3788);
    }
    bool operator==(const ConfigEntry_st&) const = default;
};
struct ConfigShort_st {
    int32_t n3816 = -1;  // 3816 + i
    int32_t n3827 = -1;  // 3827 + i
    template <class V>
    void Visit(V& v) {
        v(n3816), v(n3827);
    }
    bool operator==(const ConfigShort_st&) const = default;
};
struct ConfigLong_st {
    int32_t n3843 = -1;  // 3843 + i
    int32_t n4099 = -1;  // 4099 + i
    float f4355 = -1;    // 4355 + i
    template <class V>
    void Visit(V& v) {
        v(n3843), v(n4099), v(f4355);
    }
    bool operator==(const ConfigLong_st&) const = default;
};

// Layer-1/2 configuration block.
class CIE_Layer12_Config_Para : public FIELDRUN::CIEStruct {
public:
    // IEs of the 16-bit values, in the order of nValue.
    static constexpr int kValueIEs[33] = {3688, 3690, 3691, 3692, 3693, 3694, 3695, 3696, 3697,
                                          3699, 3700, 3701, 3702, 3703, 3704, 3705, 3706, 3707,
                                          3708, 3709, 3710, 3711, 3712, 3713, 3714, 3715, 3716,
                                          3717, 3718, 3719, 3720, 3721, 3722};

    explicit CIE_Layer12_Config_Para(int = 1) {
        for (auto& value : nValue) value = 65535;
    }
    void setinfo(const CTestdataBase& record);

    std::vector<ConfigEntry_st> vList;       // 495 = count (up to 32)
    std::vector<ConfigShort_st> vShortList;  // 496 = count (up to 15)
    std::vector<ConfigLong_st> vLongList;    // 497 = count (up to 255)
    uint16_t nValue[33];                     // kValueIEs; 65535 absent
    std::string str3689;                     // texts 3689, 3698, 3723
    std::string str3698;
    std::string str3723;
    uint8_t n31562 = 255;  // 31562

    template <class V>
    void Visit(V& v) {
        v.List(vList, 64), v.List(vShortList, 64), v.List(vLongList, 512);
        v(nValue), v(str3689), v(str3698), v(str3723), v(n31562);
    }
    bool operator==(const CIE_Layer12_Config_Para&) const = default;
};
