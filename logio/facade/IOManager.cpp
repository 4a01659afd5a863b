#include "logio/facade/IOManager.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "logio/importer/HandsetTypeFix.h"
#include "platform/FileMap.h"
#include "logio/facade/Message.h"

namespace {

// Kinds 1..8 have a slot each; 4 and 7 stay empty.
constexpr int kImporterKinds = 9;
constexpr int kExporterKinds = 3;

CIOManager::ImporterCreator g_importerCreators[kImporterKinds] = {};
CIOManager::ExporterCreator g_exporterCreators[kExporterKinds] = {};

// What CreateFileMap hands out: the mapped file and its size.
struct FileMapHandle {
    int fd;
    unsigned long size;
};

}  // namespace

CIOManager::CIOManager() = default;

CIOManager::~CIOManager() { Release(); }

void CIOManager::Release() {
    for (auto& [type, importer] : m_importers) delete importer;
    for (auto& [type, exporter] : m_exporters) delete exporter;
    m_importers.clear();
    m_exporters.clear();
}

CIOManager::ImporterCreator CIOManager::SetImporterCreator(ImporterTypeEnum type,
                                                           ImporterCreator creator) {
    if (type <= IMPORTER_NONE || type >= kImporterKinds) return nullptr;
    ImporterCreator previous = g_importerCreators[type];
    g_importerCreators[type] = creator;
    return previous;
}

CIOManager::ExporterCreator CIOManager::SetExporterCreator(ExporterTypeEnum type,
                                                           ExporterCreator creator) {
    if (type <= 0 || type >= kExporterKinds) return nullptr;
    ExporterCreator previous = g_exporterCreators[type];
    g_exporterCreators[type] = creator;
    return previous;
}

IImporter* CIOManager::CreateImporterByType(ImporterTypeEnum type) {
    if (type <= IMPORTER_NONE || type >= kImporterKinds || !g_importerCreators[type])
        return nullptr;
    try {
        return g_importerCreators[type]();
    } catch (...) {
        LogioMessageBox("导入操作出现错误，请重试或重启系统！", MB_ICONERROR);
        return nullptr;
    }
}

IExporter* CIOManager::CreateExporterByType(ExporterTypeEnum type) {
    if (type <= 0 || type >= kExporterKinds || !g_exporterCreators[type]) return nullptr;
    try {
        return g_exporterCreators[type]();
    } catch (...) {
        LogioMessageBox("导出操作出现错误，请重试或重启系统！", MB_ICONERROR);
        return nullptr;
    }
}

IImporter* CIOManager::GetImporterByType(ImporterTypeEnum type) {
    auto it = m_importers.find(type);
    if (it != m_importers.end()) return it->second;
    IImporter* importer = CreateImporterByType(type);
    if (importer) m_importers[type] = importer;
    return importer;
}

IExporter* CIOManager::GetExporterByType(ExporterTypeEnum type) {
    auto it = m_exporters.find(type);
    if (it != m_exporters.end()) return it->second;
    IExporter* exporter = CreateExporterByType(type);
    if (exporter) m_exporters[type] = exporter;
    return exporter;
}

void CIOManager::ResetIOFix() { ResetHandsetTypeFix(); }

void* CIOManager::CreateFileMap(CString& path, unsigned long size) {
    const int fd = ::open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    // A mapping of zero bytes, or one the file cannot grow to, does not exist.
    if (size == 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        ::close(fd);
        return nullptr;
    }
    return new FileMapHandle{fd, size};
}

unsigned long CIOManager::ExportMemoryToFile(void*& map, unsigned long& offset, void* data,
                                             unsigned long size) {
    auto* handle = static_cast<FileMapHandle*>(map);
    if (!handle || !data || size == 0) return 0;
    const unsigned long granularity = platform::GetAllocationGranularity();
    const unsigned long base = offset - offset % granularity;
    const unsigned long delta = offset % granularity;
    // A view past the end of the mapping cannot be had.
    if (offset > handle->size || size > handle->size - offset) return 0;
    void* view = ::mmap(nullptr, delta + size, PROT_READ | PROT_WRITE, MAP_SHARED, handle->fd,
                        static_cast<off_t>(base));
    if (view == MAP_FAILED) return 0;
    std::memcpy(static_cast<char*>(view) + delta, data, size);
    ::munmap(view, delta + size);
    return size;
}

void CIOManager::CloseFileMap(void* map) {
    auto* handle = static_cast<FileMapHandle*>(map);
    if (!handle) return;
    ::close(handle->fd);
    delete handle;
}
