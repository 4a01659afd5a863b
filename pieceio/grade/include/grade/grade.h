// The pattern host's piece model.
#pragma once

#include "grade/P_LINE.h"
#include "grade/P_PIECE.h"
#include "grade/P_POINT.h"
#include "grade/PieceTypes.h"
