// Importer and exporter interfaces, their exported bases and their kinds.
#pragma once

#include <vector>

#include "platform/CString.h"
#include "platform/Variant.h"

class ILogfile;
class IDBMapper;
class IStreamManager;
class ISubject;

enum ImporterTypeEnum : int {
    IMPORTER_NONE = 0,
    IMPORTER_OUTDOOR_LOG = 1,
    IMPORTER_INDOOR_LOG = 2,
    IMPORTER_CS_LOG = 3,
    IMPORTER_CMCC_LOG = 5,
    IMPORTER_TEXT = 6,
    IMPORTER_NETINFO = 8,
};

enum ExporterTypeEnum : int { EXPORTER_TEXT = 1, EXPORTER_EXCEL = 2 };

class IImporter {
public:
    // 1 imported (the new log through logfile where the importer makes one),
    // 0 failed; other results are the importer's own.
    virtual int Import(const CString& path, ILogfile** logfile) = 0;
    virtual ~IImporter() = default;
};

class CImporter : public IImporter {
public:
    CImporter();
    CImporter(const CImporter&) = default;
    CImporter& operator=(const CImporter&) = default;
    ~CImporter() override = default;  // mapper and stream manager belong to the host

    ImporterTypeEnum GetImporterType() const { return m_type; }

protected:
    ImporterTypeEnum m_type = IMPORTER_NONE;
    IDBMapper* m_mapper;
    IStreamManager* m_streamManager;
};

class IExporter {
public:
    virtual int Export(CString file, std::vector<COleSafeArray>& sheets,
                       std::vector<CString>& names) = 0;
    virtual int Export(CString file, std::vector<ISubject*> subjects,
                       std::vector<CString>& sheetNames,
                       std::vector<std::vector<CString>>& columns) = 0;
    virtual int Export(CString file, ISubject* subject, std::vector<CString>& columns) = 0;
    virtual int Export(CString file, ISubject* subject) = 0;
    // The interactive export.
    virtual int Export() = 0;
    virtual ~IExporter() = default;
};

class CExporter : public IExporter {
public:
    CExporter();
    CExporter(const CExporter&) = default;
    CExporter& operator=(const CExporter&) = default;
    ~CExporter() override = default;

    ExporterTypeEnum GetExporterType() const { return m_type; }

protected:
    ExporterTypeEnum m_type = static_cast<ExporterTypeEnum>(0);
    IStreamManager* m_streamManager;
};
