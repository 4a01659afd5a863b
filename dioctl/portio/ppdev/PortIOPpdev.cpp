// The real parallel port through Linux's ppdev driver. The port is opened and
// claimed on first use and released when the library is unloaded; the data,
// status and control registers are reached at their legacy numbers.
#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "portio/PortIO.h"

namespace {

constexpr int32_t kFloatingBus = 0xFF;
// Runtime error numbers of the reasons a port cannot be used.
constexpr int32_t kErrDeviceIO = 57;
constexpr int32_t kErrDeviceUnavailable = 68;
constexpr int32_t kErrPermissionDenied = 70;

std::mutex g_mutex;
int g_fd = -1;

int32_t ErrorNumber(int err) {
    switch (err) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return kErrDeviceUnavailable;
        case EACCES:
        case EPERM:
            return kErrPermissionDenied;
    }
    return kErrDeviceIO;
}

void Tell(char* message, int32_t size, const std::string& text) {
    if (message && size > 0) std::snprintf(message, static_cast<size_t>(size), "%s", text.c_str());
}

int32_t OpenLocked(char* message, int32_t size) {
    if (g_fd >= 0) return 0;
    const char* env = std::getenv(portio::kDeviceEnv);
    const std::string device = env && *env ? env : portio::kDefaultDevice;
    int fd = open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        int err = errno;
        Tell(message, size, "cannot open " + device + ": " + std::strerror(err));
        return ErrorNumber(err);
    }
    if (ioctl(fd, PPCLAIM) != 0) {
        int err = errno;
        close(fd);
        Tell(message, size, "cannot claim " + device + ": " + std::strerror(err));
        return ErrorNumber(err);
    }
    int forward = 0;  // data lines are outputs
    ioctl(fd, PPDATADIR, &forward);
    g_fd = fd;
    return 0;
}

__attribute__((destructor)) void ClosePort() {
    std::lock_guard lock(g_mutex);
    if (g_fd < 0) return;
    ioctl(g_fd, PPRELEASE);
    close(g_fd);
    g_fd = -1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t PortIOOpen(char* message, int32_t size) {
    std::lock_guard lock(g_mutex);
    return OpenLocked(message, size);
}

extern "C" __attribute__((visibility("default"))) void vbPortIO(int32_t direction, int32_t port,
                                                                int32_t* value) {
    if (!value) return;
    std::lock_guard lock(g_mutex);
    if (OpenLocked(nullptr, 0) != 0) {
        if (direction == portio::kRead) *value = kFloatingBus;
        return;
    }
    unsigned char byte = static_cast<unsigned char>(*value & 0xFF);
    if (direction == portio::kWrite) {
        // vbPortIO has no result: a failed write shows in what is read back.
        if (port == portio::kDataPort) ioctl(g_fd, PPWDATA, &byte);
        if (port == portio::kControlPort) ioctl(g_fd, PPWCONTROL, &byte);
        return;
    }
    int ok = -1;
    if (port == portio::kDataPort) ok = ioctl(g_fd, PPRDATA, &byte);
    if (port == portio::kStatusPort) ok = ioctl(g_fd, PPRSTATUS, &byte);
    if (port == portio::kControlPort) ok = ioctl(g_fd, PPRCONTROL, &byte);
    *value = ok == 0 ? byte : kFloatingBus;
}
