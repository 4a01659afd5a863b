// Answers of the handset-type correction dialog that last beyond one log.
#pragma once

extern int g_fixKeepForLog;
extern int g_fixKeepForAll;
extern int g_fixAsk;

// Back to asking for every unknown handset type.
void ResetHandsetTypeFix();
