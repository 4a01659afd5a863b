// Report-mode list view: columns, items with sub-items, item data, single or
// multiple selection, focus, check boxes, scrolling and extended styles.
// Changing an item's state tells the dialog (LVN_ITEMCHANGED), as the system
// control does.
#pragma once

#include "platform/ui/Styles.h"
#include "platform/ui/Wnd.h"

constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT LVIF_STATE = 0x8;
constexpr UINT LVNI_ALL = 0x0;
constexpr UINT LVNI_FOCUSED = 0x1;
constexpr UINT LVNI_SELECTED = 0x2;
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// Iteration over the selected items (GetFirstSelectedItemPosition).
using POSITION = const void*;

class CHeaderCtrl {
public:
    explicit CHeaderCtrl(const class CListCtrl* list) : m_list(list) {}
    int GetItemCount() const;

private:
    const class CListCtrl* m_list;
};

class CListCtrl : public CWnd {
public:
    int InsertColumn(int index, const CString& heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int index);
    int GetColumnCount() const;
    CString GetColumnHeading(int index) const;
    int GetColumnFormat(int index) const;
    int GetColumnWidth(int index) const;
    // LVSCW_AUTOSIZE fits the widest text, LVSCW_AUTOSIZE_USEHEADER also the heading.
    BOOL SetColumnWidth(int index, int width);
    CHeaderCtrl* GetHeaderCtrl() { return &m_header; }

    int InsertItem(int index, const CString& text, int image = -1);
    BOOL SetItemText(int item, int subItem, const CString& text);
    CString GetItemText(int item, int subItem) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    int GetItemImage(int item) const;

    BOOL SetItemState(int item, UINT state, UINT mask);  // item -1: every item
    UINT GetItemState(int item, UINT mask) const;
    BOOL GetCheck(int item) const;
    BOOL SetCheck(int item, BOOL check = TRUE);
    UINT GetSelectedCount() const;
    int GetSelectionMark() const;
    int SetSelectionMark(int item);
    // Next item after start (-1: from the top) with the flags (LVNI_...).
    int GetNextItem(int start, UINT flags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;

    BOOL EnsureVisible(int item, BOOL partialOK);
    int GetTopIndex() const;
    BOOL Scroll(CSize size);  // horizontal scrolling is kept (GetScrollPos)
    int GetScrollPos() const;
    int GetColumnLeft(int index) const;  // pixels from the list's left edge

    DWORD SetExtendedStyle(DWORD exStyle);  // returns the former styles
    DWORD GetExtendedStyle() const;
    // Headless text metric: 7 pixels per ASCII character, 14 per other character.
    int GetStringWidth(const CString& text) const;

    // The user clicks an item (selecting it alone, focusing it) or double-clicks
    // it; NM_CLICK / NM_DBLCLK follow the selection change. With add, the item
    // joins the selection (control-click) in a multiple-selection list.
    bool UserClickItem(int item, bool add = false);
    bool UserDoubleClickItem(int item);
    bool UserClickHeader(int column);  // LVN_COLUMNCLICK
    bool UserCheckItem(int item, bool check);

private:
    void Changed(int item, UINT oldState, UINT newState);
    CHeaderCtrl m_header{this};
};
