// The two further log kinds of the format family: automatic drive-test logs
// (CS) and China Mobile logs. Each wrapper recognises its kind and makes the
// importer that reads it; the CS wrapper also cuts and merges its logs.
#pragma once

#include <vector>

#include "logio/host/ProjectRecords.h"
#include "platform/CString.h"
#include "platform/Time.h"

class IImporter;

class CCSLogImportWrap {
public:
    // True when path is an automatic drive-test log.
    bool IsCSLog(const CString& path);
    // A new importer of these logs; the caller destroys it through IImporter.
    static IImporter* CreateImporter();
    // The IE selection for the next import (empty: every IE).
    static void SetImpSetting(const ImpIESettingMap& setting);
    // Local time of the first and last record; false when path is not such a log.
    static bool GetBeginEndTime(const CString& path, SYSTEMTIME& begin, SYSTEMTIME& end);
    // Writes the records whose whole second lies in [start, end] (local time)
    // to target. 1 on success, 0 otherwise.
    static int ExtractLogByTimeW(const CString& path, const SYSTEMTIME& start,
                                 const SYSTEMTIME& end, const CString& target);
    // Merges the logs in list order into newPath (replacing it): the results
    // of CLogFileManager::MergeFile.
    static int MergeFile(const CString& newPath, const std::vector<CString>& files);
};

class CCMCCLogImportWrap {
public:
    static bool IsCMCCLog(const CString& path);
    static IImporter* CreateImporter();
    static void SetImpSetting(const ImpIESettingMap& setting);
};
