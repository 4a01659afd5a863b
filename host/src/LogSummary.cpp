#include "host/logstore/LogSummary.h"

#include "host/logstore/LogReader.h"
#include "logio/host/Decode.h"

namespace logstore {

bool SummarizeLog(const CString& path, LogSummary& s, CString* error) {
    s = LogSummary();
    CLogReader reader;
    if (!reader.Open(path)) {
        if (error)
            *error = CString::Formatted("%s is not a drive-test log or cannot be read", path);
        return false;
    }
    s.header = reader.Header();
    s.fileSize = reader.FileSize();
    CDecoder decoder;
    CTestdataBase record;
    const int version = static_cast<int>(s.header.version);
    while (reader.Next(record)) {
        if (!s.hasRecords) s.first = record.m_RecordTime;
        s.last = record.m_RecordTime;
        s.hasRecords = true;
        ++s.records;
        ++s.byType[record.m_nRecordType];
        if (!decoder.Decode(version < 100 || version > 999 ? 600 : version, &record, &record))
            ++s.undecodable;
    }
    s.skipped = reader.Skipped();
    return true;
}

const char* LogKindName(uint8_t kind) {
    switch (kind) {
        case LOG_KIND_STORED:
            return "stored drive-test log";
        case LOG_KIND_CS:
            return "automatic drive-test log";
        case LOG_KIND_CMCC:
            return "China Mobile log";
        default:
            return "unknown kind";
    }
}

const char* TestTypeName(int testType) {
    switch (testType) {
        case 0:
            return "unknown";
        case 1:
            return "outdoor";
        case 2:
            return "indoor";
        default:
            return "not a test type";
    }
}

const char* RecordTypeName(int type) {
    switch (type) {
        case RECORD_TEST:
            return "test record";
        case RECORD_DOUBLE_PROTOCOL:
            return "double-protocol record";
        case RECORD_FILE_MARK:
            return "file mark";
        case RECORD_EVENT:
            return "event";
        case RECORD_SCANNER:
            return "scanner record";
        case RECORD_SCANNER_SUMMARY:
            return "scanner summary";
        case RECORD_GSM_HANDSET:
            return "GSM handset record";
        case RECORD_BLOCK_A:
        case RECORD_BLOCK_B:
            return "record block";
        case RECORD_TYPE_16:
            return "TD-SCDMA return record";
        default:
            return "other";
    }
}

}  // namespace logstore
