// The log store: reads stored drive-test logs record by record, and merges
// and cuts them. One CLogFileManager per log being read.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

#include "logio/host/IEBaseStruct.h"
#include "logio/host/HostDefs.h"
#include "platform/CString.h"

class CTestdataBase;

// The open log's file: its recording date and header values.
class CDTFile {
public:
    int getYear() const { return m_year; }
    int getMonth() const { return m_month; }
    int getDate() const { return m_day; }
    int getVersion() const { return m_version; }
    int getTestType() const { return m_testType; }
    int getHandsetType() const { return m_handsetType; }
    CString getPath() const { return m_path; }

private:
    friend class CLogFileManager;
    int m_year = 0, m_month = 0, m_day = 0;
    int m_version = kNoValue, m_testType = kNoValue, m_handsetType = 0;
    CString m_path;
};

// Results of MergeFile.
enum MergeResultEnum {
    MERGE_OK = 0,
    MERGE_ERROR = 1,    // nothing to merge, a bad target, or writing failed
    MERGE_TOO_OLD = 2,  // merged without the logs of version 130 or below
    MERGE_DAMAGED = 3,  // a log is not a stored log or has damaged records
};

class CLogFileManager {
public:
    CLogFileManager();
    ~CLogFileManager();
    CLogFileManager(const CLogFileManager&) = delete;
    CLogFileManager& operator=(const CLogFileManager&) = delete;

    // Opens dir + name for reading (dir ends in the separator; mode 0 is the
    // only mode). Non-zero when it opened: a stored log whose header checks.
    int OpenFile(const CString& dir, const CString& name, int mode);
    // Version of the open log; -255 when none is open.
    int GetLogFileVersion();
    // Version and test type (0, 1 outdoor, 2 indoor) of the log at path;
    // -255 when it is not a stored log.
    int GetLogFileVersion(const CString& path);
    int GetLogTestType(const CString& path);
    // Reads the next record into record: non-zero while one was read.
    // Damaged records are skipped.
    int ReadFile(CTestdataBase* record);
    // Share of the file read, 0 to 1.
    double GetCurPercent();
    void CloseReadingFile();
    // The open log's file (empty values when none is open); never null.
    CDTFile* GetLogFile() { return &m_file; }
    void GetLogFileDate(int& year, int& month, int& day);
    // Time of the open log's first and last intact record (00:00:00.000 when
    // it has none).
    sys_time GetRecordStartTime();
    sys_time GetRecordEndTime();
    // Damaged records skipped while reading the open log.
    uint64_t GetSkippedRecords() const;

    // Merges the logs, in list order, into a new log of version 600 at
    // newPath. mode 1 replaces an existing newPath, mode 0 refuses to.
    // Logs of version 130 or below are left out. Returns a MergeResultEnum;
    // newPath is written only on MERGE_OK and MERGE_TOO_OLD.
    int MergeFile(const std::vector<CString>& files, const CString& newPath, int mode);
    // Writes the records of source whose time lies in [start, end] (seconds
    // since 1970, whole seconds) to dir + name. 1 on success; 0 when source
    // is not a stored log, no record lies in the range, or writing failed.
    int ExtractLogFile(const CString& source, time_t start, time_t end, const CString& dir,
                       const CString& name);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    CDTFile m_file;
};
