// The host's factory: data mappers over the open project's database, and
// decoders for stored logs.
#pragma once

#include <memory>
#include <vector>

#include "platform/CString.h"

// Data access for importers and exporters, over the open project's database.
class IDBMapper {
public:
    virtual ~IDBMapper() = default;
    // True when the project database has the table.
    virtual bool HasTable(const CString& table) = 0;
    // Longitude and latitude of the site of a cell; both stay -255 (and the
    // result is false) when the cell is unknown.
    virtual bool GetSitePosition(unsigned int cellKey, double& longitude, double& latitude) = 0;
};

class IDecoder;

class CFactory {
public:
    static CFactory* Instance();
    // A new mapper; the factory keeps and frees it, callers never release it.
    IDBMapper* CreateDBMapper();
    // A new decoder of stored records; the caller owns it.
    IDecoder* CreateDecoder();

private:
    std::vector<std::unique_ptr<IDBMapper>> m_mappers;
};
