// CTestdataBase: one decoded record of a stored drive-test log.
//
// Reading a record (CLogFileManager::ReadFile) fills its header and the blocks
// that tell its device: the scanner block, the LTE scanner lists, the
// double-protocol block and the record block. Decoding it (IDecoder::Decode)
// fills the message part, the buffer and the measurement blocks.
//
// The record owns its blocks; a pointer is null when the record lacks the
// block. To give a record a block, assign a new one to a null pointer or call
// Attach. Clear keeps the blocks' storage for the next record.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "logio/host/GSMBlocks.h"
#include "logio/host/IEBaseStruct.h"
#include "logio/host/LTEBlocks.h"
#include "logio/host/RecordBlocks.h"
#include "logio/host/TDBlocks.h"
#include "logio/host/TDListBlocks.h"
#include "logio/host/ToolUtility.h"

// Record types.
enum RecordTypeEnum {
    RECORD_TEST = 1,
    RECORD_DOUBLE_PROTOCOL = 2,
    RECORD_FILE_MARK = 6,
    RECORD_EVENT = 7,
    RECORD_SCANNER = 8,
    RECORD_SCANNER_SUMMARY = 9,
    RECORD_GSM_HANDSET = 10,
    RECORD_BLOCK_A = 14,
    RECORD_BLOCK_B = 15,
    RECORD_TYPE_16 = 16,
};

// Network modes of a record: 0 and 1 leave the mode unchanged.
enum NetworkModeEnum { NETMODE_KEEP = 0, NETMODE_KEEP_1 = 1, NETMODE_TD = 2, NETMODE_GSM = 3 };

// No event number.
constexpr uint32_t kNoEvent = 0xFFFFFFFFu;

struct CTestdataSpares;

class CTestdataBase {
public:
    // With attachTDBlocks the six TD-SCDMA blocks are created empty (a
    // cumulative record). The second argument is kept for callers that pass
    // one and has no effect.
    explicit CTestdataBase(bool attachTDBlocks = false, int reserved = 0);
    virtual ~CTestdataBase();
    CTestdataBase(const CTestdataBase&) = delete;
    CTestdataBase& operator=(const CTestdataBase&) = delete;

    // Header back to its defaults, every block detached (storage kept).
    void Clear();
    // Header, message part, buffer and copies of every block of other.
    void CopyFrom(const CTestdataBase& other);
    // The block in slot, created empty when the slot is null.
    template <class B>
    B* Attach(B*& slot) {
        if (!slot) slot = new B();
        return slot;
    }
    // True once the measurement content was decoded (or the record was built
    // in memory).
    bool IsDecoded() const { return m_bDecoded; }

    // The header IEs (3, 5, 6, 7, 8, 9, 2379, 2380, 2386, 26771) and, by
    // mode, the serving cell's or the LTE scanner's values. Values a record
    // lacks are left out.
    void GetAllIEs(std::list<pair_ie_id_value>& ies, E_UE_MODE mode) const;

    // ---- header
    int32_t m_nRecordType = 0;       // RecordTypeEnum; IE 9
    int8_t m_nUENo = 0;              // 0 for the log itself, 1..8 handsets and scanners
    int32_t m_nDeviceType = 0;       // handset type of a test record; 0 and 1 unknown
    int32_t m_nNetworkMode = 0;      // NetworkModeEnum; IE 26771
    sys_time m_RecordTime;           // IE 2 with the log's date
    int32_t m_nMessageID = 0;        // IE 3
    double m_dLongitude = -255;      // IE 2379; logs of version 110 mark no fix by -1
    double m_dLatitude = -255;       // IE 2380
    std::string m_strRecordText;     // IE 4: the record's text (the test item running)
    int16_t m_nChannel = 0;          // IE 5: the device's channel (port)
    int16_t m_nStatus = 0;           // IE 6: the record's status
    int32_t m_nSequenceNumber = -1;  // IE 7 when above 0: the device's record counter
    int16_t m_nSubType = 0;          // IE 8: 14, 15 LTE handsets, 16 the LTE scanner
    int32_t m_nTimeStamp = 0;        // IE 2386: the device's clock, milliseconds
    uint8_t m_bSegment = 0;          // a new measurement segment starts here
    uint32_t m_nEventID = kNoEvent;  // IE 10 of event records

    // ---- message part and buffer (decoded)
    CIE_Msg_Info m_MsgInfo;
    FIELDRUN::CAutoBuffer m_Buffer;  // message bytes, or the text of a file mark

    // ---- blocks read with the record
    CIE_Scanner_Info* m_pScannerInfo = nullptr;
    CIE_LTE_Scan_List* m_pLTEScanList = nullptr;
    CIE_Double_Protocol* m_pDoubleProtocol = nullptr;
    CIE_Record_Block* m_pRecordBlock = nullptr;

