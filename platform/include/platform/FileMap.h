// Memory-mapped file views. Views start at multiples of the allocation
// granularity, which is the system page size here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/CString.h"

namespace platform {

size_t GetAllocationGranularity();

class CFileMapping {
public:
    CFileMapping() = default;
    ~CFileMapping();
    CFileMapping(const CFileMapping&) = delete;
    CFileMapping& operator=(const CFileMapping&) = delete;

    // Opens (creating when asked) a file for mapping. A non-zero minSize grows
    // the file to at least that many bytes.
    bool Open(const CString& path, bool writable, bool create, uint64_t minSize = 0);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    uint64_t Size() const;

    // Maps size bytes at offset, which must be a multiple of the granularity.
    // Returns null on failure.
    void* MapView(uint64_t offset, size_t size);
    static void UnmapView(void* view, size_t size);

private:
    int m_fd = -1;
    bool m_writable = false;
};

}  // namespace platform
