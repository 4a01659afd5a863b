// Merging and cutting logs of the format family, for the log store and the
// automatic-test log wrappers.
#pragma once

#include <cstdint>
#include <vector>

#include "host/logstore/LogFormat.h"

namespace logstore {

// Calendar time of records: the header's date, moved on a day whenever the
// time of day falls back by more than twelve hours (a log past midnight).
class CRecordClock {
public:
    explicit CRecordClock(const LogHeader& header);
    // Local wall-clock seconds since 1970 of a record's whole second; -1 when
    // the header's date is not a date.
    int64_t Seconds(uint32_t msOfDay);
    // The date of the last record given to Seconds.
    void CurrentDate(int& year, int& month, int& day) const;

private:
    int m_year, m_month, m_day;
    int64_t m_midnight = -1;
    uint32_t m_lastMs = 0;
    bool m_first = true;
};

// See CLogFileManager::MergeFile; only logs of the given kind take part.
int MergeLogs(const std::vector<CString>& files, const CString& newPath, bool replace,
              uint8_t kind);
// Writes the records of source (of the given kind) whose whole second lies
// in [start, end] to target. 1 on success, 0 otherwise.
int ExtractLog(const CString& source, int64_t start, int64_t end, const CString& target,
               uint8_t kind);

}  // namespace logstore
