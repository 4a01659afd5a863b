// The fourteen GSM IE blocks of a test record of network mode 3, and the two
// GSM lists a record carries for itself.
//
// Each field feeds the IE named beside it; the GSM unit reads the blocks in
// this order of its steps:
//   1 CIE_GSM_SCell_Radio_Info        8 CIE_GSM_Ded_Meas_Info
//   2 CIE_GSM_SCell_DSC               9 CIE_GSM_SCell_Ch_Radio_Link_Counter
//   3 CIE_GSM_SCell_Resel_Sys_Info   10 CIE_GSM_RAT_Indicate
//   4 CIE_GSM_MS_Muti_Slot_Class     11 CIE_GSM_RLC_GPRS_Qos_Info
//   5 CIE_GSM_NCell_Info             12 CIE_GSM_LLC_GPRS_Qos_Info
//   6 CIE_GSM_MS_Class               14 CIE_GSM_SCell_Sys_Info
//   7 CIE_GSM_Ded_CH_Info            15 CIE_GSM_NCell_Meas_List
//                                    16 CIE_GSM_8130E_Simple_Info
// (13 is the record's message and event part.) CIE_GSM_HO_Num carries the
// handover counters, which no step writes.
// Raw codes: 16-bit 65535 absent, 65534 invalid; 8-bit 255 absent, 254 invalid.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "logio/host/IEBaseStruct.h"
#include "platform/CString.h"

class CTestdataBase;

// Serving cell radio values.
class CIE_GSM_SCell_Radio_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint16_t n31706 = 65535;
    uint16_t n31701 = 65535;
    uint8_t n31705 = 255;
    uint8_t nRxLevFull = 255;  // 31703 = raw - 110
    uint8_t n31719 = 255;
    uint16_t n31712 = 65535;
    uint8_t n32265 = 255;  // extended
    template <class V>
    void Visit(V& v) {
        v(n31706), v(n31701), v(n31705), v(nRxLevFull), v(n31719), v(n31712), v(n32265);
    }
    bool operator==(const CIE_GSM_SCell_Radio_Info&) const = default;
};

// Downlink signalling counter: 31717.
class CIE_GSM_SCell_DSC : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t n31717 = 255;
    template <class V>
    void Visit(V& v) {
        v(n31717);
    }
    bool operator==(const CIE_GSM_SCell_DSC&) const = default;
};

// Serving cell reselection values.
class CIE_GSM_SCell_Resel_Sys_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t nSelector = 0;    // which criterion is valid: 1 C1, 2..3 C31, 4..7 C32
    int16_t n32078 = 32767;   // 32078 (32767 no value)
    uint16_t n31707 = 65535;  // 31707 (u8 rule)
    int16_t n32074 = 32767;   // 32074, extended
    int16_t nCriterion[3] = {32767, 32767, 32767};  // 32075, 32244, 32245
    template <class V>
    void Visit(V& v) {
        v(nSelector), v(n32078), v(n31707), v(n32074), v(nCriterion);
    }
    bool operator==(const CIE_GSM_SCell_Resel_Sys_Info&) const = default;
};

// Multislot class word: 31736 (extended).
class CIE_GSM_MS_Muti_Slot_Class : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint16_t n31736 = 65535;
    template <class V>
    void Visit(V& v) {
        v(n31736);
    }
    bool operator==(const CIE_GSM_MS_Muti_Slot_Class&) const = default;
};

// One neighbour cell, i from 0 (the converter takes six).
struct GSMNCell_st {
    uint16_t nBCCH = 65535;      // "NborBCCH" 32091 + i
    uint8_t nBSIC = 255;         // "NborBSIC" 32097 + i
    uint16_t nCI = 65535;        // "GSM_NC_CI" 32085 + i
    uint16_t nLAC = 65535;       // "GSM_NC_LAC" 32079 + i
    int16_t nRxLev = 32767;      // "NborRxLev" 32103 + i
    int16_t nC1 = 32767;         // "NborC1" 32109 + i
    uint8_t nSelector = 0;       // 1: C2 valid, 2..3: C31, 4..7: C32
    int16_t nC2 = 32767;         // "NborC2" 32115 + i
    int16_t nC31 = 32767;        // "NborC31" 32151 + i
    int16_t nC32 = 32767;        // "NborC32" 32157 + i
    int8_t nRxLevAccessMin = 0;  // "NborRxLevAccessMin" 32258 + i
    template <class V>
    void Visit(V& v) {
        v(nBCCH), v(nBSIC), v(nCI), v(nLAC), v(nRxLev), v(nC1), v(nSelector), v(nC2), v(nC31);
        v(nC32), v(nRxLevAccessMin);
    }
    bool operator==(const GSMNCell_st&) const = default;
};

// Neighbour block. Kind 0 carries cells, 31721 and 31722; other kinds 31720.
class CIE_GSM_NCell_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t nKind = 0;
    std::vector<GSMNCell_st> vCells;
    int8_t n31721 = 127;  // 127 no value
    uint8_t n31722 = 255;
    uint8_t n31720 = 255;
    template <class V>
    void Visit(V& v) {
        v(nKind), v.List(vCells, 64), v(n31721), v(n31722), v(n31720);
    }
    bool operator==(const CIE_GSM_NCell_Info&) const = default;
};

// Mobile class byte: 32202.
class CIE_GSM_MS_Class : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t n32202 = 255;
    template <class V>
    void Visit(V& v) {
        v(n32202);
    }
    bool operator==(const CIE_GSM_MS_Class&) const = default;
};

