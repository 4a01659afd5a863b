// Notifications controls send to their dialog: command codes (clicks, text
// and selection changes) and the structures of the richer notifications.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

using LRESULT = std::intptr_t;
using HWND = const void*;
struct _TREEITEM;
using HTREEITEM = _TREEITEM*;

// Command codes.
constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_DOUBLECLICKED = 5;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_EDITCHANGE = 5;

// Notification codes.
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
constexpr UINT TVN_SELCHANGED = static_cast<UINT>(-402);
constexpr UINT TVN_ITEMEXPANDED = static_cast<UINT>(-406);
constexpr UINT DTN_DATETIMECHANGE = static_cast<UINT>(-759);

struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT idFrom = 0;
    UINT code = 0;
};
using LPNMHDR = NMHDR*;

// List views: LVN_ITEMCHANGED, LVN_COLUMNCLICK, NM_CLICK, NM_DBLCLK.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    CPoint ptAction;
    LPARAM lParam = 0;
};
using NM_LISTVIEW = NMLISTVIEW;
using LPNMLISTVIEW = NMLISTVIEW*;
using NMITEMACTIVATE = NMLISTVIEW;
using LPNMITEMACTIVATE = NMLISTVIEW*;

// Trees: TVN_SELCHANGED, TVN_ITEMEXPANDED.
struct TVITEM {
    UINT mask = 0;
    HTREEITEM hItem = nullptr;
    UINT state = 0;
    UINT stateMask = 0;
    LPARAM lParam = 0;
};
struct NMTREEVIEW {
    NMHDR hdr;
    UINT action = 0;
    TVITEM itemOld;
    TVITEM itemNew;
    CPoint ptDrag;
};
using NM_TREEVIEW = NMTREEVIEW;
using LPNMTREEVIEW = NMTREEVIEW*;
