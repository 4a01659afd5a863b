// Tree: items with text, image, selected image, state image (check states),
// item data; expansion, selection, hit test, deletion. The tree's behaviour
// belongs to the window, so every handle on it acts alike: attaching a
// CMutiTreeCtrl (three-state check boxes) or a CTreeCtrlEx (multiple
// selection) to a template's tree switches the tree's mode.
#pragma once

#include <vector>

#include "platform/ui/Styles.h"
#include "platform/ui/Wnd.h"

class CImageList;

#define TVI_ROOT (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000)))
#define TVI_FIRST (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF)))
#define TVI_LAST (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE)))
#define TVI_SORT (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFD)))

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }
constexpr UINT TVE_COLLAPSE = 0x1;
constexpr UINT TVE_EXPAND = 0x2;
constexpr UINT TVE_TOGGLE = 0x3;
constexpr UINT TVGN_ROOT = 0x0;
constexpr UINT TVGN_NEXT = 0x1;
constexpr UINT TVGN_PREVIOUS = 0x2;
constexpr UINT TVGN_PARENT = 0x3;
constexpr UINT TVGN_CHILD = 0x4;
constexpr UINT TVGN_NEXTVISIBLE = 0x6;
constexpr UINT TVGN_CARET = 0x9;
constexpr UINT TVHT_NOWHERE = 0x1;
constexpr UINT TVHT_ONITEMICON = 0x2;
constexpr UINT TVHT_ONITEMLABEL = 0x4;
constexpr UINT TVHT_ONITEM = 0x46;
constexpr UINT TVHT_ONITEMINDENT = 0x8;
constexpr UINT TVHT_ONITEMBUTTON = 0x10;
constexpr UINT TVHT_ONITEMRIGHT = 0x20;
constexpr UINT TVHT_ONITEMSTATEICON = 0x40;
constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;
constexpr UINT TVC_BYMOUSE = 0x1;
constexpr UINT TVC_UNKNOWN = 0x0;

class CTreeCtrl : public CWnd {
public:
    enum class Mode { Plain, ThreeStateCheck, MultiSelect };

    HTREEITEM InsertItem(const CString& text, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(const CString& text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);  // TVI_ROOT deletes every item
    BOOL DeleteAllItems();
    UINT GetCount() const;

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
    BOOL ItemHasChildren(HTREEITEM item) const;

    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const CString& text);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    // Check boxes: state image 2 checked, 1 unchecked (in three-state mode 3
    // checked, 2 partly, 1 unchecked).
    BOOL GetCheck(HTREEITEM item) const;
    BOOL SetCheck(HTREEITEM item, BOOL check = TRUE);

    BOOL Expand(HTREEITEM item, UINT code);
    BOOL EnsureVisible(HTREEITEM item);
    HTREEITEM GetSelectedItem() const;
    // Selects the item (the caret); the dialog hears TVN_SELCHANGED.
    BOOL SelectItem(HTREEITEM item);
    // Item under a point in the tree (see ItemPoint); flags TVHT_...
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    // The middle of an item's label, or of its state icon, in the headless
    // layout: one 16-pixel row per visible item, indented 19 pixels a level.
    CPoint ItemPoint(HTREEITEM item, bool stateIcon = false) const;

    CImageList* SetImageList(CImageList* list, int which);
    CImageList* GetImageList(int which) const;

    Mode GetMode() const;
    // Finds an item by the texts from the top level down ("Parent/Child"),
    // else the first item whose own text is the whole path ("C/I").
    HTREEITEM FindPath(const CString& path, char separator = '/') const;

    // The user clicks an item's label (selecting it) or its state icon
    // (toggling its check), or double-clicks the label. NM_CLICK / NM_DBLCLK
    // are sent with the cursor on the spot, so handlers can hit-test it.
    bool UserClickItem(HTREEITEM item, bool add = false);
    bool UserClickStateIcon(HTREEITEM item);
    bool UserDoubleClickItem(HTREEITEM item);

protected:
    void SetMode(Mode mode);
};

// Tree with three-state check boxes (state images 1 unchecked, 2 partly
// checked, 3 checked): checking an item checks its subtree, and a parent's
// state always follows its children's.
class CMutiTreeCtrl : public CTreeCtrl {
public:
    CMutiTreeCtrl() = default;
    void AttachTo(const CWnd& other) override;
};

// Tree whose items can be selected together (control-click).
class CTreeCtrlEx : public CTreeCtrl {
public:
    CTreeCtrlEx() = default;
    void AttachTo(const CWnd& other) override;
    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM item) const;
    UINT GetSelectedCount() const;
    void ClearSelection();
};
