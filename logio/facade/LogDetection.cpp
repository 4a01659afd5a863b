// Which importer reads a log, and which logs are refused: the two
// recognisers of further log kinds first, then the stored log's version and
// test type.
#include "logio/facade/IOManager.h"
#include "logio/host/HostDefs.h"
#include "logio/facade/Message.h"
#include "logio/host/DataStore.h"
#include "logio/host/ImportFieldrunLog.h"
#include "platform/Path.h"
#include "platform/WaitCursor.h"

namespace {

enum Verdict { OUTDOOR, INDOOR, WRONG_TEST_TYPE, WRONG_VERSION };

Verdict Decide(int version, int testType) {
    switch (version) {
        case 110:
            // The oldest logs did not always record their test type: 0 is outdoor.
            return testType == 0 || testType == 1 ? OUTDOOR : WRONG_TEST_TYPE;
        case 120:
        case 130:
        case 140:
        case 150:
        case 160:
        case 600:
            return testType == 1 ? OUTDOOR : testType == 2 ? INDOOR : WRONG_TEST_TYPE;
        default:
            return WRONG_VERSION;
    }
}

// The store opens a directory (with its separator) and a file name; a path
// without a directory stays relative.
int OpenLog(CLogFileManager& store, const platform::PathParts& parts) {
    return store.OpenFile(parts.directory, parts.fileName, 0);
}

}  // namespace

ImporterTypeEnum CIOManager::GetImporterType(const CString& path) {
    CWaitCursor wait;
    {
        CCSLogImportWrap cs;
        if (cs.IsCSLog(path)) return IMPORTER_CS_LOG;
    }
    if (CCMCCLogImportWrap::IsCMCCLog(path)) return IMPORTER_CMCC_LOG;
    CLogFileManager store;
    return GetImporterType(store, path);
}

ImporterTypeEnum CIOManager::GetImporterType(CLogFileManager& store, CString path) {
    const platform::PathParts parts = platform::SplitPath(path);
    if (!OpenLog(store, parts)) {
        store.CloseReadingFile();
        LogioMessageBox(
            CString::Formatted("无法获取日志文件：%s 的版本及类型信息！", parts.fileName),
            MB_ICONERROR);
        return IMPORTER_NONE;
    }
    const int version = store.GetLogFileVersion();
    const int testType = store.GetLogTestType(path);
    store.CloseReadingFile();
    switch (Decide(version, testType)) {
        case OUTDOOR:
            return IMPORTER_OUTDOOR_LOG;
        case INDOOR:
            return IMPORTER_INDOOR_LOG;
        case WRONG_TEST_TYPE:
            LogioMessageBox(CString::Formatted("日志文件：%s 测试类型不正确！", parts.fileName),
                            MB_ICONERROR);
            return IMPORTER_NONE;
        case WRONG_VERSION:
            break;
    }
    LogioMessageBox(CString::Formatted("日志文件：%s 版本不正确！", parts.fileName), MB_ICONERROR);
    return IMPORTER_NONE;
}

int CIOManager::GetLogVersion(CString path) {
    CWaitCursor wait;
    CLogFileManager store;
    const int version =
        OpenLog(store, platform::SplitPath(path)) ? store.GetLogFileVersion() : kNoValue;
    store.CloseReadingFile();
    return version;
}

CString CIOManager::GetLogFilter(ImporterTypeEnum node) {
    if (node == IMPORTER_CMCC_LOG)
        return "Log(*.log;*.loc;*.lot;*.low;*.loe)|*.log;*.loc;*.lot;*.low;*.loe||";
    return "Log(*.log)|*.log||";
}
