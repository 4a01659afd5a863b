#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>

#include "PieceFile.h"
#include "PieceTestUtil.h"

namespace {

using namespace pieceio_test;

std::string Export(const P_PIECE* piece) {
    TempFile file("export");
    EXPECT_EQ(pieceio::ExportPieceFile(piece, file.c_str()), 1);
    return ReadFile(file.path());
}

TEST(PieceExportTest, SquarePieceWritesBoundsLineAndFourPoints) {
    P_PIECE piece;
    P_LINE* line = piece.AddLine(P_MOD_NONE, -1, nullptr);
    AddPoint(line, 0, 0);
    AddPoint(line, 10, 0);
    AddPoint(line, 10, 10);
    AddPoint(line, 0, 10);
    EXPECT_EQ(Export(&piece),
              "<bounds> 0.000000, 0.000000, 0.000000, 0.000000\r\n"
              "<line> 0x0001\r\n"
              "<point> 0.0000, 0.0000, 0x0000\r\n"
              "<point> 10.0000, 0.0000, 0x0000\r\n"
              "<point> 10.0000, 10.0000, 0x0000\r\n"
              "<point> 0.0000, 10.0000, 0x0000\r\n");
}

TEST(PieceExportTest, BoundsAreE3E4E1E2TruncatedInTenThousandths) {
    P_PIECE piece;
    piece.SetExtent(0, 12345.9);
    piece.SetExtent(1, -6789.99);
    piece.SetExtent(2, 1.5);
    piece.SetExtent(3, 250000);
    EXPECT_EQ(Export(&piece), "<bounds> 0.000100, 25.000000, 1.234500, -0.678900\r\n");
}

struct FlagCase {
    const char* name;
    std::function<void(P_PIECE&)> build;
    const char* records;  // everything after the bounds record
};

TEST(PieceExportTest, LineAndPointFlags) {
    const FlagCase cases[] = {
        {"marked perimeter",
         [](P_PIECE& p) { p.AddLine(P_MOD_NONE, -1, nullptr)->SetStatus(0x32); },
         "<line> 0x0009\r\n"},
        {"other status codes are not marked",
         [](P_PIECE& p) { p.AddLine(P_MOD_NONE, -1, nullptr)->SetStatus(0x21); },
         "<line> 0x0001\r\n"},
        {"plain internal", [](P_PIECE& p) { p.AddInternal(P_MOD_NONE, -1, ""); },
         "<line> 0x0002\r\n"},
        {"internal type 71", [](P_PIECE& p) { p.AddInternal(P_MOD_NONE, -1, "")->SetType(71); },
         "<line> 0x0006\r\n"},
        {"internal type 68", [](P_PIECE& p) { p.AddInternal(P_MOD_NONE, -1, "")->SetType(68); },
         "<line> 0x0012\r\n"},
        {"marked internal type 68",
         [](P_PIECE& p) {
             P_INTERNAL* l = p.AddInternal(P_MOD_NONE, -1, "");
             l->SetType(68);
             l->SetStatus(2);
         },
         "<line> 0x001a\r\n"},
        {"point attribute 5 with option 9",
         [](P_PIECE& p) { AddPoint(p.AddLine(P_MOD_NONE, -1, nullptr), 1, 2, 5, true); },
         "<line> 0x0001\r\n<point> 1.0000, 2.0000, 0x000d\r\n"},
        {"point option 9 alone",
         [](P_PIECE& p) { AddPoint(p.AddInternal(P_MOD_NONE, -1, ""), 1, 2, 0, true); },
         "<line> 0x0002\r\n<point> 1.0000, 2.0000, 0x0008\r\n"},
        // An attribute wider than three bits must not pass for the option.
        {"wide attribute",
         [](P_PIECE& p) { AddPoint(p.AddLine(P_MOD_NONE, -1, nullptr), 1, 2, 0x1b); },
         "<line> 0x0001\r\n<point> 1.0000, 2.0000, 0x0003\r\n"},
        {"four decimals",
         [](P_PIECE& p) { AddPoint(p.AddLine(P_MOD_NONE, -1, nullptr), 1.23456, -0.00004); },
         "<line> 0x0001\r\n<point> 1.2346, -0.0000, 0x0000\r\n"},
    };
    const std::string bounds = "<bounds> 0.000000, 0.000000, 0.000000, 0.000000\r\n";
    for (const FlagCase& c : cases) {
        P_PIECE piece;
        c.build(piece);
        EXPECT_EQ(Export(&piece), bounds + c.records) << c.name;
    }
}

TEST(PieceExportTest, ChainWritesPiecesInOrderPerimeterBeforeInternal) {
    P_PIECE first;
    P_INTERNAL* internal = first.AddInternal(P_MOD_NONE, -1, "");
    internal->SetType(71);
    AddPoint(internal, 5, 5);
    AddPoint(first.AddLine(P_MOD_NONE, -1, nullptr), 1, 1, 1);
    AddPoint(first.AddLine(P_MOD_NONE, -1, nullptr), 2, 2, 2);
    P_PIECE* second = first.NewPiece();
    first.SetNext(second);
    second->SetExtent(0, 10000);
    AddPoint(second->AddLine(P_MOD_NONE, -1, nullptr), 3, 3);
    EXPECT_EQ(Export(&first),
              "<bounds> 0.000000, 0.000000, 0.000000, 0.000000\r\n"
              "<line> 0x0001\r\n"
              "<point> 1.0000, 1.0000, 0x0001\r\n"
              "<line> 0x0001\r\n"
              "<point> 2.0000, 2.0000, 0x0002\r\n"
              "<line> 0x0006\r\n"
              "<point> 5.0000, 5.0000, 0x0000\r\n"
              "<bounds> 0.000000, 0.000000, 1.000000, 0.000000\r\n"
              "<line> 0x0001\r\n"
              "<point> 3.0000, 3.0000, 0x0000\r\n");
}

TEST(PieceExportTest, FailuresReturnZero) {
    P_PIECE piece;
    AddPoint(piece.AddLine(P_MOD_NONE, -1, nullptr), 1, 1);
    const std::string missing = TempPath("nodir") + "/piece.txt";
    EXPECT_EQ(pieceio::ExportPieceFile(&piece, missing.c_str()), 0);
    EXPECT_FALSE(FileExists(missing));
    EXPECT_EQ(pieceio::ExportPieceFile(&piece, "/tmp"), 0);
    EXPECT_EQ(pieceio::ExportPieceFile(&piece, nullptr), 0);
    // A full disk is a failed export, not a written one.
    if (FileExists("/dev/full")) {
        EXPECT_EQ(pieceio::ExportPieceFile(&piece, "/dev/full"), 0);
    }
}

// Restores the process locale when the test ends.
class LocaleGuard {
public:
    LocaleGuard() : m_saved(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard() { std::setlocale(LC_ALL, m_saved.c_str()); }

private:
    std::string m_saved;
};

TEST(PieceExportTest, DecimalPointWhateverTheLocale) {
    LocaleGuard guard;
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    P_PIECE piece;
    piece.SetExtent(2, 15000);
    AddPoint(piece.AddLine(P_MOD_NONE, -1, nullptr), 1.25, -2.5);
    const std::string text = Export(&piece);
    EXPECT_EQ(text,
              "<bounds> 1.500000, 0.000000, 0.000000, 0.000000\r\n"
              "<line> 0x0001\r\n"
              "<point> 1.2500, -2.5000, 0x0000\r\n");

    TempFile file("locale");
    WriteFile(file.path(), text);
    P_PIECE back;
    ASSERT_EQ(pieceio::ImportPieceFile(&back, file.c_str()), &back);
    EXPECT_EQ(back.GetFirstLine()->GetFirstPoint()->GetX(), 1.25);
    EXPECT_EQ(back.GetFirstLine()->GetFirstPoint()->GetY(), -2.5);
    // The caller's locale is untouched.
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

}  // namespace
