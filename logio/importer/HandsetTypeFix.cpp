#include "logio/importer/HandsetTypeFix.h"

int g_fixKeepForLog = 1;
int g_fixKeepForAll = 1;
int g_fixAsk = 1;

void ResetHandsetTypeFix() {
    g_fixKeepForLog = 1;
    g_fixKeepForAll = 1;
    g_fixAsk = 1;
}
