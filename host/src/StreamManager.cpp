#include "logio/host/StreamManager.h"

#include <algorithm>
#include <vector>

#include "logio/host/HostDefs.h"

namespace {

// Longitude IE 2379 and latitude IE 2380 give a row's position.
constexpr int kIELongitude = 2379;
constexpr int kIELatitude = 2380;
// Rows keep their time in their own field rather than as an IE value.
constexpr int kIERecordTime = 2;

CString RecordTimeText(const CMemDataRow& row) {
    return CString::Formatted("%.3f", row.GetRecordTime());
}

bool RowPosition(const CMemDataRow& row, double& lon, double& lat) {
    uniFieldValue v;
    if (!row.GetIEValueByID(kIELongitude, v)) return false;
    lon = g_memDataType.GetType(kIELongitude) == MEMTABLE_FIELD_INT ? v.iValue : v.fValue;
    if (!row.GetIEValueByID(kIELatitude, v)) return false;
    lat = g_memDataType.GetType(kIELatitude) == MEMTABLE_FIELD_INT ? v.iValue : v.fValue;
    return lon != kNoValueD && lat != kNoValueD && lon >= -180 && lon <= 180 && lat >= -90 &&
           lat <= 90;
}

class CRecordCursor : public IRecordCursor {
public:
    explicit CRecordCursor(std::map<int, CMemDataRow*>& rows) : m_rows(rows) {}

    bool First() override {
        m_it = m_rows.begin();
        m_seen.assign(m_seen.size(), 0);
        if (m_it == m_rows.end()) return false;
        Remember();
        return true;
    }
    bool IsEnd() const override { return m_it == m_rows.end() || std::next(m_it) == m_rows.end(); }
    void Step(int n) override {
        for (; n > 0 && !IsEnd(); --n) {
            ++m_it;
            Remember();
        }
    }
    CMemDataRow* Current() const override { return m_it == m_rows.end() ? nullptr : m_it->second; }
    CString GetValueText(int ie) const override {
        CString text;
        if (CMemDataRow* row = Current();
            row && !row->GetIEValueText(ie, text) && ie == kIERecordTime)
            text = RecordTimeText(*row);
        return text;
    }
    CString GetFilledValueText(int ie) const override {
        if (ie == kIERecordTime) return GetValueText(ie);
        if (ie < 0 || static_cast<size_t>(ie) >= m_seen.size() || !m_seen[ie]) return CString();
        return FieldValueToText(g_memDataType.GetType(ie), m_last[ie]);
    }

private:
    // Carries every IE of the row forward as its last known value; the rows
    // outlive the cursor, so text pointers stay valid.
    void Remember() {
        const CMemDataRow* row = Current();
        if (!row) return;
        for (int i = 0; i < row->GetIECount(); ++i) {
            const int ie = row->GetParamID(i);
            if (ie < 0) continue;
            if (static_cast<size_t>(ie) >= m_seen.size()) {
                m_seen.resize(static_cast<size_t>(ie) + 1, 0);
                m_last.resize(static_cast<size_t>(ie) + 1);
            }
            m_seen[ie] = 1;
            m_last[ie] = row->GetParamValue(i);
        }
    }

    std::map<int, CMemDataRow*>& m_rows;
    std::map<int, CMemDataRow*>::iterator m_it = m_rows.end();
    std::vector<uint8_t> m_seen;
    std::vector<uniFieldValue> m_last;
};

// The four extent values and their accessors, shared by streams and logs.
template <class Base>
class WithExtent : public Base {
public:
    void SetMaxLongitude(double v) override { m_maxLon = v; }
    void SetMinLongitude(double v) override { m_minLon = v; }
    void SetMaxLatitude(double v) override { m_maxLat = v; }
    void SetMinLatitude(double v) override { m_minLat = v; }
    double GetMaxLongitude() const override { return m_maxLon; }
    double GetMinLongitude() const override { return m_minLon; }
    double GetMaxLatitude() const override { return m_maxLat; }
    double GetMinLatitude() const override { return m_minLat; }

protected:
    double m_maxLon = kNoValueD, m_minLon = kNoValueD, m_maxLat = kNoValueD, m_minLat = kNoValueD;
};

class CDataStream : public WithExtent<IDataStream> {
public:
    CDataStream(const CString& name, int type) : m_name(name), m_type(type) {}
    ~CDataStream() override {
        for (auto& [n, row] : m_rows) delete row;
        for (auto& [n, row] : m_eventRows) delete row;
    }

