// Image list: a strip of equal images cut from a bitmap resource of the
// current module. Headless it only knows how many images it holds.
#pragma once

#include "platform/ui/WinTypes.h"

using COLORREF = DWORD;
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr UINT ILC_COLOR32 = 0x20;
constexpr UINT ILC_MASK = 0x1;

class CImageList {
public:
    // From a bitmap resource: its width / cx images. FALSE when the current
    // module has no such bitmap.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    // Empty, cx by cy images.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Appends the images of a bitmap resource; the index of the first, -1 on failure.
    int Add(UINT bitmapId);
    int GetImageCount() const { return m_count; }
    BOOL IsCreated() const { return m_created ? TRUE : FALSE; }
    int ImageWidth() const { return m_cx; }

private:
    bool m_created = false;
    int m_cx = 16;
    int m_count = 0;
};
