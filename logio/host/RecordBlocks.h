// Blocks of the records that are not handset measurements: scanners, the
// LTE scanner, double-protocol records, record blocks (types 14 and 15); and
// the message part and basic information every record has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "logio/host/IEBaseStruct.h"
#include "logio/host/HostDefs.h"

class CTestdataBase;

// Scanner models (the model number of a scanner block).
enum ScannerModelEnum {
    SCANNER_HAIGAO_TD96M = 0,  // bVariant tells the two versions apart
    SCANNER_QVM8101 = 1,
    SCANNER_FENGHUO = 2,
    SCANNER_CHUANGYUAN = 3,
    SCANNER_UNNAMED = 4,  // a model the importer does not name
    SCANNER_COMARCO = 5,
    SCANNER_JINGXIN_RT3301 = 6,
};

// A PCCPCH cell of a scanner record: the seven PCCPCH families.
struct ScanPCCPCH_st {
    int32_t nCellParameterID = -1;  // "CellParameterID_Scan"
    float fRSCP = 0;                // "PCCPCH_RSCP_Scan"
    float fCIR = 0;                 // "PCCPCH_CIR_Scan"
    float fISCP = 0;                // "PCCPCH_ISCP_Scan"
    float fEcIo = 0;                // "PCCPCH_EcIo_Scan"
    float fSIR = 0;                 // "PCCPCH_SIR_Scan"
    float fTiming = 0;              // "PCCPCH_Timing_Scan"
    template <class V>
    void Visit(V& v) {
        v(nCellParameterID), v(fRSCP), v(fCIR), v(fISCP), v(fEcIo), v(fSIR), v(fTiming);
    }
    bool operator==(const ScanPCCPCH_st&) const = default;
};

// A DwPCH cell: the seven DwPCH families.
struct ScanDwPCH_st {
    int32_t nUARFCN = -1;  // "UARFCN_Scan"
    int32_t nSyncDL = -1;  // "SYNC_DL_Scan"
    float fRSCP = 0;       // "DwPCH_RSCP_Scan"
    float fCIR = 0;        // "DwPCH_CIR_Scan"
    float fISCP = 0;       // "DwPCH_ISCP_Scan"
    float fEcIo = 0;       // "DwPCH_EcIo_Scan"
    float fTiming = 0;     // "DwPCH_Timing_Scan"
    template <class V>
    void Visit(V& v) {
        v(nUARFCN), v(nSyncDL), v(fRSCP), v(fCIR), v(fISCP), v(fEcIo), v(fTiming);
    }
    bool operator==(const ScanDwPCH_st&) const = default;
};

// Timeslot RSSI of one frequency: the ten RSSI families (0.0 means none).
struct ScanRSSI_st {
    float fTS0 = 0;        // "RSSI_TS0_Scan"
    float fDwPTS = 0;      // "RSSI_DwPTS_Scan"
    float fTS[6] = {};     // "RSSI_TS1_Scan" .. "RSSI_TS6_Scan"
    float fFrame = 0;      // "RSSI_Frame_Scan"
    int32_t nUARFCN = -1;  // "UARFCN_RSSI_Scan"
    template <class V>
    void Visit(V& v) {
        v(fTS0), v(fDwPTS), v(fTS), v(fFrame), v(nUARFCN);
    }
    bool operator==(const ScanRSSI_st&) const = default;
};

// A cell of a summary record (type 9), in ascending (UARFCN, cell parameter).
struct ScanSummaryCell_st {
    int32_t nUARFCN = -1;           // "UARFCN_Scan"
    int32_t nCellParameterID = -1;  // "CellParameterID_Scan"
    float fRSCP = 0;                // "PCCPCH_RSCP_Scan"
    template <class V>
    void Visit(V& v) {
        v(nUARFCN), v(nCellParameterID), v(fRSCP);
    }
    bool operator==(const ScanSummaryCell_st&) const = default;
};

// Scanner block of records of types 8 and 9. The model number is also the
// kind byte that decides which measurements a type 8 record carries.
class CIE_Scanner_Info : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);

    uint8_t nModel = 0;
    uint8_t bVariant = 0;
    std::vector<int16_t> vSpectrum;  // spectrum points (up to 800 taken)
    uint8_t bHasFrequency = 0;       // the frequency entry below is present
    uint32_t nFrequency = 0;         // Hz; 3687 = nFrequency / 200000
    float fFrequencyFirst = 0;
    float fFrequencySecond = 0;  // 3686
    std::vector<ScanPCCPCH_st> vPCCPCH;
    std::vector<ScanDwPCH_st> vDwPCH;
    std::vector<ScanRSSI_st> vRSSI;  // up to 76 frequencies
    std::vector<ScanSummaryCell_st> vSummary;

    template <class V>
    void Visit(V& v) {
        v(nModel), v(bVariant), v.List(vSpectrum, 4096), v(bHasFrequency), v(nFrequency);
        v(fFrequencyFirst), v(fFrequencySecond), v.List(vPCCPCH, 256), v.List(vDwPCH, 256);
        v.List(vRSSI, 256), v.List(vSummary, 256);
    }
    bool operator==(const CIE_Scanner_Info&) const = default;
};

