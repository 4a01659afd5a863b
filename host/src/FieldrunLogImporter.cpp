// The importer of automatic drive-test and China Mobile logs: one stream per
// UE, one row per record with the record's position, time, kind and serving
// cell level.
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "host/logstore/LogReader.h"
#include "host/logstore/LogTools.h"
#include "logio/facade/Importer.h"
#include "logio/host/Decode.h"
#include "logio/host/HostDefs.h"
#include "logio/host/ImportFieldrunLog.h"
#include "logio/host/MemDataRow.h"
#include "logio/host/Project.h"
#include "logio/host/StreamManager.h"
#include "platform/Path.h"

using namespace logstore;

namespace {

// IEs the importer writes.
enum : int {
    IE_RECORD_ID = 1,
    IE_MESSAGE_ID = 3,
    IE_RECORD_TYPE = 9,
    IE_EVENT_ID = 10,
    IE_EVENT_NAME = 20,
    IE_TD_RSCP = 499,
    IE_LONGITUDE = 2379,
    IE_LATITUDE = 2380,
    IE_NETWORK_MODE = 26771,
    IE_GSM_RXLEV = 31703,
    IE_LTE_RSRP = 33415,
};

ImpIESettingMap& Selection(uint8_t kind) {
    static ImpIESettingMap cs, cmcc;
    return kind == LOG_KIND_CS ? cs : cmcc;
}

struct StreamState {
    IDataStream* stream = nullptr;
    std::set<int> ies;
    double first = kNoValueD, last = kNoValueD;
    double maxLon = kNoValueD, minLon = kNoValueD, maxLat = kNoValueD, minLat = kNoValueD;
    int lastMode = 0;
    bool lte = false;
};

class CFieldrunLogImporter : public IImporter {
public:
    explicit CFieldrunLogImporter(uint8_t kind) : m_kind(kind) {}
    int Import(const CString& path, ILogfile** logfile) override;

private:
    bool Selected(int ie) const {
        return ie == IE_RECORD_ID || m_selected.empty() || m_selected.count(ie) > 0;
    }
    void Write(StreamState& s, CMemDataRow& row, int ie, uniFieldValue value) {
        if (!Selected(ie)) return;
        row.QuickAddIE(ie, value);
        s.ies.insert(ie);
    }
    StreamState* Stream(ILogfile& log, const CString& title, int ue, int streamType);
    void Convert(StreamState& s, const CTestdataBase& r, int64_t seconds, bool sentinel);
    void Finish(ILogfile& log);

