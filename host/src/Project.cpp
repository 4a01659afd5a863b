#include "logio/host/Project.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <functional>

#include "host/IETable.h"
#include "logio/host/MemDataRow.h"
#include "platform/Module.h"
#include "platform/Path.h"
#include "platform/TextFile.h"

CProject g_project;
CProject g_sysProject;
CSystemConfig g_systemConfig;

namespace {

constexpr const char* kDatabaseName = "project.db";
constexpr const char* kFormatVersion = "1";
constexpr const char* kIETableFile = "IETable.txt";
constexpr const char* kEventTableFile = "EventTable.txt";

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS ProjectInfo(key TEXT PRIMARY KEY, value TEXT);
CREATE TABLE IF NOT EXISTS LogFile(path TEXT PRIMARY KEY, name TEXT, fac_type INTEGER);
CREATE TABLE IF NOT EXISTS TxtFile(name TEXT PRIMARY KEY, path TEXT);
CREATE TABLE IF NOT EXISTS ProjectStream(owner_kind INTEGER, owner TEXT, name TEXT, type TEXT, protocol TEXT,
                                         filter_operator TEXT);
CREATE TABLE IF NOT EXISTS BinningSetting(log_key TEXT, key TEXT, value TEXT, PRIMARY KEY(log_key, key));
CREATE TABLE IF NOT EXISTS ImportSettingLog(setting INTEGER, seq INTEGER, path TEXT);
CREATE TABLE IF NOT EXISTS ImportSettingIE(setting INTEGER, key TEXT, name TEXT, min REAL, max REAL);
CREATE TABLE IF NOT EXISTS CellSite(cell_key INTEGER PRIMARY KEY, longitude REAL, latitude REAL);
)sql";

// Record tables a save rewrites; network-element tables are not among them.
constexpr const char* kRecordTables[] = {"LogFile",        "TxtFile",          "ProjectStream",
                                         "BinningSetting", "ImportSettingLog", "ImportSettingIE"};

void SetError(CString* error, const CString& text) {
    if (error) *error = text;
}

// A prepared statement that finalises itself.
class Stmt {
public:
    Stmt(sqlite3* db, const char* sql) {
        m_ok = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) == SQLITE_OK;
    }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    bool ok() const { return m_ok; }
    Stmt& Bind(int i, const CString& s) {
        sqlite3_bind_text(m_stmt, i, s.GetString(), s.GetLength(), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& Bind(int i, int v) {
        sqlite3_bind_int(m_stmt, i, v);
        return *this;
    }
    Stmt& Bind(int i, double v) {
        sqlite3_bind_double(m_stmt, i, v);
        return *this;
    }
    // Runs an insert or update; resets for the next bindings.
    bool Exec() {
        const int rc = sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return m_ok && rc == SQLITE_DONE;
    }
    bool Next() { return m_ok && sqlite3_step(m_stmt) == SQLITE_ROW; }
    CString Text(int col) const {
        const unsigned char* t = sqlite3_column_text(m_stmt, col);
        return t ? CString(reinterpret_cast<const char*>(t)) : CString();
    }
    int Int(int col) const { return sqlite3_column_int(m_stmt, col); }
    double Double(int col) const { return sqlite3_column_double(m_stmt, col); }

private:
    sqlite3_stmt* m_stmt = nullptr;
    bool m_ok = false;
};

bool ExecSql(sqlite3* db, const char* sql, CString* error) {
    char* msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) == SQLITE_OK) return true;
    SetError(error, CString::Formatted("数据库错误: %s", msg ? msg : "?"));
    sqlite3_free(msg);
    return false;
}

bool MakeDirectories(const CString& dir) {
    CString partial;
    int pos = 0;
    if (dir.Left(1) == "/") partial = "/";
    for (CString part = dir.Tokenize("/", pos); pos >= 0; part = dir.Tokenize("/", pos)) {
        partial = platform::PathJoin(partial, part);
        if (::mkdir(partial, 0755) != 0 && errno != EEXIST) return false;
    }
    return platform::PathIsDirectory(dir);
}