    CString GetName() const override { return m_name; }
    void SetName(const CString& name) override { m_name = name; }
    int GetType() const override { return m_type; }
    CString GetProtocol() const override { return m_protocol; }
    void SetProtocol(const CString& p) override { m_protocol = p; }
    CString GetFilterOperator() const override { return m_filterOperator; }
    void SetFilterOperator(const CString& op) override { m_filterOperator = op; }
    CString GetDeviceName() const override { return m_deviceName; }
    void SetDeviceName(const CString& name) override { m_deviceName = name; }
    int GetUENumber() const override { return m_ue; }
    void SetUENumber(int ue) override { m_ue = ue; }
    int GetDeviceClass() const override { return m_deviceClass; }
    void SetDeviceClass(int cls) override { m_deviceClass = cls; }
    void SetPositionKnown(int known) override { m_positionKnown = known; }
    int IsPositionMissing() const override { return m_positionKnown ? 0 : 1; }
    int GetRowCount() const override { return m_rowCount; }
    void SetRowCount(int count) override { m_rowCount = count; }
    double GetStartTime() const override { return m_start; }
    void SetStartTime(double t) override { m_start = t; }
    double GetEndTime() const override { return m_end; }
    void SetEndTime(double t) override { m_end = t; }
    void AddIEName(const CString& name) override { m_ieNames.insert(name); }
    void AddEventName(const CString& name) override { m_eventNames.push_back(name); }
    std::list<CString> GetEventNames() const override { return m_eventNames; }
    void AddExtraName(const CString& name) override { m_extraNames.insert(name); }
    std::list<CString> GetExtraNames() const override {
        return {m_extraNames.begin(), m_extraNames.end()};
    }
    std::list<CString> GetIENames() const override { return {m_ieNames.begin(), m_ieNames.end()}; }
    CStatResult& GetStatResult() override { return m_stat; }
    std::map<int, CMemDataRow*>& GetRows() override { return m_rows; }
    std::map<int, CMemDataRow*>& GetEventRows() override { return m_eventRows; }
    std::unique_ptr<IRecordCursor> OpenCursor() override {
        return std::make_unique<CRecordCursor>(m_rows);
    }

    void CompleteRows() override {
        if (m_rowCount <= 0) m_rowCount = static_cast<int>(m_rows.size());
        if (m_rows.empty()) return;
        if (m_start == kNoValueD) m_start = m_rows.begin()->second->GetRecordTime();
        if (m_end == kNoValueD) m_end = m_rows.rbegin()->second->GetRecordTime();
        if (m_minLon != kNoValueD) return;
        bool any = false;
        for (const auto& [n, row] : m_rows) {
            double lon, lat;
            if (!row || !RowPosition(*row, lon, lat)) continue;
            if (!any) {
                m_minLon = m_maxLon = lon;
                m_minLat = m_maxLat = lat;
                any = true;
            }
            m_minLon = std::min(m_minLon, lon);
            m_maxLon = std::max(m_maxLon, lon);
            m_minLat = std::min(m_minLat, lat);
            m_maxLat = std::max(m_maxLat, lat);
        }
        if (any) m_positionKnown = 1;
    }