// A cell of the LTE scanner's lists (entry i of a list based at b feeds b + i,
// b + 32 + i, ... b + 192 + i).
struct LTEScanCell_st {
    uint32_t nEARFCN = 0;   // b + i
    uint16_t nPCI = 65535;  // b + 32 + i
    float fRSRP = 0;        // b + 64 + i
    float fRSRQ = 0;        // b + 96 + i
    float fSINR = 0;        // b + 128 + i
    float fRSSI = 0;        // b + 160 + i
    float fTiming = 0;      // b + 192 + i
    template <class V>
    void Visit(V& v) {
        v(nEARFCN), v(nPCI), v(fRSRP), v(fRSRQ), v(fSINR), v(fRSSI), v(fTiming);
    }
    bool operator==(const LTEScanCell_st&) const = default;
};

// The LTE scanner's lists (type 1 records of subtype 16), based at kBases.
class CIE_LTE_Scan_List : public FIELDRUN::CIEStruct {
public:
    static constexpr int kBases[3] = {34691, 34947, 35171};
    void setinfo(const CTestdataBase& record);
    std::vector<LTEScanCell_st> vList[3];  // up to 32 entries each
    template <class V>
    void Visit(V& v) {
        for (auto& list : vList) v.List(list, 256);
    }
    bool operator==(const CIE_LTE_Scan_List&) const = default;
};

// Protocol block of a double-protocol record (type 2). By kind:
//   0, 1: nFirst 2412, nSecond 2411, fValue[0..4] 2413..2417, nLast 2418
//   2:    nFirst 2420, nSecond 2419, fValue[0..4] 2421..2425, nLast 2426
//   3:    strFirst 2427, strSecond 2428, nFirst 2429, nSecond 2430,
//         nLast 2431, fValue[0..3] 2432..2435
class CIE_Double_Protocol : public FIELDRUN::CIEStruct {
public:
    void setinfo(const CTestdataBase& record);
    uint16_t nKind = 0;   // 2408
    uint32_t nValue = 0;  // 2410
    uint32_t nFirst = 0;
    uint32_t nSecond = 0;
    float fValue[5] = {};
    uint32_t nLast = 0;
    std::string strFirst;
    std::string strSecond;
    template <class V>
    void Visit(V& v) {
        v(nKind), v(nValue), v(nFirst), v(nSecond), v(fValue), v(nLast), v(strFirst), v(strSecond);
    }
    bool operator==(const CIE_Double_Protocol&) const = default;
};

// The block of record-block records (types 14 and 15): dValue[k] feeds
// 21265 + k. The first handler writes 21265 .. 21295, the second 21296 ..
// 21324; IsFloatIE tells which are written as floats.
class CIE_Record_Block : public FIELDRUN::CIEStruct {
public:
    static constexpr int kFirstIE = 21265;
    static constexpr int kCount = 60;
    static bool IsFloatIE(int ie);
    void setinfo(const CTestdataBase& record);
    double dValue[kCount] = {};
    template <class V>
    void Visit(V& v) {
        v(dValue);
    }
    bool operator==(const CIE_Record_Block&) const = default;
};

// The layer-3 message a record carries; its bytes are the record's buffer.
struct CIE_Msg_Info {
    std::string strMsgName;  // 35; empty when the record has no message
    uint32_t nMsgType =
        0;  // kind of message (the GSM unit takes 1010, 2020, 2021, 3005, 3006, 12155)
    uint32_t nStatus = 0;    // 40000: not to be shown
    int8_t nDirection = 0;   // 33: 0 downlink, 1 uplink
    int8_t nChannel = 0;     // 39: logical channel
    uint32_t nMsgValue = 0;  // 36 of LTE records
    template <class V>
    void Visit(V& v) {
        v(strMsgName), v(nMsgType), v(nStatus), v(nDirection), v(nChannel), v(nMsgValue);
    }
    bool operator==(const CIE_Msg_Info&) const = default;
};

// Basic information of a record, kept by the importer's cumulative record.
class CIE_Basic_Info : public FIELDRUN::CIEStruct {
public:
    // Copies the record's header; the fix only when withPosition.
    void setinfo(const CTestdataBase& record, bool withPosition);
    int32_t nRecordType = 0;
    int8_t nUENo = 0;
    int32_t nDeviceType = 0;
    int32_t nNetworkMode = 0;
    sys_time tRecordTime;
    int32_t nMessageID = 0;
    double dLongitude = kNoValueD;
    double dLatitude = -255;
    bool operator==(const CIE_Basic_Info&) const = default;
};
