#include "platform/Module.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/Path.h"

namespace platform {

CString GetExecutablePath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return CString();
    return CString(buf, static_cast<int>(n));
}

CString GetInstallRoot() {
    CString dir = PathDirectory(GetExecutablePath());  // ".../bin/"
    dir.TrimRight(kPathSeparator);
    return PathDirectory(dir);
}

CString GetConfigDirectory() {
    // An override lets a host installed elsewhere point at its configuration.
    if (const char* env = std::getenv("LOGIO_CONFIG_DIR"); env && *env)
        return PathWithSeparator(env);
    return GetInstallRoot() + "Config/";
}

}  // namespace platform
