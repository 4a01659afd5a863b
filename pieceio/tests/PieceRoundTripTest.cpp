#include <gtest/gtest.h>

#include <string>

#include "PieceFile.h"
#include "PieceTestUtil.h"

namespace {

using namespace pieceio_test;

// A graded piece of two sizes with every kind of line and point.
void BuildChain(P_PIECE& first) {
    P_LINE* outline = first.AddLine(P_MOD_NONE, -1, nullptr);
    AddPoint(outline, 0, 0, 1);
    AddPoint(outline, 20.5, 0, 0, true);
    AddPoint(outline, 20.5, 30.25, 7, true);
    P_LINE* hem = first.AddLine(P_MOD_NONE, -1, nullptr);
    hem->SetStatus(2);
    first.SetMarkedLine(1);
    AddPoint(hem, 20.5, 30.25);
    AddPoint(hem, -1.23456, 30.25);
    P_INTERNAL* grain = first.AddInternal(P_MOD_NONE, -1, "");
    grain->SetType(71);
    AddPoint(grain, 10, 5, 4);
    AddPoint(grain, 10, 25);
    P_INTERNAL* dart = first.AddInternal(P_MOD_NONE, -1, "");
    dart->SetType(68);
    dart->SetStatus(2);
    AddPoint(dart, 5, 5);
    first.AddInternal(P_MOD_NONE, -1, "");

    P_PIECE* larger = first.NewPiece();
    first.SetNext(larger);
    P_LINE* line = larger->AddLine(P_MOD_NONE, -1, nullptr);
    AddPoint(line, 0.0001, -999.9999, 2);
    P_PIECE* empty = larger->NewPiece();
    larger->SetNext(empty);
}

TEST(PieceRoundTripTest, ExportThenImportGivesBackThePieces) {
    P_PIECE original;
    BuildChain(original);
    TempFile file("roundtrip");
    ASSERT_EQ(pieceio::ExportPieceFile(&original, file.c_str()), 1);
    P_PIECE copy;
    ASSERT_EQ(pieceio::ImportPieceFile(&copy, file.c_str()), &copy);
    EXPECT_EQ(Describe(&copy), Describe(&original));
    EXPECT_EQ(Describe(&copy),
              "piece marked\n"
              "line status 0\n  (0.0000, 0.0000) a1\n  (20.5000, 0.0000) a0 o9\n"
              "  (20.5000, 30.2500) a7 o9\n"
              "line status 2\n  (20.5000, 30.2500) a0\n  (-1.2346, 30.2500) a0\n"
              "internal type 71 status 0\n  (10.0000, 5.0000) a4\n  (10.0000, 25.0000) a0\n"
              "internal type 68 status 2\n  (5.0000, 5.0000) a0\n"
              "internal type 0 status 0\n"
              "piece\nline status 0\n  (0.0001, -999.9999) a2\n"
              "piece\n");

    // A second round gives the same file.
    TempFile again("roundtrip2");
    ASSERT_EQ(pieceio::ExportPieceFile(&copy, again.c_str()), 1);
    const std::string first = ReadFile(file.path());
    std::string second = ReadFile(again.path());
    // Bounds are not read back: compare the records after them.
    auto records = [](const std::string& text) {
        std::string out;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find('\n', pos);
            std::string line = text.substr(pos, end - pos + 1);
            if (line.rfind("<bounds>", 0) != 0) out += line;
            pos = end + 1;
        }
        return out;
    };
    EXPECT_EQ(records(second), records(first));
}

}  // namespace
