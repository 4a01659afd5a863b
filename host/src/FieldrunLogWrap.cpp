// Recognising, cutting and merging automatic drive-test and China Mobile logs.
#include <exception>

#include "host/logstore/LogReader.h"
#include "host/logstore/LogTools.h"
#include "host/logstore/RecordCodec.h"
#include "logio/host/ImportFieldrunLog.h"
#include "platform/Path.h"

using namespace logstore;

namespace {

bool IsKind(const CString& path, uint8_t kind) {
    LogHeader h;
    return ReadHeader(path, h) && h.kind == kind;
}

bool ToSeconds(const SYSTEMTIME& st, int64_t& out) {
    return platform::LocalTimeToSeconds(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                                        st.wSecond, out);
}

}  // namespace

bool CCSLogImportWrap::IsCSLog(const CString& path) { return IsKind(path, LOG_KIND_CS); }

bool CCMCCLogImportWrap::IsCMCCLog(const CString& path) { return IsKind(path, LOG_KIND_CMCC); }

bool CCSLogImportWrap::GetBeginEndTime(const CString& path, SYSTEMTIME& begin, SYSTEMTIME& end) {
    CLogReader reader;
    if (!reader.Open(path) || reader.Header().kind != LOG_KIND_CS) return false;
    CRecordClock clock(reader.Header());
    const unsigned char* payload = nullptr;
    uint32_t len = 0;
    CRecordCodec::Peek peek;
    int64_t first = -1, last = -1;
    uint32_t firstMs = 0, lastMs = 0;
    // Every record, so that a log past midnight ends on the next day.
    while (reader.NextPayload(payload, len)) {
        if (!CRecordCodec::PeekHeader(payload, len, peek)) continue;
        const int64_t t = clock.Seconds(peek.msOfDay);
        if (t < 0) return false;
        if (first < 0) first = t, firstMs = peek.msOfDay % 1000;
        last = t, lastMs = peek.msOfDay % 1000;
    }
    if (first < 0 || !platform::SecondsToLocal(first, begin) ||
        !platform::SecondsToLocal(last, end))
        return false;
    begin.wMilliseconds = static_cast<uint16_t>(firstMs);
    end.wMilliseconds = static_cast<uint16_t>(lastMs);
    return true;
}

int CCSLogImportWrap::ExtractLogByTimeW(const CString& path, const SYSTEMTIME& start,
                                        const SYSTEMTIME& end, const CString& target) {
    int64_t from = 0, to = 0;
    if (!ToSeconds(start, from) || !ToSeconds(end, to)) return 0;
    try {
        return ExtractLog(path, from, to, target, LOG_KIND_CS);
    } catch (const std::exception&) {
        return 0;
    }
}

int CCSLogImportWrap::MergeFile(const CString& newPath, const std::vector<CString>& files) {
    try {
        return MergeLogs(files, newPath, true, LOG_KIND_CS);
    } catch (const std::exception&) {
        return 1;
    }
}
