// The plug-in as a host meets it: loaded by file name, its four functions
// found by their symbols, its files chosen in the platform's dialogs.
#include <cxxabi.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "PieceTestUtil.h"
#include "pieceio/PieceIO.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/testing/ScriptedUi.h"

namespace {

using namespace pieceio_test;
using platform::ui::FileDialogRequest;
using platform::ui::ScriptedUi;

std::string Demangle(const char* symbol) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(symbol, nullptr, nullptr, &status), &std::free);
    return status == 0 ? name.get() : "";
}

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_library = ::dlopen(PIECEIO_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << ::dlerror();
        m_import = reinterpret_cast<pieceio::ImportPieceFn>(
            ::dlsym(m_library, pieceio::kImportPieceSymbol));
        m_export = reinterpret_cast<pieceio::ExportPieceFn>(
            ::dlsym(m_library, pieceio::kExportPieceSymbol));
        m_importName =
            reinterpret_cast<pieceio::GetNameFn>(::dlsym(m_library, pieceio::kGetImportNameSymbol));
        m_exportName =
            reinterpret_cast<pieceio::GetNameFn>(::dlsym(m_library, pieceio::kGetExportNameSymbol));
        ASSERT_TRUE(m_import && m_export && m_importName && m_exportName);
    }
    void TearDown() override {
        if (m_library) ::dlclose(m_library);
    }

    void* m_library = nullptr;
    pieceio::ImportPieceFn m_import = nullptr;
    pieceio::ExportPieceFn m_export = nullptr;
    pieceio::GetNameFn m_importName = nullptr;
    pieceio::GetNameFn m_exportName = nullptr;
};

TEST_F(PluginTest, ExportsCarryTheirSignaturesAndNothingElseIsExported) {
    EXPECT_EQ(Demangle(pieceio::kImportPieceSymbol), "ImportPiece(P_PIECE*)");
    EXPECT_EQ(Demangle(pieceio::kExportPieceSymbol), "ExportPiece(P_PIECE*)");
    EXPECT_EQ(Demangle(pieceio::kGetImportNameSymbol), "GetImportName(char*, int)");
    EXPECT_EQ(Demangle(pieceio::kGetExportNameSymbol), "GetExportName(char*, int)");
    EXPECT_EQ(::dlsym(m_library, "ImportPiece"), nullptr);
    EXPECT_EQ(::dlsym(m_library, "_ZN7pieceio15ImportPieceFileEP7P_PIECEPKc"), nullptr);

    char name[8];
    m_importName(name, sizeof name);
    EXPECT_EQ(std::string(name, sizeof name), std::string("Import \0", 8));
    char full[20];
    m_exportName(full, sizeof full);
    EXPECT_EQ(std::string(full, sizeof full), std::string("Export Piece\0\0\0\0\0\0\0\0", 20));
}

// The dialogs as the plug-in asks for them: no owner, filter, title or
// options, a name buffer of 260.
void ExpectPlainDialog(const FileDialogRequest& r) {
    EXPECT_EQ(r.owner, nullptr);
    EXPECT_TRUE(r.filters.empty());
    EXPECT_TRUE(r.title.IsEmpty());
    EXPECT_TRUE(r.defaultExtension.IsEmpty());
    EXPECT_TRUE(r.initialName.IsEmpty());
    EXPECT_EQ(r.flags & ~OFN_EXPLORER, 0u);
    EXPECT_EQ(r.bufferSize, 260u);
}

TEST_F(PluginTest, ExportAndImportThroughTheDialogs) {
    TempFile file("plugin");
    P_PIECE piece;
    P_LINE* line = piece.AddLine(P_MOD_NONE, -1, nullptr);
    line->SetStatus(2);
    piece.SetMarkedLine(1);
    AddPoint(line, 1.5, 2.5, 5, true);
    P_INTERNAL* internal = piece.AddInternal(P_MOD_NONE, -1, "");
    internal->SetType(68);
    AddPoint(internal, 3, 4);
    {
        ScriptedUi ui;
        ui.ExpectFileDialog().Save().Inspect(ExpectPlainDialog).Answer(file.path());
        ASSERT_EQ(m_export(&piece), 1);
    }
    EXPECT_EQ(ReadFile(file.path()),
              "<bounds> 0.000000, 0.000000, 0.000000, 0.000000\r\n"
              "<line> 0x0009\r\n"
              "<point> 1.5000, 2.5000, 0x000d\r\n"
              "<line> 0x0012\r\n"
              "<point> 3.0000, 4.0000, 0x0000\r\n");

    P_PIECE copy;
    {
        ScriptedUi ui;
        ui.ExpectFileDialog().Open().Inspect(ExpectPlainDialog).Answer(file.path());
        ASSERT_EQ(m_import(&copy), &copy);
    }
    EXPECT_EQ(Describe(&copy), Describe(&piece));
}

TEST_F(PluginTest, CancelledDialogsTouchNothing) {
    P_PIECE piece;
    AddPoint(piece.AddLine(P_MOD_NONE, -1, nullptr), 1, 1);
    const std::string before = Describe(&piece);
    ScriptedUi ui;
    ui.ExpectFileDialog().Open().Cancel();
    ui.ExpectFileDialog().Save().Cancel();
    // A name longer than the buffer holds ends the dialog as a cancel does.
    ui.ExpectFileDialog().Open().Answer("/tmp/" + std::string(300, 'n'));
    ui.ExpectFileDialog().Save().Answer("/tmp/" + std::string(300, 'n'));
    EXPECT_EQ(m_import(&piece), nullptr);
    EXPECT_EQ(m_export(&piece), 0);
    EXPECT_EQ(m_import(&piece), nullptr);
    EXPECT_EQ(m_export(&piece), 0);
    EXPECT_EQ(Describe(&piece), before);
    EXPECT_EQ(piece.GetNext(), nullptr);
}

TEST_F(PluginTest, FilesThatCannotBeOpened) {
    P_PIECE piece;
    const std::string missing = TempPath("nodir") + "/piece.txt";
    ScriptedUi ui;
    ui.ExpectFileDialog().Open().Answer(missing);
    ui.ExpectFileDialog().Save().Answer(missing);
    EXPECT_EQ(m_import(&piece), nullptr);
    EXPECT_EQ(m_export(&piece), 0);
    EXPECT_EQ(piece.GetFirstLine(), nullptr);
    EXPECT_FALSE(FileExists(missing));
}

TEST_F(PluginTest, ImportWithoutAPieceAsksForNoFile) {
    ScriptedUi ui;  // any dialog would be unexpected
    EXPECT_EQ(m_import(nullptr), nullptr);
}

}  // namespace
