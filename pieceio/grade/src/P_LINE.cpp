#include "grade/P_LINE.h"

#include "grade/P_POINT.h"

P_LINE::~P_LINE() {
    P_POINT* p = m_firstPoint;
    m_firstPoint = m_lastPoint = nullptr;
    while (p) {
        P_POINT* next = p->m_next;
        p->m_line = nullptr;  // already out of the list: no unlinking
        delete p;
        p = next;
    }
}

int P_LINE::GetPointCount() const {
    int n = 0;
    for (const P_POINT* p = m_firstPoint; p; p = p->GetNext()) ++n;
    return n;
}

void P_LINE::AppendPoint(P_POINT* point) {
    point->m_line = this;
    point->m_next = nullptr;
    if (m_lastPoint)
        m_lastPoint->m_next = point;
    else
        m_firstPoint = point;
    m_lastPoint = point;
}

void P_LINE::UnlinkPoint(P_POINT* point) {
    P_POINT* prev = nullptr;
    for (P_POINT* p = m_firstPoint; p; prev = p, p = p->m_next) {
        if (p != point) continue;
        (prev ? prev->m_next : m_firstPoint) = p->m_next;
        if (m_lastPoint == p) m_lastPoint = prev;
        break;
    }
    point->m_line = nullptr;
    point->m_next = nullptr;
}
