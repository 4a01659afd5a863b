// The piece file: records, flags, and the import and export of a piece chain
// from and to a named file.
#pragma once

#include <cstdint>

#include "grade/PieceTypes.h"

class P_PIECE;

namespace pieceio {

inline constexpr char kBoundsTag[] = "<bounds>";
inline constexpr char kLineTag[] = "<line>";
inline constexpr char kPointTag[] = "<point>";

// Line flags.
inline constexpr unsigned kLinePerimeter = 0x01;
inline constexpr unsigned kLineInternal = 0x02;  // written for every internal line
inline constexpr unsigned kLineTypeG = 0x04;
inline constexpr unsigned kLineMarked = 0x08;
inline constexpr unsigned kLineTypeD = 0x10;

// Point flags: the attribute code in the low three bits, then the option.
inline constexpr unsigned kPointAttributeMask = 0x07;
inline constexpr unsigned kPointOption = 0x08;

// The host's codes the flags stand for.
inline constexpr std::int16_t kInternalTypeG = 71;  // 'G'
inline constexpr std::int16_t kInternalTypeD = 68;  // 'D'
inline constexpr int kMarkedStatusCode = 2;
inline constexpr P_POINT_OPTION_TYPE kExchangedPointOption = static_cast<P_POINT_OPTION_TYPE>(9);

// Extents are kept in ten-thousandths.
inline constexpr double kBoundsScale = 0.0001;

// Longest record line read at once, terminator included.
inline constexpr int kLineBufferSize = 512;

// Values a record takes when its very first occurrence has unreadable numbers.
inline constexpr unsigned kDefaultLineFlags = kLinePerimeter;
inline constexpr unsigned kDefaultPointFlags = 0;
inline constexpr float kDefaultCoordinate = 0.0f;

// Reads the file at path into piece: the first bounds record starts piece
// itself, each later one a new piece linked after the current one (pieces
// that followed piece before stay linked after the new ones). Returns piece,
// or null when piece is null or the file cannot be read.
P_PIECE* ImportPieceFile(P_PIECE* piece, const char* path);

// Writes first and its successors to the file at path, replacing it.
// Returns 1 when everything was written, 0 otherwise.
int ExportPieceFile(const P_PIECE* first, const char* path);

// Copies text into name: at most size bytes, zero padded, name[size - 1]
// always zero. Does nothing without a buffer.
void CopyCommandName(const char* text, char* name, int size);

}  // namespace pieceio
