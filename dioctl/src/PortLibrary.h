// The port I/O library, loaded by name when an object first touches the port.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "portio/PortIO.h"

namespace dioctl {

// $DIOCTL_PORTIO, else "portio".
std::string PortLibraryName();
// Files tried for a name: beside this module, in ../lib from it, then the
// loader's own search.
std::vector<std::string> PortLibraryFiles(const std::string& name);

class PortLibrary {
public:
    PortLibrary() = default;
    PortLibrary(const PortLibrary&) = delete;
    PortLibrary& operator=(const PortLibrary&) = delete;
    ~PortLibrary();

    // Loads the library if needed. Raises runtime error 53 when it cannot be
    // loaded, 453 when it lacks vbPortIO, or the library's own reason when
    // its port cannot be used.
    void Ensure();
    bool Loaded() const { return m_fn != nullptr; }
    const std::string& File() const { return m_file; }

    void Write(int32_t port, int32_t value) {
        if (!m_fn) Ensure();
        m_fn(portio::kWrite, port, &value);
    }
    int32_t Read(int32_t port) {
        if (!m_fn) Ensure();
        int32_t value = 0;
        m_fn(portio::kRead, port, &value);
        return value;
    }

private:
    void Unload();
    void* m_handle = nullptr;
    vbPortIOFn m_fn = nullptr;
    std::string m_file;
};

}  // namespace dioctl
