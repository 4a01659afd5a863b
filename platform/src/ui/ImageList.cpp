#include "platform/ui/ImageList.h"

#include "platform/ui/Resource.h"

BOOL CImageList::Create(UINT bitmapId, int cx, int, COLORREF) {
    m_created = false;
    m_count = 0;
    if (cx <= 0) return FALSE;
    m_cx = cx;
    m_created = true;
    if (Add(bitmapId) < 0) {
        m_created = false;
        return FALSE;
    }
    return TRUE;
}

BOOL CImageList::Create(int cx, int, UINT, int, int) {
    if (cx <= 0) return FALSE;
    m_cx = cx;
    m_count = 0;
    m_created = true;
    return TRUE;
}

int CImageList::Add(UINT bitmapId) {
    HINSTANCE module = AfxGetResourceHandle();
    int width = 0, height = 0;
    if (!m_created || !module || !module->FindBitmap(bitmapId, width, height)) return -1;
    const int first = m_count;
    m_count += width / m_cx;
    return first;
}
