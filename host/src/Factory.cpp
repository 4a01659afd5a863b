#include "logio/host/Factory.h"

#include <sqlite3.h>

#include "logio/host/Decode.h"
#include "logio/host/HostDefs.h"
#include "logio/host/Project.h"

namespace {

// Reads the open project's database (g_project) at the time of each call, so
// a mapper made before a project opens still sees it.
class CProjectDBMapper : public IDBMapper {
public:
    bool HasTable(const CString& table) override {
        sqlite3* db = g_project.GetDatabase();
        if (!db) return false;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?", -1,
                               &st, nullptr) != SQLITE_OK)
            return false;
        sqlite3_bind_text(st, 1, table.GetString(), table.GetLength(), SQLITE_TRANSIENT);
        const bool found = sqlite3_step(st) == SQLITE_ROW;
        sqlite3_finalize(st);
        return found;
    }

    bool GetSitePosition(unsigned int cellKey, double& longitude, double& latitude) override {
        longitude = latitude = kNoValueD;
        sqlite3* db = g_project.GetDatabase();
        if (!db) return false;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT longitude, latitude FROM CellSite WHERE cell_key=?", -1,
                               &st, nullptr) != SQLITE_OK)
            return false;
        sqlite3_bind_int64(st, 1, static_cast<sqlite3_int64>(cellKey));
        const bool found = sqlite3_step(st) == SQLITE_ROW;
        if (found) {
            longitude = sqlite3_column_double(st, 0);
            latitude = sqlite3_column_double(st, 1);
        }
        sqlite3_finalize(st);
        return found;
    }
};

}  // namespace

CFactory* CFactory::Instance() {
    static CFactory factory;
    return &factory;
}

IDBMapper* CFactory::CreateDBMapper() {
    m_mappers.push_back(std::make_unique<CProjectDBMapper>());
    return m_mappers.back().get();
}

IDecoder* CFactory::CreateDecoder() { return new CDecoder(); }
