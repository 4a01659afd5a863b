#include "logio/host/DataStore.h"
#include "logio/host/HostDefs.h"

#include <exception>

#include "host/logstore/LogReader.h"
#include "host/logstore/LogTools.h"
#include "host/logstore/RecordCodec.h"
#include "platform/Path.h"

using namespace logstore;

struct CLogFileManager::Impl {
    CLogReader reader;
    CString path;
    bool haveStart = false, haveEnd = false;
    sys_time start, end;
};

CLogFileManager::CLogFileManager() : m_impl(std::make_unique<Impl>()) {}
CLogFileManager::~CLogFileManager() = default;

int CLogFileManager::OpenFile(const CString& dir, const CString& name, int mode) {
    CloseReadingFile();
    if (mode != 0 || name.IsEmpty()) return 0;
    const CString path = platform::PathJoin(dir, name);
    if (!m_impl->reader.Open(path)) return 0;
    const LogHeader& h = m_impl->reader.Header();
    if (h.kind != LOG_KIND_STORED) {
        m_impl->reader.Close();
        return 0;
    }
    m_impl->path = path;
    m_file.m_year = h.year;
    m_file.m_month = h.month;
    m_file.m_day = h.day;
    m_file.m_version = static_cast<int>(h.version);
    m_file.m_testType = h.testType;
    m_file.m_handsetType = h.handsetType;
    m_file.m_path = path;
    return 1;
}

int CLogFileManager::GetLogFileVersion() {
    return m_impl->reader.IsOpen() ? static_cast<int>(m_impl->reader.Header().version) : kNoValue;
}

int CLogFileManager::GetLogFileVersion(const CString& path) {
    LogHeader h;
    return ReadHeader(path, h) && h.kind == LOG_KIND_STORED ? static_cast<int>(h.version)
                                                            : kNoValue;
}

int CLogFileManager::GetLogTestType(const CString& path) {
    LogHeader h;
    return ReadHeader(path, h) && h.kind == LOG_KIND_STORED ? h.testType : kNoValue;
}

int CLogFileManager::ReadFile(CTestdataBase* record) {
    if (!record || !m_impl->reader.IsOpen()) return 0;
    return m_impl->reader.Next(*record) ? 1 : 0;
}

double CLogFileManager::GetCurPercent() { return m_impl->reader.Percent(); }

void CLogFileManager::CloseReadingFile() {
    m_impl->reader.Close();
    m_impl->path.Empty();
    m_impl->haveStart = m_impl->haveEnd = false;
    m_file = CDTFile();
}

uint64_t CLogFileManager::GetSkippedRecords() const { return m_impl->reader.Skipped(); }

void CLogFileManager::GetLogFileDate(int& year, int& month, int& day) {
    year = m_file.m_year;
    month = m_file.m_month;
    day = m_file.m_day;
}

sys_time CLogFileManager::GetRecordStartTime() {
    if (!m_impl->haveStart && m_impl->reader.IsOpen()) {
        // A reader of its own, so that the open log's reading goes on undisturbed.
        CLogReader first;
        const unsigned char* payload = nullptr;
        uint32_t len = 0;
        CRecordCodec::Peek peek;
        if (first.Open(m_impl->path))
            while (first.NextPayload(payload, len))
                if (CRecordCodec::PeekHeader(payload, len, peek)) {
                    m_impl->start = sys_time::FromMilliseconds(peek.msOfDay);
                    break;
                }
        m_impl->haveStart = true;
    }
    return m_impl->start;
}

sys_time CLogFileManager::GetRecordEndTime() {
    if (!m_impl->haveEnd && m_impl->reader.IsOpen()) {
        std::vector<unsigned char> payload;
        CRecordCodec::Peek peek;
        if (ReadLastPayload(m_impl->path, payload) &&
            CRecordCodec::PeekHeader(payload.data(), payload.size(), peek))
            m_impl->end = sys_time::FromMilliseconds(peek.msOfDay);
        m_impl->haveEnd = true;
    }
    return m_impl->end;
}

int CLogFileManager::MergeFile(const std::vector<CString>& files, const CString& newPath,
                               int mode) {
    if (mode != 0 && mode != 1) return MERGE_ERROR;
    try {
        return MergeLogs(files, newPath, mode == 1, LOG_KIND_STORED);
    } catch (const std::exception&) {
        return MERGE_ERROR;
    }
}

int CLogFileManager::ExtractLogFile(const CString& source, time_t start, time_t end,
                                    const CString& dir, const CString& name) {
    if (name.IsEmpty()) return 0;
    try {
        return ExtractLog(source, start, end, platform::PathJoin(dir, name), LOG_KIND_STORED);
    } catch (const std::exception&) {
        return 0;
    }
}
