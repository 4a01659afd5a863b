// CIOManager: the one class through which the host reaches logio.
#pragma once

#include <map>
#include <vector>

#include "logio/facade/Importer.h"
#include "platform/CString.h"

class IModuleCommunicator;
class CLogFileManager;

class CIOManager {
public:
    CIOManager();
    virtual ~CIOManager();
    // Copies would share and twice destroy the cached objects.
    CIOManager(const CIOManager&) = delete;
    CIOManager& operator=(const CIOManager&) = delete;

    void RegisterModuleCommunicator(IModuleCommunicator* communicator) {
        m_communicator = communicator;
    }
    void UnregisterModuleCommunicator() { m_communicator = nullptr; }

    // The cached importer of a kind, created on first use; null for a kind
    // without importer. The facade owns it.
    IImporter* GetImporterByType(ImporterTypeEnum type);
    IExporter* GetExporterByType(ExporterTypeEnum type);

    // The kind of the log at path (1, 2, 3 or 5), or 0 when it is refused
    // (with a message); shows the wait cursor.
    ImporterTypeEnum GetImporterType(const CString& path);
    // The version and test-type check of a stored log, with the caller's store.
    ImporterTypeEnum GetImporterType(CLogFileManager& store, CString path);
    // The stored log's version, or -255 when it does not open.
    int GetLogVersion(CString path);

    // Sets the three handset-type correction flags back to asking.
    void ResetIOFix();

    // File maps for writing large blocks into a file. The handle is null on failure.
    void* CreateFileMap(CString& path, unsigned long size);
    // Copies size bytes to offset of the mapped file (offset is not advanced).
    // Returns size, or 0 when nothing could be written.
    unsigned long ExportMemoryToFile(void*& map, unsigned long& offset, void* data,
                                     unsigned long size);
    void CloseFileMap(void* map);

    ImporterTypeEnum GetNodeType() const { return m_nodeType; }

    // Creation of each kind. The product registers its importers and
    // exporters here; tests may put their own in for a while.
    using ImporterCreator = IImporter* (*)();
    using ExporterCreator = IExporter* (*)();
    static ImporterCreator SetImporterCreator(ImporterTypeEnum type, ImporterCreator creator);
    static ExporterCreator SetExporterCreator(ExporterTypeEnum type, ExporterCreator creator);

private:
    virtual void Release();
    IImporter* CreateImporterByType(ImporterTypeEnum type);
    IExporter* CreateExporterByType(ExporterTypeEnum type);
    // Filter of the log open dialog for a project node of the kind.
    CString GetLogFilter(ImporterTypeEnum node);

    std::map<ImporterTypeEnum, IImporter*> m_importers;
    std::map<ExporterTypeEnum, IExporter*> m_exporters;
    ImporterTypeEnum m_nodeType = IMPORTER_NONE;
    IModuleCommunicator* m_communicator = nullptr;

    friend class CIOManagerTestAccess;
};