    // ---- TD-SCDMA blocks (decoded)
    CIE_SCell_Para* m_pSCellPara = nullptr;
    CIE_SCell_Meas* m_pSCellMeas = nullptr;
    CIE_NCell_Meas* m_pNCellMeas = nullptr;
    CIE_Channel_Para* m_pChannelPara = nullptr;
    CIE_Meas_Res* m_pMeasRes = nullptr;
    CIE_Layer12_Config_Para* m_pLayer12ConfigPara = nullptr;

    // ---- GSM blocks (decoded)
    CIE_GSM_SCell_Sys_Info* m_pGSMSCellSysInfo = nullptr;
    CIE_GSM_SCell_Resel_Sys_Info* m_pGSMSCellReselSysInfo = nullptr;
    CIE_GSM_SCell_Radio_Info* m_pGSMSCellRadioInfo = nullptr;
    CIE_GSM_SCell_DSC* m_pGSMSCellDSC = nullptr;
    CIE_GSM_NCell_Info* m_pGSMNCellInfo = nullptr;
    CIE_GSM_MS_Muti_Slot_Class* m_pGSMMSMutiSlotClass = nullptr;
    CIE_GSM_Ded_CH_Info* m_pGSMDedCHInfo = nullptr;
    CIE_GSM_Ded_Meas_Info* m_pGSMDedMeasInfo = nullptr;
    CIE_GSM_SCell_Ch_Radio_Link_Counter* m_pGSMSCellChRadioLinkCounter = nullptr;
    CIE_GSM_MS_Class* m_pGSMMSClass = nullptr;
    CIE_GSM_RAT_Indicate* m_pGSMRATIndicate = nullptr;
    CIE_GSM_LLC_GPRS_Qos_Info* m_pGSMLLCGPRSQosInfo = nullptr;
    CIE_GSM_HO_Num* m_pGSMHONum = nullptr;
    CIE_GSM_RLC_GPRS_Qos_Info* m_pGSMRLCGPRSQosInfo = nullptr;
    CIE_GSM_NCell_Meas_List* m_pGSMNCellMeasList = nullptr;
    CIE_GSM_8130E_Simple_Info* m_pGSMSimpleInfo = nullptr;

    // ---- LTE blocks (decoded)
    CIE_LTE_UE_Info* m_pLTEUEInfo = nullptr;
    CIE_LTE_Second_Info* m_pLTESecondInfo = nullptr;
    CIE_LTE_Inline_Info* m_pLTEInlineInfo = nullptr;

    // ---- TD-SCDMA lists of the record (decoded)
    CIE_TD_First_Byte* m_pTDFirstByte = nullptr;
    CIE_TD_Meas_List* m_pTDMeasList = nullptr;
    CIE_TD_Second_List* m_pTDSecondList = nullptr;
    CIE_TD_Cell_Para_List* m_pTDCellParaList = nullptr;
    CIE_TD_Quality* m_pTDQuality = nullptr;
    CIE_TD_Timeslot_List* m_pTDTimeslotList = nullptr;
    CIE_TD_Ten_Values* m_pTDTenValues = nullptr;
    CIE_TD_Two_Values* m_pTDTwoValues = nullptr;
    CIE_TD_Three_Values* m_pTDThreeValues = nullptr;
    CIE_TD_Cell_List* m_pTDCellList = nullptr;
    CIE_TD_Cell32_List* m_pTDCell32List = nullptr;
    CIE_TD_Three_Values_B* m_pTDThreeValuesB = nullptr;
    CIE_TD_Four_Values* m_pTDFourValues = nullptr;
    CIE_TD_Last_Two* m_pTDLastTwo = nullptr;
    CIE_TD_Param_Ten* m_pTDParamTen = nullptr;
    CIE_TD_Param_Lists* m_pTDParamLists = nullptr;
    CIE_TD_Param_Singles* m_pTDParamSingles = nullptr;
    CIE_TD_TrCH_Lists* m_pTDTrCHLists = nullptr;
    CIE_TD_Alloc_List* m_pTDAllocList = nullptr;
    CIE_TD_Code_List* m_pTDCodeList = nullptr;
    CIE_TD_Quality_Word* m_pTDQualityWord = nullptr;
    CIE_TD_Extra_Values* m_pTDExtraValues = nullptr;
    CIE_Service_State* m_pServiceState = nullptr;

    // ---- kept by the importer's cumulative record
    CIE_Basic_Info m_BasicInfo;

private:
    friend class CRecordCodec;
    bool m_bDecoded = true;
    // The measurement content as stored, until it is decoded.
    std::vector<unsigned char> m_raw;
    std::unique_ptr<CTestdataSpares> m_spares;
};