    uint8_t m_kind;
    std::set<int> m_selected;
    std::map<int, StreamState> m_streams;
};

StreamState* CFieldrunLogImporter::Stream(ILogfile& log, const CString& title, int ue,
                                          int streamType) {
    auto it = m_streams.find(ue);
    if (it != m_streams.end()) return &it->second;
    const char* device = m_kind == LOG_KIND_CS ? "AutoTest" : "CMCC";
    const CString deviceName = CString::Formatted("%s(%d)", device, ue);
    IDataStream* stream = CStreamManagerCreator::CreateStreamManager()->CreateStream(
        CString::Formatted("%s_%s", title, deviceName), streamType);
    stream->SetUENumber(ue);
    stream->SetDeviceName(deviceName);
    stream->SetDeviceClass(DEVICE_HANDSET);
    stream->SetFilterOperator("AND");
    log.AddStream(stream);
    StreamState& s = m_streams[ue];
    s.stream = stream;
    return &s;
}

void CFieldrunLogImporter::Convert(StreamState& s, const CTestdataBase& r, int64_t seconds,
                                   bool sentinel) {
    auto& rows = s.stream->GetRows();
    const int sync = static_cast<int>(rows.size()) + 1;
    auto row = std::make_unique<CMemDataRow>();
    row->Reserve(12);
    row->SetSynFieldValue(sync);
    const double t = static_cast<double>(seconds) + r.m_RecordTime.millisecond / 1000.0;
    row->SetRecordTime(t);
    if (s.first == kNoValueD || t < s.first) s.first = t;
    if (s.last == kNoValueD || t > s.last) s.last = t;
    Write(s, *row, IE_RECORD_ID, IntFieldValue(sync));
    Write(s, *row, IE_MESSAGE_ID, IntFieldValue(r.m_nMessageID));
    Write(s, *row, IE_RECORD_TYPE, IntFieldValue(r.m_nRecordType));
    // Version 110 logs mark a missing fix by -1; later ones by values out of range.
    const bool fix = sentinel ? !(r.m_dLongitude == -1.0 || r.m_dLatitude == -1.0)
                              : std::fabs(r.m_dLongitude) <= 180 && std::fabs(r.m_dLatitude) <= 90;
    if (fix) {
        Write(s, *row, IE_LONGITUDE, FloatFieldValue(static_cast<float>(r.m_dLongitude)));
        Write(s, *row, IE_LATITUDE, FloatFieldValue(static_cast<float>(r.m_dLatitude)));
        if (s.maxLon == kNoValueD || r.m_dLongitude > s.maxLon) s.maxLon = r.m_dLongitude;
        if (s.minLon == kNoValueD || r.m_dLongitude < s.minLon) s.minLon = r.m_dLongitude;
        if (s.maxLat == kNoValueD || r.m_dLatitude > s.maxLat) s.maxLat = r.m_dLatitude;
        if (s.minLat == kNoValueD || r.m_dLatitude < s.minLat) s.minLat = r.m_dLatitude;
    }
    if (r.m_nNetworkMode >= 2) s.lastMode = r.m_nNetworkMode;
    Write(s, *row, IE_NETWORK_MODE, ShortFieldValue(static_cast<int16_t>(r.m_nNetworkMode)));
    if (r.m_pSCellMeas && r.m_pSCellMeas->nRSCP != -1)
        Write(s, *row, IE_TD_RSCP,
              ShortFieldValue(static_cast<int16_t>(
                  r.m_pSCellMeas->nRSCP == -2 ? kNoValue : r.m_pSCellMeas->nRSCP - 116)));
    if (r.m_pGSMSCellRadioInfo && r.m_pGSMSCellRadioInfo->nRxLevFull < 254)
        Write(s, *row, IE_GSM_RXLEV,
              ShortFieldValue(static_cast<int16_t>(r.m_pGSMSCellRadioInfo->nRxLevFull - 110)));
    if (r.m_pLTEUEInfo || r.m_pLTESecondInfo) {
        s.lte = true;
        const uint16_t raw =
            r.m_pLTEUEInfo ? r.m_pLTEUEInfo->nServing[14] : r.m_pLTESecondInfo->n33415[0];
        if (raw < 65535)
            Write(s, *row, IE_LTE_RSRP,
                  ShortFieldValue(static_cast<int16_t>(raw == 65534 ? kNoValue : raw - 141)));
    }
    if (r.m_nRecordType == RECORD_EVENT && r.m_nEventID != kNoEvent) {
        const CString name = g_sysProject.GetEventName(static_cast<int>(r.m_nEventID));
        Write(s, *row, IE_EVENT_ID, IntFieldValue(static_cast<int32_t>(r.m_nEventID)));
        if (!name.IsEmpty() && Selected(IE_EVENT_NAME)) {
            Write(s, *row, IE_EVENT_NAME, MakeTextFieldValue(name));
            s.stream->AddEventName(name);
        }
    }
    row->Shrink();
    rows[sync] = row.release();
}

void CFieldrunLogImporter::Finish(ILogfile& log) {
    int total = 0;
    double maxLon = kNoValueD, minLon = kNoValueD, maxLat = kNoValueD, minLat = kNoValueD;
    for (auto& [ue, s] : m_streams) {
        IDataStream& st = *s.stream;
        const int count = static_cast<int>(st.GetRows().size());
        total += count;
        st.SetRowCount(count);
        st.SetStartTime(s.first);
        st.SetEndTime(s.last);
        st.SetMaxLongitude(s.maxLon);
        st.SetMinLongitude(s.minLon);
        st.SetMaxLatitude(s.maxLat);
        st.SetMinLatitude(s.minLat);
        st.SetPositionKnown(s.minLon != kNoValueD ? 1 : 0);
        st.SetProtocol(s.lte ? "LTE" : s.lastMode == 3 ? "GSM" : "TD-SCDMA");
        for (int ie : s.ies) {
            const CString name = g_project.GetIEName(ie);
            if (!name.IsEmpty()) st.AddIEName(name);
        }
        st.CompleteRows();
        st.CompleteStream();
        if (s.maxLon != kNoValueD && (maxLon == kNoValueD || s.maxLon > maxLon)) maxLon = s.maxLon;
        if (s.minLon != kNoValueD && (minLon == kNoValueD || s.minLon < minLon)) minLon = s.minLon;
        if (s.maxLat != kNoValueD && (maxLat == kNoValueD || s.maxLat > maxLat)) maxLat = s.maxLat;
        if (s.minLat != kNoValueD && (minLat == kNoValueD || s.minLat < minLat)) minLat = s.minLat;
    }
    log.SetRowCount(total);
    log.SetMaxLongitude(maxLon);
    log.SetMinLongitude(minLon);
    log.SetMaxLatitude(maxLat);
    log.SetMinLatitude(minLat);
}

int CFieldrunLogImporter::Import(const CString& path, ILogfile** logfile) {
    if (logfile) *logfile = nullptr;
    IStreamManager* manager = CStreamManagerCreator::CreateStreamManager();
    if (manager->FindLogfile(path)) return -2;
    CLogReader reader;
    if (!reader.Open(path) || reader.Header().kind != m_kind) return 0;
    const LogHeader& h = reader.Header();

    m_streams.clear();
    m_selected.clear();
    for (const auto& [name, setting] : Selection(m_kind)) {
        const int ie = g_sysProject.GetIEID(name);
        if (ie != kNoValue) m_selected.insert(ie);
    }
    // A selection of names the tables do not know selects nothing but the record number.
    if (m_selected.empty() && !Selection(m_kind).empty()) m_selected.insert(IE_RECORD_ID);

    ILogfile* log = manager->CreateLogfile(path);
    log->SetVersion(static_cast<int>(h.version));
    log->SetSourceKind(1);
    log->SetOutdoor(h.testType == 2 ? 0 : 1);
    log->SetFacType(h.handsetType);
    const CString title = platform::PathTitle(path);
    const int streamType = h.testType == 2 ? STREAM_INDOOR : STREAM_DOWNLINK;
    CRecordClock clock(h);
    CDecoder decoder;
    CTestdataBase record;
    try {
        while (reader.Next(record)) {
            const int64_t seconds = clock.Seconds(record.m_RecordTime.ToMilliseconds());
            if (record.m_nUENo < 1 || record.m_nUENo > 8 || seconds < 0) continue;
            if (!decoder.Decode(static_cast<int>(h.version), &record, &record)) continue;
            Convert(*Stream(*log, title, record.m_nUENo, streamType), record, seconds,
                    h.version == 110);
        }
    } catch (const std::exception&) {
        manager->RemoveLogfile(path);
        m_streams.clear();
        return 0;
    }
    if (m_streams.empty()) {
        manager->RemoveLogfile(path);
        return 0;
    }
    Finish(*log);
    m_streams.clear();
    if (logfile) *logfile = log;
    return 1;
}

}  // namespace

IImporter* CCSLogImportWrap::CreateImporter() { return new CFieldrunLogImporter(LOG_KIND_CS); }

void CCSLogImportWrap::SetImpSetting(const ImpIESettingMap& setting) {
    Selection(LOG_KIND_CS) = setting;
}

IImporter* CCMCCLogImportWrap::CreateImporter() { return new CFieldrunLogImporter(LOG_KIND_CMCC); }

void CCMCCLogImportWrap::SetImpSetting(const ImpIESettingMap& setting) {
    Selection(LOG_KIND_CMCC) = setting;
}
