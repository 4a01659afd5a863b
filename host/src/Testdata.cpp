#include "logio/host/Testdata.h"
#include "logio/host/HostDefs.h"

#include "host/logstore/RecordCodec.h"

CTestdataBase::CTestdataBase(bool attachTDBlocks, int) {
    if (attachTDBlocks) {
        m_pSCellPara = new CIE_SCell_Para(1);
        m_pSCellMeas = new CIE_SCell_Meas(1);
        m_pNCellMeas = new CIE_NCell_Meas(1);
        m_pChannelPara = new CIE_Channel_Para(1);
        m_pMeasRes = new CIE_Meas_Res(1);
        m_pLayer12ConfigPara = new CIE_Layer12_Config_Para(1);
    }
}

CTestdataBase::~CTestdataBase() { CRecordCodec::DeleteBlocks(*this); }

void CTestdataBase::Clear() {
    m_nRecordType = 0;
    m_nUENo = 0;
    m_nDeviceType = 0;
    m_nNetworkMode = 0;
    m_RecordTime = sys_time();
    m_nMessageID = 0;
    m_dLongitude = kNoValueD;
    m_dLatitude = kNoValueD;
    m_strRecordText.clear();
    m_nChannel = 0;
    m_nStatus = 0;
    m_nSequenceNumber = -1;
    m_nSubType = 0;
    m_nTimeStamp = 0;
    m_bSegment = 0;
    m_nEventID = kNoEvent;
    m_MsgInfo = CIE_Msg_Info();
    m_Buffer.Clear();
    m_BasicInfo = CIE_Basic_Info();
    CRecordCodec::DetachBlocks(*this);
    m_raw.clear();
    m_bDecoded = true;
}

void CTestdataBase::CopyFrom(const CTestdataBase& other) {
    if (&other == this) return;
    Clear();
    CRecordCodec::CopyHeader(other, *this);
    CRecordCodec::CopyBlocks(other, *this);
    m_MsgInfo = other.m_MsgInfo;
    m_Buffer = other.m_Buffer;
    m_BasicInfo = other.m_BasicInfo;
    m_raw = other.m_raw;
    m_bDecoded = other.m_bDecoded;
}

namespace {

void Add(std::list<pair_ie_id_value>& ies, int ie, double value) {
    ies.push_back(pair_ie_id_value{ie, value});
}

// A 16-bit LTE code: 65535 absent, 65534 invalid.
void AddCoded16(std::list<pair_ie_id_value>& ies, int ie, uint16_t raw) {
    if (raw == 65535) return;
    Add(ies, ie, raw == 65534 ? kNoValueD : static_cast<int16_t>(raw));
}

}  // namespace

void CTestdataBase::GetAllIEs(std::list<pair_ie_id_value>& ies, E_UE_MODE mode) const {
    ies.clear();
    Add(ies, 3, m_nMessageID);
    Add(ies, 5, m_nChannel);
    Add(ies, 6, m_nStatus);
    if (m_nSequenceNumber > 0) Add(ies, 7, m_nSequenceNumber);
    if (m_nSubType != 0) Add(ies, 8, m_nSubType);
    Add(ies, 9, m_nRecordType);
    Add(ies, 2379, m_dLongitude);
    Add(ies, 2380, m_dLatitude);
    Add(ies, 2386, m_nTimeStamp);
    Add(ies, 26771, m_nNetworkMode);
    switch (mode) {
        case UE_MODE_TD:
            if (m_pSCellPara) {
                if (m_pSCellPara->nCellParameterID >= 0)
                    Add(ies, 140, m_pSCellPara->nCellParameterID);
                if (m_pSCellPara->nUARFCN >= 0) Add(ies, 147, m_pSCellPara->nUARFCN);
            }
            if (m_pSCellMeas && m_pSCellMeas->nRSCP != -1)
                Add(ies, 499, m_pSCellMeas->nRSCP == -2 ? kNoValueD : m_pSCellMeas->nRSCP - 116);
            break;
        case UE_MODE_GSM:
            if (m_pGSMSCellSysInfo) {
                Add(ies, 31699, m_pGSMSCellSysInfo->nLAC);
                Add(ies, 31700, m_pGSMSCellSysInfo->nCI);
            }
            if (m_pGSMSCellRadioInfo && m_pGSMSCellRadioInfo->nRxLevFull < 254)
                Add(ies, 31703, m_pGSMSCellRadioInfo->nRxLevFull - 110);
            break;
        case UE_MODE_LTE:
            if (m_pLTEUEInfo) {
                AddCoded16(ies, 33415, m_pLTEUEInfo->nServing[14]);
                AddCoded16(ies, 33416, m_pLTEUEInfo->nServing[16]);
            }
            break;
        case UE_MODE_LTE_SCANNER:
            if (m_pLTEScanList) {
                for (int k = 0; k < 3; ++k) {
                    const int base = CIE_LTE_Scan_List::kBases[k];
                    const auto& list = m_pLTEScanList->vList[k];
                    for (size_t i = 0; i < list.size() && i < 32; ++i) {
                        const int at = base + static_cast<int>(i);
                        Add(ies, at, list[i].nEARFCN);
                        AddCoded16(ies, at + 32, list[i].nPCI);
                        Add(ies, at + 64, list[i].fRSRP);
                        Add(ies, at + 96, list[i].fRSRQ);
                        Add(ies, at + 128, list[i].fSINR);
                        Add(ies, at + 160, list[i].fRSSI);
                        Add(ies, at + 192, list[i].fTiming);
                    }
                }
            }
            break;
        case UE_MODE_HEADER:
            break;
    }
}
