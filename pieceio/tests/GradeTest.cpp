#include <gtest/gtest.h>

#include <vector>

#include "grade/grade.h"

namespace {

// The ring from the first line back to it, checking the back links on the way.
template <typename Line>
std::vector<const P_LINE*> Ring(const Line* first) {
    std::vector<const P_LINE*> lines;
    if (!first) return lines;
    const P_LINE* l = first;
    do {
        EXPECT_EQ(l->GetNext()->GetPrev(), l);
        lines.push_back(l);
        l = l->GetNext();
    } while (l != first && lines.size() < 100);
    return lines;
}

std::vector<const P_POINT*> Points(const P_LINE* line) {
    std::vector<const P_POINT*> points;
    for (const P_POINT* p = line->GetFirstPoint(); p; p = p->GetNext()) points.push_back(p);
    return points;
}

TEST(GradeTest, LinesFormRingsInTheOrderTheyWereAdded) {
    P_PIECE piece;
    P_LINE* a = piece.AddLine(P_MOD_NONE, -1, nullptr);
    P_LINE* b = piece.AddLine(P_MOD_NONE, -1, nullptr);
    P_LINE* front = piece.AddLine(P_MOD_NONE, 0, nullptr);
    P_LINE* middle = piece.AddLine(P_MOD_NONE, 2, nullptr);  // before b
    P_LINE* afterA = piece.AddLine(P_MOD_NONE, -1, a);
    P_LINE* end = piece.AddLine(P_MOD_NONE, 99, nullptr);
    EXPECT_EQ(Ring(piece.GetFirstLine()),
              (std::vector<const P_LINE*>{front, a, afterA, middle, b, end}));
    EXPECT_EQ(piece.GetLineCount(), 6);
    EXPECT_EQ(a->GetPiece(), &piece);

    P_INTERNAL* i1 = piece.AddInternal(P_MOD_NONE, -1, "seam");
    P_INTERNAL* i2 = piece.AddInternal(P_MOD_NONE, -1, "");
    EXPECT_EQ(Ring(piece.GetFirstInternal()), (std::vector<const P_LINE*>{i1, i2}));
    EXPECT_EQ(i1->GetName(), "seam");
    EXPECT_EQ(i1->GetNextInternal(), i2);
    EXPECT_EQ(piece.GetLineCount(), 6);

    // A line of another piece or an internal line is no reference for a perimeter line.
    P_PIECE other;
    P_LINE* foreign = other.AddLine(P_MOD_NONE, -1, nullptr);
    P_LINE* x = piece.AddLine(P_MOD_NONE, -1, foreign);
    P_LINE* y = piece.AddLine(P_MOD_NONE, -1, i1);
    EXPECT_EQ(Ring(piece.GetFirstLine()).back(), y);
    EXPECT_EQ(y->GetPrev(), x);
    EXPECT_EQ(Ring(other.GetFirstLine()).size(), 1u);
}

TEST(GradeTest, PointsKeepTheirOrderAndLeaveTheLineWhenDeleted) {
    P_PIECE piece;
    P_LINE* line = piece.AddLine(P_MOD_NONE, -1, nullptr);
    auto* p1 = new P_POINT(line, CPiecePoint{});
    auto* p2 = new P_POINT(line, CPiecePoint{1.5, -2.0, 3, 0});
    auto* p3 = new P_POINT(line, CPiecePoint{});
    EXPECT_EQ(Points(line), (std::vector<const P_POINT*>{p1, p2, p3}));
    EXPECT_EQ(p2->GetX(), 1.5);
    EXPECT_EQ(p2->GetY(), -2.0);
    EXPECT_EQ(p2->GetAttribute(), 3);
    EXPECT_EQ(p2->GetLine(), line);

    delete p2;
    EXPECT_EQ(Points(line), (std::vector<const P_POINT*>{p1, p3}));
    delete p3;
    EXPECT_EQ(line->GetLastPoint(), p1);
    auto* p4 = new P_POINT(line, CPiecePoint{});
    EXPECT_EQ(Points(line), (std::vector<const P_POINT*>{p1, p4}));
    delete p1;
    EXPECT_EQ(line->GetFirstPoint(), p4);
    EXPECT_EQ(line->GetPointCount(), 1);

    P_POINT alone(nullptr, CPiecePoint{});
    EXPECT_EQ(alone.GetLine(), nullptr);
}

TEST(GradeTest, PointOptionsStatusAndExtents) {
    P_POINT p(nullptr, CPiecePoint{});
    const auto nine = static_cast<P_POINT_OPTION_TYPE>(9);
    EXPECT_FALSE(p.HasPointOption(nine));
    EXPECT_TRUE(p.CheckAddPointOption(nine));
    EXPECT_TRUE(p.CheckAddPointOption(nine));
    EXPECT_TRUE(p.HasPointOption(nine));
    EXPECT_FALSE(p.HasPointOption(static_cast<P_POINT_OPTION_TYPE>(8)));
    EXPECT_FALSE(p.CheckAddPointOption(static_cast<P_POINT_OPTION_TYPE>(32)));
    EXPECT_FALSE(p.CheckAddPointOption(static_cast<P_POINT_OPTION_TYPE>(-1)));
    p.RemovePointOption(nine);
    EXPECT_FALSE(p.HasPointOption(nine));

    P_PIECE piece;
    P_LINE* line = piece.AddLine(P_MOD_NONE, -1, nullptr);
    line->SetStatus(0xa2);
    EXPECT_EQ(line->GetStatusCode(), 2);

    piece.SetExtent(3, 7.5);
    piece.SetExtent(4, 1.0);  // no fifth extent
    EXPECT_EQ(piece.GetExtent(3), 7.5);
    EXPECT_EQ(piece.GetExtent(4), 0.0);
}

class CountedPiece : public P_PIECE {
public:
    explicit CountedPiece(int* alive) : m_alive(alive) { ++*m_alive; }
    ~CountedPiece() override { --*m_alive; }
    P_PIECE* NewPiece() const override { return new CountedPiece(m_alive); }

private:
    int* m_alive;
};

TEST(GradeTest, ChainOwnsItsSuccessorsAndNewPieceKeepsTheKind) {
    int alive = 0;
    {
        CountedPiece first(&alive);
        P_PIECE* second = first.NewPiece();
        EXPECT_EQ(first.SetNext(second), nullptr);
        P_PIECE* third = second->NewPiece();
        second->SetNext(third);
        EXPECT_EQ(alive, 3);
        // SetNext hands the old chain back to the caller.
        P_PIECE* old = first.SetNext(nullptr);
        EXPECT_EQ(old, second);
        first.SetNext(old);
    }
    EXPECT_EQ(alive, 0);

    // A long chain is freed without recursion.
    auto* head = new P_PIECE;
    P_PIECE* tail = head;
    for (int i = 0; i < 200000; ++i) {
        P_PIECE* next = tail->NewPiece();
        tail->SetNext(next);
        tail = next;
    }
    delete head;
}

}  // namespace
