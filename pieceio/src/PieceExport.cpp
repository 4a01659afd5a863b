#include <cmath>
#include <cstdio>

#include "ClassicNumbers.h"
#include "PieceFile.h"
#include "grade/grade.h"

// Lines end as in the text files of the host's home platform.
#define PIECE_EOL "\r\n"

namespace pieceio {

namespace {

double BoundsValue(const P_PIECE& piece, int extent) {
    return std::trunc(piece.GetExtent(extent)) * kBoundsScale;
}

bool WritePoints(std::FILE* file, const P_LINE& line) {
    for (const P_POINT* p = line.GetFirstPoint(); p; p = p->GetNext()) {
        // Only the low bits belong to the attribute: a wider code must not
        // pass for the option bit.
        unsigned flags = p->GetAttribute() & kPointAttributeMask;
        if (p->HasPointOption(kExchangedPointOption)) flags |= kPointOption;
        if (std::fprintf(file, "<point> %5.4f, %5.4f, 0x%04x" PIECE_EOL, p->GetX(), p->GetY(),
                         flags) < 0)
            return false;
    }
    return true;
}

bool WriteLine(std::FILE* file, const P_LINE& line, unsigned flags) {
    if (line.GetStatusCode() == kMarkedStatusCode) flags |= kLineMarked;
    return std::fprintf(file, "<line> 0x%04x" PIECE_EOL, flags) >= 0 && WritePoints(file, line);
}

unsigned InternalFlags(const P_INTERNAL& line) {
    const std::int16_t type = line.GetType();
    unsigned flags = type == kInternalTypeG ? (kLineInternal | kLineTypeG) : kLineInternal;
    if (type == kInternalTypeD) flags |= kLineTypeD;
    return flags;
}

bool WritePiece(std::FILE* file, const P_PIECE& piece) {
    if (std::fprintf(file, "<bounds> %f, %f, %f, %f" PIECE_EOL, BoundsValue(piece, 2),
                     BoundsValue(piece, 3), BoundsValue(piece, 0), BoundsValue(piece, 1)) < 0)
        return false;
    if (const P_LINE* first = piece.GetFirstLine()) {
        const P_LINE* line = first;
        do {
            if (!WriteLine(file, *line, kLinePerimeter)) return false;
            line = line->GetNext();
        } while (line && line != first);
    }
    if (const P_INTERNAL* first = piece.GetFirstInternal()) {
        const P_INTERNAL* line = first;
        do {
            if (!WriteLine(file, *line, InternalFlags(*line))) return false;
            line = line->GetNextInternal();
        } while (line && line != first);
    }
    return true;
}

}  // namespace

int ExportPieceFile(const P_PIECE* first, const char* path) {
    if (!path) return 0;
    std::FILE* file = std::fopen(path, "w");
    if (!file) return 0;
    CClassicNumbers numbers;
    bool ok = true;
    for (const P_PIECE* piece = first; piece && ok; piece = piece->GetNext())
        ok = WritePiece(file, *piece);
    ok = std::ferror(file) == 0 && ok;
    // Data still buffered is written by fclose: its failure is a failed export.
    ok = std::fclose(file) == 0 && ok;
    return ok ? 1 : 0;
}

}  // namespace pieceio
