// The running executable and the folders the installed layout puts beside it.
#pragma once

#include "platform/CString.h"

namespace platform {

// Full path of the running executable.
CString GetExecutablePath();
// The folder above the executable's folder, with a trailing separator: the
// installed layout keeps Config/ there.
CString GetInstallRoot();
// Config folder of the installed layout, with a trailing separator.
CString GetConfigDirectory();

}  // namespace platform
