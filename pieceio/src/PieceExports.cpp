// The plug-in's exports. Nothing may be thrown across them: the host only
// knows the results.
#include "PieceFile.h"
#include "platform/ui/FileDialog.h"
#include "pieceio/PieceIO.h"

namespace {

// The name buffer of the file dialogs, in characters.
constexpr DWORD kNameBufferSize = 260;

// The file chosen in the system's open or save dialog (no owner, filter,
// title or options); empty when the user cancelled.
CString ChooseFile(BOOL open) {
    CFileDialog dialog(open, nullptr, nullptr, 0, nullptr, nullptr, kNameBufferSize);
    if (dialog.DoModal() != IDOK) return CString();
    return dialog.GetPathName();
}

}  // namespace

P_PIECE* ImportPiece(P_PIECE* piece) {
    // Without a piece there is nothing to read into: ask for no file.
    if (!piece) return nullptr;
    try {
        const CString path = ChooseFile(TRUE);
        if (path.IsEmpty()) return nullptr;
        return pieceio::ImportPieceFile(piece, path);
    } catch (...) {
        return nullptr;
    }
}

int ExportPiece(P_PIECE* piece) {
    try {
        const CString path = ChooseFile(FALSE);
        if (path.IsEmpty()) return 0;
        return pieceio::ExportPieceFile(piece, path);
    } catch (...) {
        return 0;
    }
}

void GetImportName(char* name, int size) { pieceio::CopyCommandName("Import Piece", name, size); }

void GetExportName(char* name, int size) { pieceio::CopyCommandName("Export Piece", name, size); }