    void CompleteStream() override { m_complete = true; }
    bool IsComplete() const override { return m_complete; }

private:
    CString m_name;
    int m_type;
    CString m_protocol;
    CString m_filterOperator;
    CString m_deviceName;
    int m_ue = 0;
    int m_deviceClass = 0;
    int m_positionKnown = 0;
    int m_rowCount = 0;
    double m_start = kNoValueD;
    double m_end = kNoValueD;
    std::set<CString> m_ieNames;
    std::list<CString> m_eventNames;
    std::set<CString> m_extraNames;
    CStatResult m_stat;
    std::map<int, CMemDataRow*> m_rows;
    std::map<int, CMemDataRow*> m_eventRows;
    bool m_complete = false;
};

class CLogfile : public WithExtent<ILogfile> {
public:
    explicit CLogfile(const CString& path) : m_path(path) {
        const int slash = path.ReverseFind('/');
        m_name = path.Mid(slash + 1);
    }
    ~CLogfile() override {
        for (auto& [name, s] : m_streams) delete s;
    }
    CString GetName() const override { return m_name; }
    CString GetPath() const override { return m_path; }
    int GetVersion() const override { return m_version; }
    void SetVersion(int v) override { m_version = v; }
    int GetSourceKind() const override { return m_sourceKind; }
    void SetSourceKind(int k) override { m_sourceKind = k; }
    int IsOutdoor() const override { return m_outdoor; }
    void SetOutdoor(int o) override { m_outdoor = o; }
    int GetFacType() const override { return m_facType; }
    void SetFacType(int t) override { m_facType = t; }
    void AddStream(IDataStream* stream) override {
        if (!stream) return;
        IDataStream*& slot = m_streams[stream->GetName()];
        if (slot != stream) delete slot;
        slot = stream;
    }
    std::map<CString, IDataStream*>& GetStreams() override { return m_streams; }
    int GetRowCount() const override { return m_rowCount; }
    void SetRowCount(int c) override { m_rowCount = c; }

private:
    CString m_path;
    CString m_name;
    int m_version = 0;
    int m_sourceKind = 0;
    int m_outdoor = 1;
    int m_facType = 0;
    int m_rowCount = 0;
    std::map<CString, IDataStream*> m_streams;
};

class CStreamManager : public IStreamManager {
public:
    ~CStreamManager() override { Clear(); }
    ILogfile* CreateLogfile(const CString& path) override {
        auto log = std::make_unique<CLogfile>(path);
        ILogfile* raw = log.get();
        m_logs[path] = std::move(log);
        return raw;
    }
    ILogfile* FindLogfile(const CString& path) override {
        auto it = m_logs.find(path);
        return it == m_logs.end() ? nullptr : it->second.get();
    }
    bool RemoveLogfile(const CString& path) override { return m_logs.erase(path) > 0; }
    std::map<CString, ILogfile*> GetLogfileNames() override {
        std::map<CString, ILogfile*> names;
        for (auto& [path, log] : m_logs) names[path] = log.get();
        return names;
    }
    IDataStream* CreateStream(const CString& name, int type) override {
        return new CDataStream(name, type);
    }
    void Clear() override { m_logs.clear(); }

private:
    std::map<CString, std::unique_ptr<CLogfile>> m_logs;
};

}  // namespace

IStreamManager* CStreamManagerCreator::CreateStreamManager() {
    static CStreamManager manager;
    return &manager;
}

IDataStream* MergeTwoProtocolStream_MsgEvent(IDataStream* tdStream, IDataStream* gsmStream) {
    if (!tdStream || !gsmStream) return nullptr;
    auto* merged = new CDataStream(tdStream->GetName(), tdStream->GetType());
    merged->SetProtocol("TD-SCDMA/GSM");
    merged->SetFilterOperator(tdStream->GetFilterOperator());
    merged->SetDeviceName(tdStream->GetDeviceName());
    merged->SetUENumber(tdStream->GetUENumber());
    merged->SetDeviceClass(tdStream->GetDeviceClass());
    for (const CString& n : tdStream->GetIENames()) merged->AddIEName(n);
    for (const CString& n : gsmStream->GetIENames()) merged->AddIEName(n);

    // Interleave by record time; on equal times the TD-SCDMA row comes first,
    // and each side keeps its own order.
    std::vector<const CMemDataRow*> rows;
    auto& td = tdStream->GetRows();
    auto& gsm = gsmStream->GetRows();
    rows.reserve(td.size() + gsm.size());
    auto a = td.begin(), b = gsm.begin();
    while (a != td.end() || b != gsm.end()) {
        if (b == gsm.end() ||
            (a != td.end() && a->second->GetRecordTime() <= b->second->GetRecordTime()))
            rows.push_back((a++)->second);
        else
            rows.push_back((b++)->second);
    }
    auto& out = merged->GetRows();
    int number = 0;
    for (const CMemDataRow* row : rows) {
        CMemDataRow* copy = row->Copy();
        copy->SetSynFieldValue(++number);
        out.emplace_hint(out.end(), number, copy);
    }
    merged->SetRowCount(number);
    merged->CompleteRows();  // time span and extent from the merged rows
    return merged;
}
