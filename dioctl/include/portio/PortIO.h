// Port I/O libraries: shared libraries loaded by name at run time. Each
// exports vbPortIO; one may also export PortIOOpen to say why its port
// cannot be used.
#pragma once

#include <cstdint>

extern "C" {
// Direction 1 writes *value to the port, 0 reads the port into *value.
using vbPortIOFn = void (*)(int32_t direction, int32_t port, int32_t* value);
// 0 when the port is ready; otherwise a runtime error number (68 device
// unavailable, 70 permission denied, 57 device I/O error) and a message.
using PortIOOpenFn = int32_t (*)(char* message, int32_t size);
}

namespace portio {

constexpr int32_t kRead = 0;
constexpr int32_t kWrite = 1;

// Parallel port registers.
constexpr int32_t kDataPort = 888;  // 0x378
constexpr int32_t kStatusPort = kDataPort + 1;
constexpr int32_t kControlPort = kDataPort + 2;

// The library the objects load, unless the environment names another: a
// bare name N is the file libN.so, a name with a slash is a path.
constexpr const char* kDefaultLibrary = "portio";
constexpr const char* kLibraryEnv = "DIOCTL_PORTIO";
// The simulator's library name.
constexpr const char* kSimulatorLibrary = "portio_sim";

// Device of the real parallel port (ppdev).
constexpr const char* kDefaultDevice = "/dev/parport0";
constexpr const char* kDeviceEnv = "DIOCTL_PARPORT";

}  // namespace portio
