#include "host/HostVersion.h"

const char* HostVersion() { return "0.1.0"; }
