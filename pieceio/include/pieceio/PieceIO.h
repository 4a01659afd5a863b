// pieceio: the piece exchange plug-in of the pattern host. The host loads the
// library at run time and finds these four functions by their C++ symbols.
#pragma once

class P_PIECE;

#define PIECEIO_EXPORT __attribute__((visibility("default")))

// Shows the open-file dialog and reads the chosen piece file into piece (and
// new pieces linked after it). Returns piece, or null when the dialog was
// cancelled or the file could not be read.
PIECEIO_EXPORT P_PIECE* ImportPiece(P_PIECE* piece);
// Shows the save-file dialog and writes piece and its chain of successors.
// Returns 1 when written, 0 when cancelled or the file could not be written.
PIECEIO_EXPORT int ExportPiece(P_PIECE* piece);
// The commands' names for the host's menu: at most size bytes, zero padded,
// the last byte always zero.
PIECEIO_EXPORT void GetImportName(char* name, int size);
PIECEIO_EXPORT void GetExportName(char* name, int size);

namespace pieceio {

// What a host passes to dlsym.
inline constexpr char kImportPieceSymbol[] = "_Z11ImportPieceP7P_PIECE";
inline constexpr char kExportPieceSymbol[] = "_Z11ExportPieceP7P_PIECE";
inline constexpr char kGetImportNameSymbol[] = "_Z13GetImportNamePci";
inline constexpr char kGetExportNameSymbol[] = "_Z13GetExportNamePci";

using ImportPieceFn = P_PIECE* (*)(P_PIECE*);
using ExportPieceFn = int (*)(P_PIECE*);
using GetNameFn = void (*)(char*, int);

}  // namespace pieceio