CString NormaliseFolder(CString dir) {
    while (dir.GetLength() > 1 && dir[dir.GetLength() - 1] == '/') dir.Delete(dir.GetLength() - 1);
    return dir;
}

}  // namespace

CProject::CProject() = default;

CProject::~CProject() { Close(); }

void CProject::ClearRecords() {
    m_ntLog.GetLogFiles().clear();
    m_binning.clear();
    m_impSettings.clear();
    m_txtFiles.clear();
    m_bModified = false;
}

void CProject::Close() {
    if (m_db) sqlite3_close(m_db);
    m_db = nullptr;
    m_path.Empty();
    ClearRecords();
}

bool CProject::Create(const CString& dir, CString* error) {
    Close();
    const CString folder = NormaliseFolder(dir);
    if (folder.IsEmpty() || !MakeDirectories(folder)) {
        SetError(error, CString::Formatted("无法创建工程目录: %s", folder));
        return false;
    }
    const CString dbPath = platform::PathJoin(folder, kDatabaseName);
    if (platform::PathExists(dbPath)) {
        SetError(error, CString::Formatted("工程已存在: %s", folder));
        return false;
    }
    if (sqlite3_open_v2(dbPath, &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        SetError(error, CString::Formatted("无法创建工程数据库: %s", dbPath));
        Close();
        return false;
    }
    if (!ExecSql(m_db, kSchema, error) ||
        !ExecSql(
            m_db,
            CString::Formatted("INSERT INTO ProjectInfo VALUES('format','%s')", kFormatVersion),
            error)) {
        Close();
        return false;
    }
    m_path = folder;
    return true;
}

bool CProject::Open(const CString& dir, CString* error) {
    Close();
    const CString folder = NormaliseFolder(dir);
    const CString dbPath = platform::PathJoin(folder, kDatabaseName);
    if (!platform::PathExists(dbPath)) {
        SetError(error, CString::Formatted("不是工程目录: %s", folder));
        return false;
    }
    if (sqlite3_open_v2(dbPath, &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        SetError(error, CString::Formatted("无法打开工程数据库: %s", dbPath));
        Close();
        return false;
    }
    sqlite3_busy_timeout(m_db, 2000);
    {
        Stmt s(m_db, "SELECT value FROM ProjectInfo WHERE key='format'");
        if (!s.ok() || !s.Next() || s.Text(0) != kFormatVersion) {
            SetError(error, CString::Formatted("工程数据库格式不对: %s", dbPath));
            Close();
            return false;
        }
    }
    // Older databases get tables added since they were made.
    if (!ExecSql(m_db, kSchema, error)) {
        Close();
        return false;
    }
    m_path = folder;
    if (!Load(error)) {
        Close();
        return false;
    }
    return true;
}

bool CProject::Load(CString* error) {
    ClearRecords();
    std::map<CString, std::map<CString, CProjectStream>> logStreams, txtStreams;
    {
        Stmt s(
            m_db,
            "SELECT owner_kind, owner, name, type, protocol, filter_operator FROM ProjectStream");
        while (s.Next()) {
            CProjectStream st;
            st.SetStreamName(s.Text(2));
            st.SetStreamType(s.Text(3));
            st.SetProtocol(s.Text(4));
            st.SetFilterOperator(s.Text(5));
            (s.Int(0) == 0 ? logStreams : txtStreams)[s.Text(1)][st.GetStreamName()] = st;
        }
    }
    {
        Stmt s(m_db, "SELECT path, name, fac_type FROM LogFile");
        while (s.Next()) {
            CProjectLogfile log;
            log.SetLogFilePath(s.Text(0));
            log.SetLogFileName(s.Text(1));
            log.SetFacType(s.Int(2));
            log.SetStreams(logStreams[log.GetLogFilePath()]);
            m_ntLog.GetLogFiles()[log.GetLogFilePath()] = log;
        }
    }
    {
        Stmt s(m_db, "SELECT name, path FROM TxtFile");
        while (s.Next()) {
            CProjectTxtFile f;
            f.SetTxtName(s.Text(0));
            f.SetTxtPath(s.Text(1));
            f.SetStreams(txtStreams[f.GetTxtName()]);
            m_txtFiles[f.GetTxtName()] = f;
        }
    }
    {
        std::map<CString, std::map<CString, CString>> texts;
        Stmt s(m_db, "SELECT log_key, key, value FROM BinningSetting");
        while (s.Next()) texts[s.Text(0)][s.Text(1)] = s.Text(2);
        for (auto& [logKey, values] : texts) {
            struct_BinningSetting b;
            if (!b.describe.FromTexts(values)) {
                SetError(error, CString::Formatted("合并平均设置已损坏: %s", logKey));
                return false;
            }
            m_binning[logKey] = b;
        }
    }
    {
        std::map<int, CImportSetting> settings;
        Stmt logs(m_db, "SELECT setting, path FROM ImportSettingLog ORDER BY setting, seq");
        while (logs.Next()) settings[logs.Int(0)].AddLogFile(logs.Text(1));
        std::map<int, ImpIESettingMap> ies;
        Stmt s(m_db, "SELECT setting, key, name, min, max FROM ImportSettingIE");
        while (s.Next())
            ies[s.Int(0)][s.Text(1)] = struct_ImpIESetting{s.Text(2), s.Double(3), s.Double(4)};
        for (auto& [id, setting] : settings) {
            setting.SetParamSetting(ies[id]);
            m_impSettings.push_back(setting);
        }
    }
    m_bModified = false;
    return true;
}

bool CProject::Save(CString* error) {
    if (!m_db) {
        SetError(error, "没有打开的工程");
        return false;
    }
    if (!ExecSql(m_db, "BEGIN IMMEDIATE", error)) return false;
    bool ok = true;
    for (const char* table : kRecordTables)
        ok = ok && ExecSql(m_db, CString::Formatted("DELETE FROM %s", table), error);

    Stmt log(m_db, "INSERT INTO LogFile VALUES(?,?,?)");
    Stmt txt(m_db, "INSERT INTO TxtFile VALUES(?,?)");
    Stmt stream(m_db, "INSERT INTO ProjectStream VALUES(?,?,?,?,?,?)");
    Stmt bin(m_db, "INSERT INTO BinningSetting VALUES(?,?,?)");
    Stmt impLog(m_db, "INSERT INTO ImportSettingLog VALUES(?,?,?)");
    Stmt impIE(m_db, "INSERT INTO ImportSettingIE VALUES(?,?,?,?,?)");
    auto saveStreams = [&](int kind, const CString& owner,
                           const std::map<CString, CProjectStream>& streams) {
        for (const auto& [name, st] : streams)
            ok = ok && stream.Bind(1, kind)
                           .Bind(2, owner)
                           .Bind(3, st.GetStreamName())
                           .Bind(4, st.GetStreamType())
                           .Bind(5, st.GetProtocol())
                           .Bind(6, st.GetFilterOperator())
                           .Exec();
    };
    for (const auto& [path, l] : m_ntLog.GetLogFiles()) {
        ok = ok && log.Bind(1, path).Bind(2, l.GetLogFileName()).Bind(3, l.GetFacType()).Exec();
        saveStreams(0, path, l.GetStreams());
    }
    for (const auto& [name, f] : m_txtFiles) {
        ok = ok && txt.Bind(1, name).Bind(2, f.GetTxtPath()).Exec();
        saveStreams(1, name, f.GetStreams());
    }
    for (const auto& [logKey, b] : m_binning)
        for (const auto& [key, value] : b.describe.ToTexts())
            ok = ok && bin.Bind(1, logKey).Bind(2, key).Bind(3, value).Exec();
    for (size_t id = 0; id < m_impSettings.size(); ++id) {
        const CImportSetting& s = m_impSettings[id];
        for (size_t seq = 0; seq < s.GetLogFiles().size(); ++seq)
            ok = ok && impLog.Bind(1, static_cast<int>(id))
                           .Bind(2, static_cast<int>(seq))
                           .Bind(3, s.GetLogFiles()[seq])
                           .Exec();
        for (const auto& [key, ie] : s.GetParamSetting())
            ok = ok && impIE.Bind(1, static_cast<int>(id))
                           .Bind(2, key)
                           .Bind(3, ie.strName)
                           .Bind(4, ie.dMin)
                           .Bind(5, ie.dMax)
                           .Exec();
    }
    if (!ok) {
        if (error && error->IsEmpty())
            *error = CString::Formatted("保存工程失败: %s", sqlite3_errmsg(m_db));
        ExecSql(m_db, "ROLLBACK", nullptr);
        return false;
    }
    if (!ExecSql(m_db, "COMMIT", error)) {
        ExecSql(m_db, "ROLLBACK", nullptr);
        return false;
    }
    m_bModified = false;
    return true;
}

void CProject::AddProjectLogFile(const CProjectLogfile& log) {
    m_ntLog.GetLogFiles()[log.GetLogFilePath()] = log;
}

bool CProject::RemoveLogFile(const CString& path) {
    auto& logs = m_ntLog.GetLogFiles();
    auto it = logs.find(path);
    if (it == logs.end()) return false;
    m_binning.erase(it->second.GetLogFileName());
    m_binning.erase(path);
    logs.erase(it);
    return true;
}

CProjectLogfile* CNTLog::GetProjectLogFileByPath(const CString& path) {
    auto it = m_logs.find(path);
    return it == m_logs.end() ? nullptr : &it->second;
}

void CProject::AddBinningSetting(const CString& logKey, const struct_BinningSetting& setting) {
    m_binning[logKey] = setting;
}

bool CProject::GetBinningSetting(const CString& logKeyOrPath,
                                 struct_BinningSetting& setting) const {
    auto it = m_binning.find(logKeyOrPath);
    if (it == m_binning.end()) it = m_binning.find(platform::PathFileName(logKeyOrPath));
    if (it == m_binning.end()) return false;
    setting = it->second;
    return true;
}

void CProject::AddImpSetting(const CImportSetting& setting) { m_impSettings.push_back(setting); }

ImpIESettingMap CProject::GetImpSettingByLogFile(const CString& path) const {
    for (auto it = m_impSettings.rbegin(); it != m_impSettings.rend(); ++it)
        for (const CString& p : it->GetLogFiles())
            if (p == path) return it->GetParamSetting();
    return {};
}

void CProject::AddTxtFile(const CProjectTxtFile& file) { m_txtFiles[file.GetTxtName()] = file; }

bool CProject::RemoveTxtFile(const CString& name) { return m_txtFiles.erase(name) > 0; }

CProjectTxtFile* CProject::GetProjectTxtFileByName(const CString& name) {
    auto it = m_txtFiles.find(name);
    return it == m_txtFiles.end() ? nullptr : &it->second;
}

// ---- tables

void CProject::SetTables(const CSystemTables& tables) {
    m_tables = tables;
    if (!tables.ies) return;
    g_memDataType.Clear();
    for (const IEInfo& ie : tables.ies->All())
        g_memDataType.SetType(ie.number, static_cast<MemTableFieldTypeEnum>(ie.memType));
}

bool CProject::LoadTables(const CString& configDir, CString* error) {
    auto ies = std::make_shared<CIETable>();
    auto events = std::make_shared<CEventTable>();
    if (!ies->Load(platform::PathJoin(configDir, kIETableFile), error)) return false;
    if (!events->Load(platform::PathJoin(configDir, kEventTableFile), error)) return false;
    SetTables({ies, events});
    return true;
}

const CSystemTables& CProject::Tables() const {
    if (m_tables.ies) return m_tables;
    if (this != &g_sysProject) return g_sysProject.Tables();
    // The system tables load on first use from the installed configuration.
    static bool tried = false;
    if (!tried) {
        tried = true;
        CString error;
        if (!g_sysProject.LoadTables(platform::GetConfigDirectory(), &error)) {
            std::fprintf(stderr, "%s\n", error.GetString());
            g_sysProject.m_tables = {std::make_shared<CIETable>(), std::make_shared<CEventTable>()};
        }
    }
    return m_tables;
}

const CIETable* CProject::GetIETable() const { return Tables().ies.get(); }
const CEventTable* CProject::GetEventTable() const { return Tables().events.get(); }

int CProject::GetIEID(const CString& name) const {
    const IEInfo* ie = GetIETable()->FindByName(name);
    return ie ? ie->number : kNoValue;
}

CString CProject::GetIEName(int number) const {
    const IEInfo* ie = GetIETable()->FindByNumber(number);
    return ie ? ie->name : CString();
}

CString CProject::GetEventName(int number) const {
    const EventInfo* e = GetEventTable()->FindByNumber(number);
    return e ? e->name : CString();
}

int CProject::GetIEMemType(int number) const { return GetIETable()->MemType(number); }

const IEInfo* CProject::GetIEByName(const CString& name) const {
    return GetIETable()->FindByName(name);
}

CString CProject::GetIEUnitByIEName(const CString& name) const {
    const IEInfo* ie = GetIETable()->FindByName(name);
    return ie ? ie->unit : CString();
}

bool CProject::GetIEValueRangeByName(const CString& name, double& maxValue,
                                     double& minValue) const {
    const IEInfo* ie = GetIETable()->FindByName(name);
    if (!ie) return false;
    maxValue = ie->maxValue;
    minValue = ie->minValue;
    return true;
}

// ---- system configuration

CString CSystemConfig::GetFilePath() const {
    if (const char* p = std::getenv("LOGIO_SYSTEM_CONFIG"); p && *p) return p;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        return platform::PathJoin(x, "logio/system.conf");
    if (const char* h = std::getenv("HOME"); h && *h)
        return platform::PathJoin(h, ".config/logio/system.conf");
    return CString();
}

void CSystemConfig::LoadIfNeeded() {
    if (m_loaded) return;
    m_loaded = true;
    m_recent.clear();
    platform::CTextFileReader r;
    if (!r.Open(GetFilePath())) return;
    CString line;
    while (r.ReadLine(line) && static_cast<int>(m_recent.size()) < kRecentCount) {
        if (line.Left(7) == "recent=" && line.GetLength() > 7) m_recent.push_back(line.Mid(7));
    }
}

bool CSystemConfig::SaveList() const {
    const CString path = GetFilePath();
    if (path.IsEmpty()) return false;
    MakeDirectories(platform::PathDirectory(path).IsEmpty()
                        ? CString(".")
                        : NormaliseFolder(platform::PathDirectory(path)));
    // Write beside and rename, so a crash keeps the old list.
    const CString temp = path + ".tmp";
    platform::CTextFileWriter w;
    if (!w.Open(temp)) return false;
    for (const CString& p : m_recent) w.Write("recent=" + p + "\n");
    if (!w.Close()) return false;
    return std::rename(temp, path) == 0;
}

CString CSystemConfig::GetRecentLogFile(int index) {
    LoadIfNeeded();
    if (index < 0 || index >= static_cast<int>(m_recent.size())) return CString();
    return m_recent[static_cast<size_t>(index)];
}

void CSystemConfig::SetRecentLogFile(const CString& path) {
    if (path.IsEmpty()) return;
    LoadIfNeeded();
    std::erase(m_recent, path);
    m_recent.push_front(path);
    while (static_cast<int>(m_recent.size()) > kRecentCount) m_recent.pop_back();
    SaveList();
}

void CSystemConfig::RemoveRecentLogFile(const CString& path) {
    LoadIfNeeded();
    if (std::erase(m_recent, path)) SaveList();
}
