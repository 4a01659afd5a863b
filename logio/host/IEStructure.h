// Decoded records and their IE blocks.
#pragma once

#include "logio/host/GSMBlocks.h"
#include "logio/host/IEBaseStruct.h"
#include "logio/host/LTEBlocks.h"
#include "logio/host/RecordBlocks.h"
#include "logio/host/TDBlocks.h"
#include "logio/host/TDListBlocks.h"
#include "logio/host/Testdata.h"
#include "logio/host/ToolUtility.h"
