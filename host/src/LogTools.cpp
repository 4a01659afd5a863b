#include "host/logstore/LogTools.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "host/logstore/LogReader.h"
#include "host/logstore/LogWriter.h"
#include "host/logstore/RecordCodec.h"
#include "platform/Time.h"

namespace logstore {
namespace {

bool SameFile(const CString& a, const CString& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.GetString(), &sa) != 0 || ::stat(b.GetString(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool Exists(const CString& path) {
    struct stat st {};
    return ::stat(path.GetString(), &st) == 0;
}

// Moves a finished temporary file onto its target; removes it on failure.
bool Commit(const CString& temp, const CString& target) {
    if (std::rename(temp.GetString(), target.GetString()) == 0) return true;
    std::remove(temp.GetString());
    return false;
}

}  // namespace

CRecordClock::CRecordClock(const LogHeader& h) : m_year(h.year), m_month(h.month), m_day(h.day) {
    m_midnight = platform::LocalMidnight(m_year, m_month, m_day);
}

int64_t CRecordClock::Seconds(uint32_t msOfDay) {
    if (m_midnight < 0) return -1;
    msOfDay %= 86400000u;
    if (!m_first && msOfDay + 12u * 3600u * 1000u < m_lastMs) {
        // Next day: normalise the date through the calendar at noon.
        std::tm tm{};
        tm.tm_year = m_year - 1900;
        tm.tm_mon = m_month - 1;
        tm.tm_mday = m_day + 1;
        tm.tm_hour = 12;
        tm.tm_isdst = -1;
        std::mktime(&tm);
        m_year = tm.tm_year + 1900;
        m_month = tm.tm_mon + 1;
        m_day = tm.tm_mday;
    }
    m_first = false;
    m_lastMs = msOfDay;
    const uint32_t s = msOfDay / 1000;
    int64_t out = -1;
    if (!platform::LocalTimeToSeconds(m_year, m_month, m_day, static_cast<int>(s / 3600),
                                      static_cast<int>(s / 60 % 60), static_cast<int>(s % 60), out))
        return -1;
    return out;
}

void CRecordClock::CurrentDate(int& year, int& month, int& day) const {
    year = m_year;
    month = m_month;
    day = m_day;
}

int MergeLogs(const std::vector<CString>& files, const CString& newPath, bool replace,
              uint8_t kind) {
    if (files.empty() || newPath.IsEmpty()) return 1;
    if (!replace && Exists(newPath)) return 1;
    // Check every header before anything is written.
    std::vector<const CString*> taking;
    LogHeader first;
    bool leftOut = false;
    bool sameHandset = true;
    for (const CString& path : files) {
        if (SameFile(path, newPath)) return 1;  // would destroy a source
        LogHeader h;
        if (!ReadHeader(path, h) || h.kind != kind) return 3;
        if (h.version <= 130) {
            leftOut = true;
            continue;
        }
        if (taking.empty())
            first = h;
        else if (h.testType != first.testType)
            return 1;
        else if (h.handsetType != first.handsetType)
            sameHandset = false;
        taking.push_back(&path);
    }
    if (taking.empty()) return 1;

    LogHeader merged = first;
    merged.version = kMergedVersion;
    if (!sameHandset) merged.handsetType = 0;
    const CString temp = TemporaryPathFor(newPath);
    CLogWriter writer;
    if (!writer.Create(temp, merged)) {
        std::remove(temp.GetString());
        return 1;
    }
    CTestdataBase scratch;
    for (const CString* path : taking) {
        CLogReader reader;
        if (!reader.Open(*path)) {
            writer.Close();
            std::remove(temp.GetString());
            return 3;
        }
        const unsigned char* payload = nullptr;
        uint32_t len = 0;
        bool bad = false;
        while (reader.NextPayload(payload, len)) {
            // A payload that does not read would be a damaged record in the
            // merged log too.
            if (!CRecordCodec::Read(payload, len, scratch) ||
                !CRecordCodec::Decode(scratch, scratch)) {
                bad = true;
                break;
            }
            writer.WritePayload(payload, len);
        }
        if (bad || reader.Skipped() > 0) {
            // A merged log would silently lack the damaged records.
            writer.Close();
            std::remove(temp.GetString());
            return 3;
        }
    }
    if (!writer.Close() || !Commit(temp, newPath)) {
        std::remove(temp.GetString());
        return 1;
    }
    return leftOut ? 2 : 0;
}

int ExtractLog(const CString& source, int64_t start, int64_t end, const CString& target,
               uint8_t kind) {
    if (target.IsEmpty() || end < start || SameFile(source, target)) return 0;
    CLogReader reader;
    if (!reader.Open(source) || reader.Header().kind != kind) return 0;
    CRecordClock clock(reader.Header());
    const CString temp = TemporaryPathFor(target);
    CLogWriter writer;
    bool created = false;
    const unsigned char* payload = nullptr;
    uint32_t len = 0;
    CRecordCodec::Peek peek;
    while (reader.NextPayload(payload, len)) {
        if (!CRecordCodec::PeekHeader(payload, len, peek)) continue;
        const int64_t t = clock.Seconds(peek.msOfDay);
        if (t < start || t > end) continue;
        if (!created) {
            // The cut's date is that of its first record.
            LogHeader h = reader.Header();
            int y, m, d;
            clock.CurrentDate(y, m, d);
            h.year = static_cast<uint16_t>(y);
            h.month = static_cast<uint8_t>(m);
            h.day = static_cast<uint8_t>(d);
            if (!writer.Create(temp, h)) {
                std::remove(temp.GetString());
                return 0;
            }
            created = true;
        }
        writer.WritePayload(payload, len);
    }
    if (!created) return 0;
    if (!writer.Close() || !Commit(temp, target)) {
        std::remove(temp.GetString());
        return 0;
    }
    return 1;
}

}  // namespace logstore
