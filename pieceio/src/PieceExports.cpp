// The plug-in's exports.
#include "PieceFile.h"
#include "pieceio/PieceIO.h"

void GetImportName(char* name, int size) { pieceio::CopyCommandName("Import Piece", name, size); }

void GetExportName(char* name, int size) { pieceio::CopyCommandName("Export Piece", name, size); }
