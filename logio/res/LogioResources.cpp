#include "logio/res/LogioResources.h"

CResourceModule& LogioResources() {
    static CResourceModule module("logio");
    return module;
}
