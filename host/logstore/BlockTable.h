// Every block a stored record can carry: its tag in the store, its class and
// its member in CTestdataBase. Tags are never reused; a reader skips tags it
// does not know.
#pragma once

// Blocks read with the record (they tell its device).
#define LOGSTORE_DEVICE_BLOCKS(X)                   \
    X(0x01, CIE_Scanner_Info, m_pScannerInfo)       \
    X(0x02, CIE_LTE_Scan_List, m_pLTEScanList)      \
    X(0x03, CIE_Double_Protocol, m_pDoubleProtocol) \
    X(0x04, CIE_Record_Block, m_pRecordBlock)

// Blocks of the measurement content, filled by decoding.
#define LOGSTORE_CONTENT_BLOCKS(X)                                              \
    X(0x30, CIE_SCell_Para, m_pSCellPara)                                       \
    X(0x31, CIE_SCell_Meas, m_pSCellMeas)                                       \
    X(0x32, CIE_NCell_Meas, m_pNCellMeas)                                       \
    X(0x33, CIE_Channel_Para, m_pChannelPara)                                   \
    X(0x34, CIE_Meas_Res, m_pMeasRes)                                           \
    X(0x35, CIE_Layer12_Config_Para, m_pLayer12ConfigPara)                      \
    X(0x40, CIE_GSM_SCell_Sys_Info, m_pGSMSCellSysInfo)                         \
    X(0x41, CIE_GSM_SCell_Resel_Sys_Info, m_pGSMSCellReselSysInfo)              \
    X(0x42, CIE_GSM_SCell_Radio_Info, m_pGSMSCellRadioInfo)                     \
    X(0x43, CIE_GSM_SCell_DSC, m_pGSMSCellDSC)                                  \
    X(0x44, CIE_GSM_NCell_Info, m_pGSMNCellInfo)                                \
    X(0x45, CIE_GSM_MS_Muti_Slot_Class, m_pGSMMSMutiSlotClass)                  \
    X(0x46, CIE_GSM_Ded_CH_Info, m_pGSMDedCHInfo)                               \
    X(0x47, CIE_GSM_Ded_Meas_Info, m_pGSMDedMeasInfo)                           \
    X(0x48, CIE_GSM_SCell_Ch_Radio_Link_Counter, m_pGSMSCellChRadioLinkCounter) \
    X(0x49, CIE_GSM_MS_Class, m_pGSMMSClass)                                    \
    X(0x4A, CIE_GSM_RAT_Indicate, m_pGSMRATIndicate)                            \
    X(0x4B, CIE_GSM_LLC_GPRS_Qos_Info, m_pGSMLLCGPRSQosInfo)                    \
    X(0x4C, CIE_GSM_HO_Num, m_pGSMHONum)                                        \
    X(0x4D, CIE_GSM_RLC_GPRS_Qos_Info, m_pGSMRLCGPRSQosInfo)                    \
    X(0x4E, CIE_GSM_NCell_Meas_List, m_pGSMNCellMeasList)                       \
    X(0x4F, CIE_GSM_8130E_Simple_Info, m_pGSMSimpleInfo)                        \
    X(0x50, CIE_LTE_UE_Info, m_pLTEUEInfo)                                      \
    X(0x51, CIE_LTE_Second_Info, m_pLTESecondInfo)                              \
    X(0x52, CIE_LTE_Inline_Info, m_pLTEInlineInfo)                              \
    X(0x60, CIE_TD_First_Byte, m_pTDFirstByte)                                  \
    X(0x61, CIE_TD_Meas_List, m_pTDMeasList)                                    \
    X(0x62, CIE_TD_Second_List, m_pTDSecondList)                                \
    X(0x63, CIE_TD_Cell_Para_List, m_pTDCellParaList)                           \
    X(0x64, CIE_TD_Quality, m_pTDQuality)                                       \
    X(0x65, CIE_TD_Timeslot_List, m_pTDTimeslotList)                            \
    X(0x66, CIE_TD_Ten_Values, m_pTDTenValues)                                  \
    X(0x67, CIE_TD_Two_Values, m_pTDTwoValues)                                  \
    X(0x68, CIE_TD_Three_Values, m_pTDThreeValues)                              \
    X(0x69, CIE_TD_Cell_List, m_pTDCellList)                                    \
    X(0x6A, CIE_TD_Cell32_List, m_pTDCell32List)                                \
    X(0x6B, CIE_TD_Three_Values_B, m_pTDThreeValuesB)                           \
    X(0x6C, CIE_TD_Four_Values, m_pTDFourValues)                                \
    X(0x6D, CIE_TD_Last_Two, m_pTDLastTwo)                                      \
    X(0x6E, CIE_TD_Param_Ten, m_pTDParamTen)                                    \
    X(0x6F, CIE_TD_Param_Lists, m_pTDParamLists)                                \
    X(0x70, CIE_TD_Param_Singles, m_pTDParamSingles)                            \
    X(0x71, CIE_TD_TrCH_Lists, m_pTDTrCHLists)                                  \
    X(0x72, CIE_TD_Alloc_List, m_pTDAllocList)                                  \
    X(0x73, CIE_TD_Code_List, m_pTDCodeList)                                    \
    X(0x74, CIE_TD_Quality_Word, m_pTDQualityWord)                              \
    X(0x75, CIE_TD_Extra_Values, m_pTDExtraValues)                              \
    X(0x76, CIE_Service_State, m_pServiceState)

#define LOGSTORE_ALL_BLOCKS(X) LOGSTORE_DEVICE_BLOCKS(X) LOGSTORE_CONTENT_BLOCKS(X)

// Tags of the message part and of the buffer (not blocks of their own).
constexpr unsigned char kTagMessage = 0x20;
constexpr unsigned char kTagBuffer = 0x21;

// Index of each block kind, for the record's spare blocks.
enum LogstoreBlockIndex {
#define LOGSTORE_INDEX(tag, type, member) kIndex_##type,
    LOGSTORE_ALL_BLOCKS(LOGSTORE_INDEX)
#undef LOGSTORE_INDEX
        kLogstoreBlockKinds
};
