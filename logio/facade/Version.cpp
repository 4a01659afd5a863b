#include "logio/facade/Version.h"

const char* LogioVersion() { return "0.1.0"; }
