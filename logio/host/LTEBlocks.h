// LTE IE blocks of test records: the UE block of handsets of subtype 14, the
// block of subtype 15, and the inline block. Values are 16-bit codes unless
// said otherwise: 65535 absent, 65534 invalid, others sign-extended.
// Arrays name their IEs in a table beside them, in the converter's order.
#pragma once

#include <cstdint>
#include <vector>

#include "logio/host/IEBaseStruct.h"

class CTestdataBase;

// One neighbour of the UE block (up to 16 taken).
struct LTENCell_st {
    uint16_t nEARFCN = 65535;
    uint16_t nPCI = 65535;
    uint16_t nRSRP = 65535;  // RSRP-type: raw - 141 dBm
    uint16_t nRSRQ = 65535;  // RSRQ-type: raw / 2 - 20 dB
    template <class V>
    void Visit(V& v) {
        v(nEARFCN), v(nPCI), v(nRSRP), v(nRSRQ);
    }
    bool operator==(const LTENCell_st&) const = default;
};

#define LTE_FILL(array) \
    for (auto& value : array) value = 65535

// UE block of subtype 14.
class CIE_LTE_UE_Info : public FIELDRUN::CIEStruct {
public:
    // nServing, in order; 33415 and 33417 are RSRP-type, 33416 RSRQ-type.
    static constexpr int kServingIEs[20] = {33363, 33373, 33346, 33368, 33364, 33354, 33358,
                                            33369, 33370, 33371, 33372, 33345, 33348, 33349,
                                            33415, 33417, 33416, 33418, 33419, 33420};
    // nFrequencies: EARFCNs of 33374 .. 33385 and 33414.
    static constexpr int kFrequencyIEs[13] = {33374, 33375, 33376, 33377, 33378, 33379, 33380,
                                              33381, 33382, 33383, 33384, 33385, 33414};

    CIE_LTE_UE_Info() {
        LTE_FILL(nServing);
        LTE_FILL(n33650);
        LTE_FILL(nFrequencies);
        LTE_FILL(n33439);
        LTE_FILL(n33671);
        LTE_FILL(n33675);
        LTE_FILL(n34570);
        LTE_FILL(n34685);
    }
    void setinfo(const CTestdataBase& record);

    uint8_t nIdentity[9] = {};  // 33353 as 18 hexadecimal characters
    uint8_t n33355 = 255;
    uint8_t n33356 = 255;
    uint8_t n33357 = 255;
    uint8_t n33359 = 255;
    uint8_t n33360 = 255;
    uint16_t n33362 = 65535;
    uint8_t n33366 = 255;
    uint16_t nEARFCN = 65535;  // 33361 in MHz
    uint16_t nServing[20];
    uint32_t nCellKey = 0;  // serving site for 2382; 0 none
    uint16_t n33650[21];    // 33650 .. 33670
    uint16_t nFrequencies[13];
    std::vector<LTENCell_st> vNeighbours;
    uint16_t n33439[3];   // 33439 .. 33441
    uint16_t n33671[27];  // 33671 .. 33697
    uint16_t n33675[6];   // 33675 .. 33680
    uint16_t n33423 = 65535;
    uint16_t n33436 = 65535;
    uint16_t n33437 = 65535;
    uint16_t n34570[19];  // 34570 .. 34588
    uint16_t n34685[6];   // 34685 .. 34690

    template <class V>
    void Visit(V& v) {
        v(nIdentity), v(n33355), v(n33356), v(n33357), v(n33359), v(n33360), v(n33362);
        v(n33366), v(nEARFCN), v(nServing), v(nCellKey), v(n33650), v(nFrequencies);
        v.List(vNeighbours, 64), v(n33439), v(n33671), v(n33675), v(n33423), v(n33436);
        v(n33437), v(n34570), v(n34685);
    }
    bool operator==(const CIE_LTE_UE_Info&) const = default;
};

// Block of subtype 15.
class CIE_LTE_Second_Info : public FIELDRUN::CIEStruct {
public:
    // nSingles, in order.
    static constexpr int kSingleIEs[7] = {33458, 33474, 33506, 33522, 34574, 34575, 34581};

    CIE_LTE_Second_Info() {
        LTE_FILL(n33415);
        LTE_FILL(n33693);
        LTE_FILL(n33365);
        LTE_FILL(n33421);
        LTE_FILL(n33438);
        LTE_FILL(nSingles);
        LTE_FILL(n33650);
    }
    void setinfo(const CTestdataBase& record);

    uint16_t nEARFCN = 65535;  // 33361 in MHz
    uint16_t n33362 = 65535;
    uint16_t n33363 = 65535;
    uint16_t n33415[5];     // 33415 .. 33419 (33415, 33417 RSRP-type; 33416 RSRQ-type)
    uint32_t nCellKey = 0;  // serving site for 2382; 0 none
    uint16_t n33693[5];     // 33693 .. 33697
    uint16_t n33365[3];     // 33365 .. 33367
    uint16_t n33421[8];     // 33421 .. 33428
    uint16_t n33373 = 65535;
    uint16_t n33438[4];  // 33438 .. 33441
    uint16_t nSingles[7];
    uint16_t n33650[19];  // 33650 .. 33668
    uint16_t n33436 = 65535;
    uint16_t n33437 = 65535;

    template <class V>
    void Visit(V& v) {
        v(nEARFCN), v(n33362), v(n33363), v(n33415), v(nCellKey), v(n33693), v(n33365);
        v(n33421), v(n33373), v(n33438), v(nSingles), v(n33650), v(n33436), v(n33437);
    }
    bool operator==(const CIE_LTE_Second_Info&) const = default;
};

// Inline block: 34160 .. 34163 and 34166 coded, 34164 and 34169 as 32-bit
// values, and four lists whose entry i feeds kListBases[k] + i.
class CIE_LTE_Inline_Info : public FIELDRUN::CIEStruct {
public:
    static constexpr int kListBases[4] = {34260, 34310, 34360, 34410};

    CIE_LTE_Inline_Info() { LTE_FILL(n34160); }
    void setinfo(const CTestdataBase& record);

    uint16_t n34160[4];  // 34160 .. 34163
    uint16_t n34166 = 65535;
    uint32_t n34164 = 0xFFFFFFFF;
    uint32_t n34169 = 0xFFFFFFFF;
    std::vector<uint16_t> vList[4];  // up to 50 entries each

    template <class V>
    void Visit(V& v) {
        v(n34160), v(n34166), v(n34164), v(n34169);
        for (auto& list : vList) v.List(list, 64);
    }
    bool operator==(const CIE_LTE_Inline_Info&) const = default;
};

#undef LTE_FILL
