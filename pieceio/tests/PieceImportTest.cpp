#include <gtest/gtest.h>

#include <string>

#include "PieceFile.h"
#include "PieceTestUtil.h"

namespace {

using namespace pieceio_test;

// Imports the bytes into a fresh piece and describes what came of it.
std::string ImportText(const std::string& bytes) {
    TempFile file("import");
    WriteFile(file.path(), bytes);
    P_PIECE piece;
    EXPECT_EQ(pieceio::ImportPieceFile(&piece, file.c_str()), &piece);
    return Describe(&piece);
}

struct ImportCase {
    const char* name;
    std::string file;
    const char* pieces;
};

TEST(PieceImportTest, Records) {
    const ImportCase cases[] = {
        {"records before the first bounds are ignored",
         "<line> 0x0001\n<point> 1, 1, 0x0001\n<bounds> 0, 0, 0, 0\n<line> 0x0001\n"
         "<point> 2.5, 3.5, 0x0002\n",
         "piece\nline status 0\n  (2.5000, 3.5000) a2\n"},
        {"marked perimeter line", "<bounds>\n<line> 0x0009\n<point> 1, 2, 0x000d\n",
         "piece marked\nline status 2\n  (1.0000, 2.0000) a5 o9\n"},
        {"internal line types",
         "<bounds>\n<line> 0x0002\n<line> 0x0006\n<line> 0x0012\n<line> 0x0016\n<line> 0x001a\n",
         "piece marked\ninternal type 0 status 0\ninternal type 71 status 0\n"
         "internal type 68 status 0\ninternal type 68 status 0\ninternal type 68 status 2\n"},
        {"points follow the line record before them",
         "<bounds>\n<point> 9, 9, 0\n<line> 0x0001\n<point> 1, 1, 0\n<line> 0x0002\n"
         "<point> 2, 2, 0\n<line> 0x0001\n<point> 3, 3, 0\n",
         "piece\nline status 0\n  (1.0000, 1.0000) a0\nline status 0\n  (3.0000, 3.0000) a0\n"
         "internal type 0 status 0\n  (2.0000, 2.0000) a0\n"},
        {"a bounds record clears the current line",
         "<bounds>\n<line> 0x0001\n<bounds>\n<point> 1, 1, 0\n<line> 0x0001\n<point> 2, 2, 0\n",
         "piece\nline status 0\npiece\nline status 0\n  (2.0000, 2.0000) a0\n"},
        {"two bounds give a linked successor",
         "<bounds> 1, 2, 3, 4\n<line> 0x0001\n<bounds> 5, 6, 7, 8\n<line> 0x0009\n",
         "piece\nline status 0\npiece marked\nline status 2\n"},
        {"tags anywhere in the line, bounds before line before point",
         "x<bounds>y\nnote <line> 0x0001 trailing\n<point> <line> 0x0002\n"
         "<point> <bounds>\n<line> 0x0001 <point> 1, 1, 0\n",
         "piece\nline status 0\ninternal type 0 status 0\npiece\nline status 0\n"},
        {"lines without a tag are skipped", "<bounds>\nhello\n\n<LINE> 0x0002\n<line 0x2>\n",
         "piece\n"},
        {"last line without a newline keeps its last character",
         "<bounds>\n<line> 0x0002\n<line> 0x9",
         "piece marked\nline status 2\ninternal type 0 status 0\n"},
        {"carriage returns before newlines",
         "<bounds>\r\n<line> 0x0001\r\n<point> 1.5, 2.5, 0x0003\r\n<point> 4, 5, 0x0001",
         "piece\nline status 0\n  (1.5000, 2.5000) a3\n  (4.0000, 5.0000) a1\n"},
        {"flags without 0x, spaces around values",
         "<bounds>\n<line>  9\n<point>   -1.25,   7e-1,  000F\n",
         "piece marked\nline status 2\n  (-1.2500, 0.7000) a7 o9\n"},
        {"first records with unreadable numbers take the defaults",
         "<bounds>\n<line> zz\n<point> a, b, c\n", "piece\nline status 0\n  (0.0000, 0.0000) a0\n"},
        {"unreadable values keep those of the previous record",
         "<bounds>\n<line> 0x0002\n<point> 1, 2, 0x000b\n<line> ?\n<point> 5, ?, ?\n"
         "<point> 6; 7, 0\n<point> 8, 9 0x0001\n<point> ,\n",
         "piece\ninternal type 0 status 0\n  (1.0000, 2.0000) a3 o9\n"
         "internal type 0 status 0\n  (5.0000, 2.0000) a3 o9\n  (6.0000, 2.0000) a3 o9\n"
         "  (8.0000, 9.0000) a3 o9\n  (8.0000, 9.0000) a3 o9\n"},
        // Nothing follows the tag: the record text is empty, not what lies beyond the line.
        {"tag at the very end of a line", "<bounds>\n<line>\n<point>\n<line>",
         "piece\nline status 0\n  (0.0000, 0.0000) a0\nline status 0\n"},
        // The buffer still holds the end of the longer line before: it must not be read.
        {"tag ending the last line", "<bounds>\n<line> 0x0002\n<point> 1, 2, 0\n<line>",
         "piece\ninternal type 0 status 0\n  (1.0000, 2.0000) a0\ninternal type 0 status 0\n"},
        {"text begins one character after the tag", "<bounds>\n<line>0x0002\n<line>#2\n",
         "piece\nline status 0\ninternal type 0 status 0\n"},
        {"empty lines and a line that begins with a zero byte",
         std::string("\n\n<bounds>\n") + std::string("\0<line> 0x0002\n", 15) + "<line> 0x0001\n",
         "piece\nline status 0\n"},
        {"coordinates come back within single precision",
         "<bounds>\n<line> 0x1\n<point> 1.2346, -123.4567, 0\n",
         "piece\nline status 0\n  (1.2346, -123.4567) a0\n"},
        {"flags wider than the known bits",
         "<bounds>\n<line> 0xffff\n<point> 1, 1, 0xfff5\n<line> 0xfffffffffffff\n",
         "piece marked\nline status 2\n  (1.0000, 1.0000) a5\nline status 2\n"},
    };
    for (const ImportCase& c : cases) EXPECT_EQ(ImportText(c.file), c.pieces) << c.name;
}

TEST(PieceImportTest, FourDecimalsReadAsSinglePrecision) {
    TempFile file("precision");
    WriteFile(file.path(), "<bounds>\n<line> 0x0001\n<point> 1.2346, 0.0001, 0x0000\n");
    P_PIECE piece;
    ASSERT_EQ(pieceio::ImportPieceFile(&piece, file.c_str()), &piece);
    const P_POINT* p = piece.GetFirstLine()->GetFirstPoint();
    EXPECT_EQ(p->GetX(), static_cast<double>(1.2346f));
    EXPECT_EQ(p->GetY(), static_cast<double>(0.0001f));
}

TEST(PieceImportTest, LongLinesAreReadInPiecesWithoutHarm) {
    const std::string longText(2000, 'x');
    EXPECT_EQ(ImportText("<bounds>\n" + longText + "\n<line> 0x0001\n" + longText +
                         "<point> 1, 2, 3\n" + longText),
              "piece\nline status 0\n  (1.0000, 2.0000) a3\n");
}

TEST(PieceImportTest, NewPiecesGoBeforeTheSuccessorsThePieceHad) {
    TempFile file("chain");
    WriteFile(file.path(), "<bounds>\n<line> 0x0001\n<bounds>\n<line> 0x0002\n<bounds>\n");
    P_PIECE piece;
    P_PIECE* old = piece.NewPiece();
    old->SetMarkedLine(1);
    piece.SetNext(old);
    ASSERT_EQ(pieceio::ImportPieceFile(&piece, file.c_str()), &piece);
    EXPECT_EQ(Describe(&piece),
              "piece\nline status 0\npiece\ninternal type 0 status 0\npiece\npiece marked\n");
    EXPECT_EQ(piece.GetNext()->GetNext()->GetNext(), old);
}

TEST(PieceImportTest, ImportAddsToWhatThePieceHolds) {
    TempFile file("add");
    WriteFile(file.path(), "<bounds>\n<line> 0x0009\n");
    P_PIECE piece;
    P_LINE* existing = piece.AddLine(P_MOD_NONE, -1, nullptr);
    existing->SetStatus(0x50);
    ASSERT_EQ(pieceio::ImportPieceFile(&piece, file.c_str()), &piece);
    EXPECT_EQ(Describe(&piece), "piece marked\nline status 80\nline status 2\n");
}

TEST(PieceImportTest, UnreadableFileLeavesThePieceAlone) {
    P_PIECE piece;
    AddPoint(piece.AddLine(P_MOD_NONE, -1, nullptr), 1, 1);
    const std::string before = Describe(&piece);
    EXPECT_EQ(pieceio::ImportPieceFile(&piece, TempPath("missing").c_str()), nullptr);
    EXPECT_EQ(pieceio::ImportPieceFile(&piece, "/tmp"), nullptr);
    EXPECT_EQ(pieceio::ImportPieceFile(&piece, nullptr), nullptr);
    EXPECT_EQ(Describe(&piece), before);
    EXPECT_EQ(piece.GetNext(), nullptr);

    TempFile file("nopiece");
    WriteFile(file.path(), "<bounds>\n<line> 0x0001\n");
    EXPECT_EQ(pieceio::ImportPieceFile(nullptr, file.c_str()), nullptr);
}

class FailingNewPiece : public P_PIECE {
public:
    P_PIECE* NewPiece() const override { return nullptr; }
};

TEST(PieceImportTest, PieceTheHostCannotCreateEndsTheChain) {
    TempFile file("nonew");
    WriteFile(file.path(),
              "<bounds>\n<line> 0x0001\n<bounds>\n<line> 0x0001\n<point> 1, 1, 0\n<bounds>\n");
    FailingNewPiece piece;
    ASSERT_EQ(pieceio::ImportPieceFile(&piece, file.c_str()), &piece);
    EXPECT_EQ(Describe(&piece), "piece\nline status 0\n");
}

}  // namespace
