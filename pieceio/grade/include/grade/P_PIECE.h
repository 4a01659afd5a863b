// A pattern piece: a ring of perimeter lines, a ring of internal lines, four
// extent values, the marked-line flag and the link to its successor piece
// (the next piece of a chain, such as the next size of a graded piece).
#pragma once

#include "grade/P_LINE.h"
#include "grade/P_POINT.h"
#include "grade/PieceTypes.h"

class P_PIECE {
public:
    P_PIECE() = default;
    // Deletes the piece's lines and the whole chain of its successors.
    virtual ~P_PIECE();
    P_PIECE(const P_PIECE&) = delete;
    P_PIECE& operator=(const P_PIECE&) = delete;

    // A new, empty piece of the same kind, owned by the caller until it is
    // linked into a chain.
    virtual P_PIECE* NewPiece() const;

    // Adds a perimeter line at position pos (-1 or out of range: at the end),
    // or right after ref when ref is a perimeter line of this piece.
    P_LINE* AddLine(P_MOD_CODE code, int pos, P_LINE* ref);
    // Adds an internal line at position pos (-1 or out of range: at the end).
    P_INTERNAL* AddInternal(P_MOD_CODE code, int pos, const char* name);

    P_LINE* GetFirstLine() const { return m_firstLine; }
    P_INTERNAL* GetFirstInternal() const { return m_firstInternal; }
    int GetLineCount() const { return m_lineCount; }
    int GetInternalCount() const { return m_internalCount; }

    // The successor link. SetNext takes ownership of next (which must belong
    // to no chain) and hands the previous successor chain back to the caller.
    P_PIECE* GetNext() const { return m_next; }
    P_PIECE* SetNext(P_PIECE* next);

    int GetMarkedLine() const { return m_markedLine; }
    void SetMarkedLine(int marked) { m_markedLine = marked; }

    // Extent values e1 to e4 at index 0 to 3.
    static constexpr int kExtentCount = 4;
    double GetExtent(int index) const;
    void SetExtent(int index, double value);

private:
    template <typename Line>
    static void Insert(Line*& first, int& count, Line* line, int pos, P_LINE* after);
    template <typename Line>
    static void DeleteRing(Line*& first, int& count);

    P_LINE* m_firstLine = nullptr;
    P_INTERNAL* m_firstInternal = nullptr;
    int m_lineCount = 0;
    int m_internalCount = 0;
    P_PIECE* m_next = nullptr;
    int m_markedLine = 0;
    double m_extent[kExtentCount] = {};
};
