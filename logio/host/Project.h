// The project model: the open project (g_project), the system tables
// (g_sysProject) and the system configuration (g_systemConfig).
//
// A project is a folder holding an SQLite database, "project.db". Opening
// loads every record; Save writes them all in one transaction, so a crash
// never leaves half a project.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "logio/host/ProjectRecords.h"
#include "platform/CString.h"

class CIETable;
class CEventTable;
struct IEInfo;
struct sqlite3;

// The IE and event tables a project answers its table queries from.
struct CSystemTables {
    std::shared_ptr<const CIETable> ies;
    std::shared_ptr<const CEventTable> events;
};

class CProject {
public:
    CProject();
    ~CProject();
    CProject(const CProject&) = delete;
    CProject& operator=(const CProject&) = delete;

    // --- project folder and database
    // Makes folder dir (when missing) a new, empty project and opens it.
    bool Create(const CString& dir, CString* error = nullptr);
    // Opens the project in dir, loading every record.
    bool Open(const CString& dir, CString* error = nullptr);
    // Writes every record in one transaction; clears the modified flag.
    bool Save(CString* error = nullptr);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // The project folder, without a trailing separator ("" when none is open).
    CString GetPath() const { return m_path; }
    sqlite3* GetDatabase() const { return m_db; }

    // Set by whoever changes the project's records.
    bool m_bModified = false;

    // --- logs
    void AddProjectLogFile(const CProjectLogfile& log);
    bool RemoveLogFile(const CString& path);
    CNTLog& GetNTLog() { return m_ntLog; }
    // Keyed by log name (or path); a lookup by path also finds a setting
    // stored under the path's file name.
    void AddBinningSetting(const CString& logKey, const struct_BinningSetting& setting);
    bool GetBinningSetting(const CString& logKeyOrPath, struct_BinningSetting& setting) const;
    void AddImpSetting(const CImportSetting& setting);
    // The IE selection of the latest import setting that holds the path; empty when none.
    ImpIESettingMap GetImpSettingByLogFile(const CString& path) const;
    const std::vector<CImportSetting>& GetImpSettings() const { return m_impSettings; }
    const std::map<CString, struct_BinningSetting>& GetBinningSettings() const { return m_binning; }

    // --- text files
    void AddTxtFile(const CProjectTxtFile& file);
    bool RemoveTxtFile(const CString& name);
    CProjectTxtFile* GetProjectTxtFileByName(const CString& name);
    const std::map<CString, CProjectTxtFile>& GetTxtFiles() const { return m_txtFiles; }

    // --- tables (the system tables unless the project was given its own)
    void SetTables(const CSystemTables& tables);
    // Loads the IE and event tables from a configuration folder.
    bool LoadTables(const CString& configDir, CString* error = nullptr);
    const CIETable* GetIETable() const;
    const CEventTable* GetEventTable() const;
    int GetIEID(const CString& name) const;  // -255 when unknown
    CString GetIEName(int ie) const;         // "" when unknown
    CString GetEventName(int event) const;   // "" when unknown
    int GetIEMemType(int ie) const;          // 0 when unknown
    const IEInfo* GetIEByName(const CString& name) const;
    CString GetIEUnitByIEName(const CString& name) const;
    // Valid range of an IE: maximum into the first, minimum into the second; false when unknown.
    bool GetIEValueRangeByName(const CString& name, double& maxValue, double& minValue) const;

private:
    const CSystemTables& Tables() const;
    bool Load(CString* error);
    void ClearRecords();

    sqlite3* m_db = nullptr;
    CString m_path;
    CNTLog m_ntLog;
    std::map<CString, struct_BinningSetting> m_binning;
    std::vector<CImportSetting> m_impSettings;
    std::map<CString, CProjectTxtFile> m_txtFiles;
    CSystemTables m_tables;
};

// The system configuration that lives across runs: the recent-log list.
// Kept in $LOGIO_SYSTEM_CONFIG, else $XDG_CONFIG_HOME/logio/system.conf,
// else ~/.config/logio/system.conf.
class CSystemConfig {
public:
    static constexpr int kRecentCount = 10;
    // The index-th most recent log; "" when there is none.
    CString GetRecentLogFile(int index);
    // Puts the path first in the list (once) and saves the list.
    void SetRecentLogFile(const CString& path);
    void RemoveRecentLogFile(const CString& path);
    CString GetFilePath() const;
    // Forget what was read, so the next call reads the file again.
    void Reload() { m_loaded = false; }

private:
    void LoadIfNeeded();
    bool SaveList() const;
    bool m_loaded = false;
    std::deque<CString> m_recent;
};

extern CProject g_project;
extern CProject g_sysProject;
extern CSystemConfig g_systemConfig;
