// logio's own resources: its dialog templates, strings and bitmaps.
#pragma once

#include "platform/ui/Resource.h"

// The module that owns logio's resources; each dialog adds its template here.
CResourceModule& LogioResources();

// Makes logio's module the current resource module for the scope of an entry
// point that shows dialogs or message boxes, restoring the previous one on
// every exit.
class CLogioResourceGuard : public CResourceHandle {
public:
    CLogioResourceGuard() : CResourceHandle(&LogioResources()) {}
};
