// Records the project keeps: logs with their streams, text files, import
// settings (IE selections) and merge-averaging settings. All are values.
#pragma once

#include <map>
#include <vector>

#include "logio/host/ClassDescribe.h"
#include "logio/host/HostDefs.h"
#include "platform/CString.h"

// One selected IE of an import: its name and valid range (-255 when unset).
struct struct_ImpIESetting {
    CString strName;
    double dMin = kNoValueD;
    double dMax = kNoValueD;
};
using ImpIESettingMap = std::map<CString, struct_ImpIESetting>;

enum BinningTypeEnum : int {
    BINNING_NONE = -1,
    BINNING_TIME = 0,
    BINNING_DISTANCE = 1,
    BINNING_GRID = 2
};
enum BinningValueTypeEnum : int {
    BINNING_VALUE_NONE = -1,
    BINNING_MAX = 0,
    BINNING_MIN = 1,
    BINNING_AVERAGE = 2
};

// The merge-averaging setting. Both parameter texts empty asks for none.
struct struct_BinningSetting {
    BinningTypeEnum eBinningType = BINNING_TIME;
    BinningValueTypeEnum eValueType = BINNING_MAX;
    int nBinningTime = 1;
    int nSpare = 0;  // copied along, never read or stored
    int nBinningDistance = 0;
    int nGridHeight = 0;
    int nGridWidth = 0;
    CString strUEParam;
    CString strScannerParam;
    CClassDescribe describe;

    struct_BinningSetting();
    struct_BinningSetting(const struct_BinningSetting& other);
    struct_BinningSetting& operator=(const struct_BinningSetting& other);

private:
    void Describe();
};

class CProjectStream {
public:
    void SetStreamName(const CString& s) { m_name = s; }
    CString GetStreamName() const { return m_name; }
    void SetStreamType(const CString& s) { m_type = s; }
    CString GetStreamType() const { return m_type; }
    void SetProtocol(const CString& s) { m_protocol = s; }
    CString GetProtocol() const { return m_protocol; }
    void SetFilterOperator(const CString& s) { m_filterOperator = s; }
    CString GetFilterOperator() const { return m_filterOperator; }
    friend bool operator==(const CProjectStream&, const CProjectStream&) = default;

private:
    CString m_name, m_type, m_protocol, m_filterOperator;
};

class CProjectLogfile {
public:
    void SetLogFileName(const CString& s) { m_name = s; }
    CString GetLogFileName() const { return m_name; }
    void SetLogFilePath(const CString& s) { m_path = s; }
    CString GetLogFilePath() const { return m_path; }
    void SetFacType(int t) { m_facType = t; }
    int GetFacType() const { return m_facType; }
    void SetStreams(const std::map<CString, CProjectStream>& s) { m_streams = s; }
    const std::map<CString, CProjectStream>& GetStreams() const { return m_streams; }
    friend bool operator==(const CProjectLogfile&, const CProjectLogfile&) = default;

private:
    CString m_name, m_path;
    int m_facType = 0;
    std::map<CString, CProjectStream> m_streams;
};

// A text measurement file of the project.
class CProjectTxtFile {
public:
    void SetTxtName(const CString& s) { m_name = s; }
    CString GetTxtName() const { return m_name; }
    void SetTxtPath(const CString& s) { m_path = s; }
    CString GetTxtPath() const { return m_path; }
    void SetStreams(const std::map<CString, CProjectStream>& s) { m_streams = s; }
    const std::map<CString, CProjectStream>& GetStreams() const { return m_streams; }
    friend bool operator==(const CProjectTxtFile&, const CProjectTxtFile&) = default;

private:
    CString m_name, m_path;
    std::map<CString, CProjectStream> m_streams;
};

// The IE selection that was used for a group of logs imported together.
class CImportSetting {
public:
    void AddLogFile(const CString& path) { m_logs.push_back(path); }
    int GetLogFileNum() const { return static_cast<int>(m_logs.size()); }
    const std::vector<CString>& GetLogFiles() const { return m_logs; }
    void SetParamSetting(const ImpIESettingMap& m) { m_params = m; }
    const ImpIESettingMap& GetParamSetting() const { return m_params; }

private:
    std::vector<CString> m_logs;
    ImpIESettingMap m_params;
};

// The project's logs.
class CNTLog {
public:
    CProjectLogfile* GetProjectLogFileByPath(const CString& path);
    std::map<CString, CProjectLogfile>& GetLogFiles() { return m_logs; }
    const std::map<CString, CProjectLogfile>& GetLogFiles() const { return m_logs; }

private:
    std::map<CString, CProjectLogfile> m_logs;  // by path
};
