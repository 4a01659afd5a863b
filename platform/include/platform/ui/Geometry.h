// Points, sizes and rectangles in pixels. Headless windows keep the
// placement they are given; nothing is drawn.
#pragma once

#include "platform/ui/WinTypes.h"

struct CPoint {
    int x = 0;
    int y = 0;
    CPoint() = default;
    CPoint(int x_, int y_) : x(x_), y(y_) {}
    friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
};
using POINT = CPoint;

struct CSize {
    int cx = 0;
    int cy = 0;
    CSize() = default;
    CSize(int cx_, int cy_) : cx(cx_), cy(cy_) {}
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};
using RECT = CRect;

// Where the last mouse click of the user happened (screen and client
// coordinates are the same headless): what a click handler hit-tests.
BOOL GetCursorPos(CPoint* point);
DWORD GetMessagePos();
namespace platform::ui {
void SetCursorPos(CPoint point);
}