// Dedicated channel.
class CIE_GSM_Ded_CH_Info : public FIELDRUN::CIEStruct {
public:
    enum { CHANNEL_NONE = 0, CHANNEL_SINGLE = 1, CHANNEL_HOPPING = 3 };
    void setinfo(const CTestdataBase& record);
    uint8_t nBand = 255;  // 31723: bits 0..3 name the band
    uint8_t n31724 = 255;
    uint8_t nChannelKind = CHANNEL_NONE;     // 32264
    uint16_t nChannel = 65535;               // 31727 for a single channel
    std::vector<uint16_t> vHoppingChannels;  // 31732 as "1, 5, 9"
    uint8_t n31730 = 255;
    uint8_t n31731 = 255;
    template <class V>
    void Visit(V& v) {
        v(nBand), v(n31724), v(nChannelKind), v(nChannel), v.List(vHoppingChannels, 128);
        v(n31730), v(n31731);
    }
    bool operator==(const CIE_GSM_Ded_CH_Info&) const = default;
};

// Dedicated measurements: eight bytes feeding, in order, 31966, 32038, 31715,
// 32076, 31930, 32002, 32077 and 32201.
class CIE_GSM_Ded_Meas_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint8_t nValue[8] = {255, 255, 255, 255, 255, 255, 255, 255};
    template <class V>
    void Visit(V& v) {
        v(nValue);
    }
    bool operator==(const CIE_GSM_Ded_Meas_Info&) const = default;
};

// Radio link counter words: the first feeds 31735 (extended), the second 31713.
class CIE_GSM_SCell_Ch_Radio_Link_Counter : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint16_t nFirst = 65535;
    uint16_t nSecond = 65535;
    template <class V>
    void Visit(V& v) {
        v(nFirst), v(nSecond);
    }
    bool operator==(const CIE_GSM_SCell_Ch_Radio_Link_Counter&) const = default;
};

// Radio access indicator, a signed byte: 31718.
class CIE_GSM_RAT_Indicate : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int8_t n31718 = -1;
    template <class V>
    void Visit(V& v) {
        v(n31718);
    }
    bool operator==(const CIE_GSM_RAT_Indicate&) const = default;
};

// RLC rates (bits/s): 32195, 32196 = value / 1000; 32199 unchanged.
class CIE_GSM_RLC_GPRS_Qos_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint32_t n32195 = 0xFFFFFFFF;
    uint32_t n32196 = 0xFFFFFFFF;
    int32_t n32199 = -1;
    template <class V>
    void Visit(V& v) {
        v(n32195), v(n32196), v(n32199);
    }
    bool operator==(const CIE_GSM_RLC_GPRS_Qos_Info&) const = default;
};

// LLC rates (bits/s): 32193, 32194 = value / 1000 (0xFFFFFFFF no value); 32189.
class CIE_GSM_LLC_GPRS_Qos_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint32_t n32193 = 0xFFFFFFFF;
    uint32_t n32194 = 0xFFFFFFFF;
    uint8_t n32189 = 255;
    template <class V>
    void Visit(V& v) {
        v(n32193), v(n32194), v(n32189);
    }
    bool operator==(const CIE_GSM_LLC_GPRS_Qos_Info&) const = default;
};

// Handover counters.
class CIE_GSM_HO_Num : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint16_t nAttempts = 0;
    uint16_t nSuccesses = 0;
    template <class V>
    void Visit(V& v) {
        v(nAttempts), v(nSuccesses);
    }
    bool operator==(const CIE_GSM_HO_Num&) const = default;
};

// Serving cell identity: 31697 MCC, 31698 MNC, 31699 LAC, 31700 CI,
// 31702 BCCH; 32168 BSIC (extended).
class CIE_GSM_SCell_Sys_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    int32_t nMCC = -1;
    int32_t nMNC = -1;
    int32_t nLAC = -1;
    int32_t nCI = -1;
    int32_t nBCCH = -1;
    int32_t nBSIC = -1;
    template <class V>
    void Visit(V& v) {
        v(nMCC), v(nMNC), v(nLAC), v(nCI), v(nBCCH), v(nBSIC);
    }
    bool operator==(const CIE_GSM_SCell_Sys_Info&) const = default;
};

// One slot j of the neighbour measurement list (the converter takes six):
// 32246 + j and 32252 + j; -999 is invalid.
struct GSMNCellMeas_st {
    int32_t nFirst = -999;
    int32_t nSecond = -999;
    template <class V>
    void Visit(V& v) {
        v(nFirst), v(nSecond);
    }
    bool operator==(const GSMNCellMeas_st&) const = default;
};

class CIE_GSM_NCell_Meas_List : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    std::vector<GSMNCellMeas_st> vEntries;
    template <class V>
    void Visit(V& v) {
        v.List(vEntries, 64);
    }
    bool operator==(const CIE_GSM_NCell_Meas_List&) const = default;
};

// System information of the serving cell (all extended): 32170 text, the
// values of kValueIEs (coded as TD-SCDMA values: -1 absent, -2 invalid),
// texts 32219 and 32220.
class CIE_GSM_8130E_Simple_Info : public FIELDRUN::CIEStruct {
public:
    static constexpr int kValueIEs[11] = {32270, 32271, 32272, 32273, 32203, 32204,
                                          32215, 32216, 32217, 32218, 32267};
    void setinfo(const CTestdataBase& record);
    // A coded value as text: "" for absent (-1), "-255" for invalid (-2),
    // otherwise the decimal number.
    static CString ChangeValue2CSText(int32_t value);

    std::string strText;  // 32170
    int32_t nValue[11] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::string str32219;
    std::string str32220;
    template <class V>
    void Visit(V& v) {
        v(strText), v(nValue), v(str32219), v(str32220);
    }
    bool operator==(const CIE_GSM_8130E_Simple_Info&) const = default;
};
