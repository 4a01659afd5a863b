// What a log holds: its header, its time range and its records by type.
#pragma once

#include <cstdint>
#include <map>

#include "host/logstore/LogFormat.h"
#include "logio/host/IEBaseStruct.h"

namespace logstore {

struct LogSummary {
    LogHeader header;
    uint64_t fileSize = 0;
    uint64_t records = 0;
    std::map<int, uint64_t> byType;  // record type to count
    uint64_t skipped = 0;            // damaged records skipped
    uint64_t undecodable = 0;        // records whose content does not decode
    bool hasRecords = false;
    sys_time first, last;
};

// Reads the whole log. False, with a reason, when it is not a log.
bool SummarizeLog(const CString& path, LogSummary& summary, CString* error = nullptr);

// Names of the header's values, for people.
const char* LogKindName(uint8_t kind);
const char* TestTypeName(int testType);
const char* RecordTypeName(int recordType);

}  // namespace logstore
