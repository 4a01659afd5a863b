// Arbitrary bytes through the piece file reader; what it builds must survive
// an export and a second import unchanged in shape.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "PieceFile.h"
#include "grade/grade.h"

namespace {

// Pieces, lines, flags, types and point attributes: everything a file carries
// except the coordinates, which are rounded to four decimals on the way.
std::string Shape(const P_PIECE* first) {
    std::string s;
    auto points = [&s](const P_LINE& line) {
        for (const P_POINT* p = line.GetFirstPoint(); p; p = p->GetNext()) {
            s += 'p';
            s += std::to_string(p->GetAttribute());
            s += p->HasPointOption(pieceio::kExchangedPointOption) ? "o" : "";
        }
    };
    for (const P_PIECE* piece = first; piece; piece = piece->GetNext()) {
        s += piece->GetMarkedLine() ? "\nP*" : "\nP";
        if (const P_LINE* l = piece->GetFirstLine()) {
            do {
                s += " L" + std::to_string(l->GetStatus());
                points(*l);
                l = l->GetNext();
            } while (l != piece->GetFirstLine());
        }
        if (const P_INTERNAL* l = piece->GetFirstInternal()) {
            do {
                s += " I" + std::to_string(l->GetType()) + "/" + std::to_string(l->GetStatus());
                points(*l);
                l = l->GetNextInternal();
            } while (l != piece->GetFirstInternal());
        }
    }
    return s;
}

void Write(const std::string& path, const uint8_t* data, size_t size) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = "/tmp/fuzz_pieceio_in_" + std::to_string(::getpid());
    static const std::string output = "/tmp/fuzz_pieceio_out_" + std::to_string(::getpid());
    Write(input, data, size);

    P_PIECE read;
    if (pieceio::ImportPieceFile(&read, input.c_str()) != &read) __builtin_trap();
    if (pieceio::ExportPieceFile(&read, output.c_str()) != 1) __builtin_trap();
    P_PIECE again;
    if (pieceio::ImportPieceFile(&again, output.c_str()) != &again) __builtin_trap();
    if (Shape(&read) != Shape(&again)) __builtin_trap();
    return 0;
}
