// piece: a small pattern host. It loads the piece exchange plug-in by its file
// name, finds its four functions by their symbols, and exports a sample piece
// or imports a piece file and prints the pieces it read.
#include <CLI/CLI.hpp>
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "CommandLineDriver.h"
#include "grade/grade.h"
#include "pieceio/PieceIO.h"
#include "platform/Module.h"
#include "platform/Path.h"

namespace {

constexpr auto kOptionNine = static_cast<P_POINT_OPTION_TYPE>(9);

struct Plugin {
    void* library = nullptr;
    pieceio::ImportPieceFn importPiece = nullptr;
    pieceio::ExportPieceFn exportPiece = nullptr;
    pieceio::GetNameFn getImportName = nullptr;
    pieceio::GetNameFn getExportName = nullptr;

    ~Plugin() {
        if (library) ::dlclose(library);
    }

    // A bare file name is looked for in lib/ of the installed layout first,
    // then where the system looks. The executable's own run path cannot be
    // relied on: an interposed dlopen (sanitizers) hides it.
    bool Load(const std::string& name) {
        if (name.find('/') == std::string::npos) {
            const CString beside = platform::PathJoin(platform::GetInstallRoot(), "lib/" + name);
            library = ::dlopen(beside.GetString(), RTLD_NOW | RTLD_LOCAL);
        }
        if (!library) library = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            std::fprintf(stderr, "piece: cannot load %s: %s\n", name.c_str(), ::dlerror());
            return false;
        }
        return Find(importPiece, pieceio::kImportPieceSymbol) &&
               Find(exportPiece, pieceio::kExportPieceSymbol) &&
               Find(getImportName, pieceio::kGetImportNameSymbol) &&
               Find(getExportName, pieceio::kGetExportNameSymbol);
    }

    template <typename Fn>
    bool Find(Fn& fn, const char* symbol) {
        fn = reinterpret_cast<Fn>(::dlsym(library, symbol));
        if (!fn) std::fprintf(stderr, "piece: the plug-in has no %s\n", symbol);
        return fn != nullptr;
    }
};

void AddPoint(P_LINE* line, double x, double y, int attribute = 0, bool optionNine = false) {
    auto* point = new P_POINT(line, CPiecePoint{});  // owned by the line
    point->SetX(x, eApexFree);
    point->SetY(y, eApexFree);
    point->SetAttribute(static_cast<std::uint8_t>(attribute));
    if (optionNine) point->CheckAddPointOption(kOptionNine);
}

// A square piece of the given side: four perimeter lines (the hem marked), a
// grain line (type 71) and a dart (type 68).
void BuildSquare(P_PIECE& piece, double side) {
    const double corners[5][2] = {{0, 0}, {side, 0}, {side, side}, {0, side}, {0, 0}};
    for (int i = 0; i < 4; ++i) {
        P_LINE* line = piece.AddLine(P_MOD_NONE, -1, nullptr);
        AddPoint(line, corners[i][0], corners[i][1], 1, i == 0);
        AddPoint(line, corners[i + 1][0], corners[i + 1][1], 1);
        if (i == 0) {
            line->SetStatus(2);
            piece.SetMarkedLine(1);
        }
    }
    P_INTERNAL* grain = piece.AddInternal(P_MOD_NONE, -1, "grain");
    grain->SetType(71);
    AddPoint(grain, side / 2, side * 0.1);
    AddPoint(grain, side / 2, side * 0.9);
    P_INTERNAL* dart = piece.AddInternal(P_MOD_NONE, -1, "dart");
    dart->SetType(68);
    AddPoint(dart, side * 0.3, 0);
    AddPoint(dart, side * 0.35, side * 0.25, 5, true);
    AddPoint(dart, side * 0.4, 0);
    // Extents are kept in ten-thousandths.
    piece.SetExtent(0, side * 10000);
    piece.SetExtent(1, side * 10000);
}

// The sample: a graded square of two sizes.
void BuildSample(P_PIECE& piece) {
    BuildSquare(piece, 20);
    P_PIECE* larger = piece.NewPiece();
    piece.SetNext(larger);
    BuildSquare(*larger, 21.25);
}

void PrintPoints(const P_LINE& line) {
    for (const P_POINT* p = line.GetFirstPoint(); p; p = p->GetNext())
        std::printf("    (%.4f, %.4f) attribute %d%s\n", p->GetX(), p->GetY(), p->GetAttribute(),
                    p->HasPointOption(kOptionNine) ? ", option 9" : "");
}

void PrintPieces(const P_PIECE* first) {
    int n = 0;
    for (const P_PIECE* piece = first; piece; piece = piece->GetNext()) {
        std::printf("piece %d%s\n", ++n, piece->GetMarkedLine() ? " (has a marked line)" : "");
        int i = 0;
        if (const P_LINE* line = piece->GetFirstLine()) {
            do {
                std::printf("  line %d%s, %d points\n", ++i,
                            line->GetStatusCode() == 2 ? ", marked" : "", line->GetPointCount());
                PrintPoints(*line);
                line = line->GetNext();
            } while (line != piece->GetFirstLine());
        }
        i = 0;
        if (const P_INTERNAL* line = piece->GetFirstInternal()) {
            do {
                std::printf("  internal line %d, type %d%s, %d points\n", ++i, line->GetType(),
                            line->GetStatusCode() == 2 ? ", marked" : "", line->GetPointCount());
                PrintPoints(*line);
                line = line->GetNextInternal();
            } while (line != piece->GetFirstInternal());
        }
    }
}

int CountPieces(const P_PIECE* first) {
    int n = 0;
    for (const P_PIECE* p = first; p; p = p->GetNext()) ++n;
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"piece: exports and imports pattern pieces through the piece exchange plug-in"};
    app.require_subcommand(1);
    std::string pluginName = "libpieceio.so";
    app.add_option("--plugin", pluginName, "The plug-in to load (a file name or a path)")
        ->capture_default_str();

    std::string file;
    auto* names = app.add_subcommand("names", "Show the names of the plug-in's commands");
    auto* exportCmd = app.add_subcommand("export", "Export a sample piece of two sizes to FILE");
    exportCmd->add_option("FILE", file, "The piece file to write")->required();
    auto* importCmd = app.add_subcommand("import", "Import FILE and print the pieces read");
    importCmd->add_option("FILE", file, "The piece file to read")->required();

    CLI11_PARSE(app, argc, argv);

    Plugin plugin;
    if (!plugin.Load(pluginName)) return 1;

    // The plug-in asks for its file in a dialog: the command line answers it.
    CCommandLineDriver driver(file.c_str());
    platform::ui::DriverScope scope(&driver);

    if (names->parsed()) {
        char name[64];
        plugin.getImportName(name, sizeof name);
        std::printf("%s\n", name);
        plugin.getExportName(name, sizeof name);
        std::printf("%s\n", name);
        return 0;
    }
    if (exportCmd->parsed()) {
        P_PIECE sample;
        BuildSample(sample);
        if (plugin.exportPiece(&sample) != 1) {
            std::fprintf(stderr, "piece: nothing was exported to %s\n", file.c_str());
            return 1;
        }
        std::printf("exported %d pieces to %s\n", CountPieces(&sample), file.c_str());
        return 0;
    }
    P_PIECE piece;
    if (plugin.importPiece(&piece) != &piece) {
        std::fprintf(stderr, "piece: nothing was imported from %s\n", file.c_str());
        return 1;
    }
    PrintPieces(&piece);
    return 0;
}
