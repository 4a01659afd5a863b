#include "platform/FileMap.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

size_t GetAllocationGranularity() {
    static const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    return page;
}

CFileMapping::~CFileMapping() { Close(); }

bool CFileMapping::Open(const CString& path, bool writable, bool create, uint64_t minSize) {
    Close();
    int flags = writable ? O_RDWR : O_RDONLY;
    if (create) flags |= O_CREAT;
    m_fd = ::open(path, flags | O_CLOEXEC, 0644);
    if (m_fd < 0) return false;
    m_writable = writable;
    if (minSize > Size() && (!writable || ::ftruncate(m_fd, static_cast<off_t>(minSize)) != 0)) {
        Close();
        return false;
    }
    return true;
}

void CFileMapping::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

uint64_t CFileMapping::Size() const {
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

void* CFileMapping::MapView(uint64_t offset, size_t size) {
    if (m_fd < 0 || size == 0 || offset % GetAllocationGranularity() != 0) return nullptr;
    if (offset + size > Size()) return nullptr;
    void* p = ::mmap(nullptr, size, m_writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED,
                     m_fd, static_cast<off_t>(offset));
    return p == MAP_FAILED ? nullptr : p;
}

void CFileMapping::UnmapView(void* view, size_t size) {
    if (view) ::munmap(view, size);
}

}  // namespace platform
