#include "grade/P_PIECE.h"

P_PIECE::~P_PIECE() {
    DeleteRing(m_firstLine, m_lineCount);
    DeleteRing(m_firstInternal, m_internalCount);
    // Iteratively, so that a long chain cannot exhaust the stack.
    P_PIECE* p = m_next;
    m_next = nullptr;
    while (p) {
        P_PIECE* next = p->m_next;
        p->m_next = nullptr;
        delete p;
        p = next;
    }
}

P_PIECE* P_PIECE::NewPiece() const { return new P_PIECE; }

template <typename Line>
void P_PIECE::Insert(Line*& first, int& count, Line* line, int pos, P_LINE* after) {
    if (!first) {
        first = line;
        count = 1;
        return;
    }
    P_LINE* before = first;  // the line the new one goes in front of
    if (after) {
        before = after->m_next;
    } else if (pos >= 0 && pos < count) {
        for (int i = 0; i < pos; ++i) before = before->m_next;
    }
    line->m_next = before;
    line->m_prev = before->m_prev;
    before->m_prev->m_next = line;
    before->m_prev = line;
    if (!after && pos == 0) first = line;
    ++count;
}

template <typename Line>
void P_PIECE::DeleteRing(Line*& first, int& count) {
    if (!first) return;
    P_LINE* l = first;
    first->m_prev->m_next = nullptr;  // open the ring
    first = nullptr;
    count = 0;
    while (l) {
        P_LINE* next = l->m_next;
        delete l;
        l = next;
    }
}

P_LINE* P_PIECE::AddLine(P_MOD_CODE /*code*/, int pos, P_LINE* ref) {
    if (ref && (ref->m_piece != this || dynamic_cast<P_INTERNAL*>(ref))) ref = nullptr;
    auto* line = new P_LINE(this);
    Insert(m_firstLine, m_lineCount, line, pos, ref);
    return line;
}

P_INTERNAL* P_PIECE::AddInternal(P_MOD_CODE /*code*/, int pos, const char* name) {
    auto* line = new P_INTERNAL(this, name);
    Insert(m_firstInternal, m_internalCount, line, pos, nullptr);
    return line;
}

P_PIECE* P_PIECE::SetNext(P_PIECE* next) {
    P_PIECE* previous = m_next;
    m_next = next;
    return previous;
}

double P_PIECE::GetExtent(int index) const {
    return index >= 0 && index < kExtentCount ? m_extent[index] : 0.0;
}

void P_PIECE::SetExtent(int index, double value) {
    if (index >= 0 && index < kExtentCount) m_extent[index] = value;
}
