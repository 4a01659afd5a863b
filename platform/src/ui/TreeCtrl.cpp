#include "platform/ui/TreeCtrl.h"

#include <algorithm>
#include <unordered_set>

#include "WindowState.h"
#include "platform/ui/ImageList.h"

struct _TREEITEM {
    CString text;
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    DWORD_PTR data = 0;
    _TREEITEM* parent = nullptr;
    std::vector<std::unique_ptr<_TREEITEM>> children;
};

namespace {

using Mode = CTreeCtrl::Mode;

struct TreeData : platform::ui::detail::ControlData {
    _TREEITEM root;
    std::unordered_set<const _TREEITEM*> live;
    _TREEITEM* caret = nullptr;
    Mode mode = Mode::Plain;
    CImageList* normalImages = nullptr;
    CImageList* stateImages = nullptr;
};

constexpr int kRowHeight = 16;
constexpr int kIndent = 19;
constexpr int kIcon = 16;

UINT StateImage(const _TREEITEM* item) { return (item->state & TVIS_STATEIMAGEMASK) >> 12; }
void SetStateImage(_TREEITEM* item, UINT image) {
    item->state = (item->state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(image);
}

// A parent's three-state check follows its children that carry a check.
void UpdateAncestors(_TREEITEM* item, _TREEITEM* root) {
    for (_TREEITEM* p = item; p && p != root; p = p->parent) {
        bool any = false, allChecked = true, allUnchecked = true;
        for (const auto& c : p->children) {
            const UINT s = StateImage(c.get());
            if (s == 0) continue;
            any = true;
            if (s != 3) allChecked = false;
            if (s != 1) allUnchecked = false;
        }
        if (any) SetStateImage(p, allChecked ? 3 : allUnchecked ? 1 : 2);
    }
}

void SetSubtree(_TREEITEM* item, UINT image) {
    SetStateImage(item, image);
    for (auto& c : item->children) SetSubtree(c.get(), image);
}

void Forget(TreeData& d, _TREEITEM* item) {
    for (auto& c : item->children) Forget(d, c.get());
    d.live.erase(item);
    if (d.caret == item) d.caret = nullptr;
}

int Level(const _TREEITEM* item, const _TREEITEM* root) {
    int level = 0;
    for (const _TREEITEM* p = item->parent; p && p != root; p = p->parent) ++level;
    return level;
}

void CollectVisible(const _TREEITEM* node, std::vector<const _TREEITEM*>& out, bool expanded) {
    for (const auto& c : node->children) {
        out.push_back(c.get());
        if (expanded && (c->state & TVIS_EXPANDED)) CollectVisible(c.get(), out, true);
    }
}

// Depth-first successor of an item (the whole tree, collapsed or not).
const _TREEITEM* NextInOrder(const _TREEITEM* item, const _TREEITEM* root) {
    if (!item->children.empty()) return item->children.front().get();
    for (const _TREEITEM* p = item; p && p != root; p = p->parent) {
        const auto& siblings = p->parent->children;
        for (size_t i = 0; i + 1 < siblings.size(); ++i)
            if (siblings[i].get() == p) return siblings[i + 1].get();
    }
    return nullptr;
}

bool Usable(const CWnd& w) { return w.GetSafeHwnd() && w.IsWindowEnabled() && w.IsWindowVisible(); }

}  // namespace

static TreeData& T(const CTreeCtrl& t) { return t.State()->Data<TreeData>(); }

static _TREEITEM* Valid(const CTreeCtrl& t, HTREEITEM item) {
    if (!t.State() || !item || item == TVI_ROOT) return nullptr;
    return T(t).live.count(item) ? item : nullptr;
}

HTREEITEM CTreeCtrl::InsertItem(const CString& text, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(text, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(const CString& text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
    if (!m_state) return nullptr;
    TreeData& d = T(*this);
    _TREEITEM* p = (parent == TVI_ROOT || !parent) ? &d.root : Valid(*this, parent);
    if (!p) return nullptr;
    auto item = std::make_unique<_TREEITEM>();
    item->text = text;
    item->image = image;
    item->selectedImage = selectedImage;
    item->parent = p;
    if (GetStyle() & TVS_CHECKBOXES) SetStateImage(item.get(), 1);
    auto& siblings = p->children;
    auto pos = siblings.end();
    if (after == TVI_FIRST) {
        pos = siblings.begin();
    } else if (after == TVI_SORT) {
        pos = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& s) { return s->text.CompareNoCase(text) > 0; });
    } else if (after != TVI_LAST) {
        auto it = std::find_if(siblings.begin(), siblings.end(),
                               [&](const auto& s) { return s.get() == after; });
        if (it != siblings.end()) pos = it + 1;
    }
    _TREEITEM* raw = item.get();
    siblings.insert(pos, std::move(item));
    d.live.insert(raw);
    if (d.mode == Mode::ThreeStateCheck) UpdateAncestors(p, &d.root);
    return raw;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (!m_state) return FALSE;
    TreeData& d = T(*this);
    if (item == TVI_ROOT) return DeleteAllItems();
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    _TREEITEM* parent = it->parent;
    Forget(d, it);
    std::erase_if(parent->children, [&](const auto& c) { return c.get() == it; });
    if (d.mode == Mode::ThreeStateCheck) UpdateAncestors(parent, &d.root);
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems() {
    if (!m_state) return FALSE;
    TreeData& d = T(*this);
    d.root.children.clear();
    d.live.clear();
    d.caret = nullptr;
    return TRUE;
}

UINT CTreeCtrl::GetCount() const { return m_state ? static_cast<UINT>(T(*this).live.size()) : 0; }

HTREEITEM CTreeCtrl::GetRootItem() const {
    if (!m_state || T(*this).root.children.empty()) return nullptr;
    return T(*this).root.children.front().get();
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    const _TREEITEM* it =
        item == TVI_ROOT || !item ? (m_state ? &T(*this).root : nullptr) : Valid(*this, item);
    return it && !it->children.empty() ? it->children.front().get() : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    if (!it) return nullptr;
    const auto& s = it->parent->children;
    for (size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i].get() == it) return s[i + 1].get();
    return nullptr;
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    if (!it) return nullptr;
    const auto& s = it->parent->children;
    for (size_t i = 1; i < s.size(); ++i)
        if (s[i].get() == it) return s[i - 1].get();
    return nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    return it && it->parent != &T(*this).root ? it->parent : nullptr;
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const {
    if (!m_state) return nullptr;
    std::vector<const _TREEITEM*> rows;
    CollectVisible(&T(*this).root, rows, true);
    for (size_t i = 0; i + 1 < rows.size(); ++i)
        if (rows[i] == item) return const_cast<HTREEITEM>(rows[i + 1]);
    return nullptr;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
    switch (code) {
        case TVGN_ROOT:
            return GetRootItem();
        case TVGN_NEXT:
            return GetNextSiblingItem(item);
        case TVGN_PREVIOUS:
            return GetPrevSiblingItem(item);
        case TVGN_PARENT:
            return GetParentItem(item);
        case TVGN_CHILD:
            return GetChildItem(item);
        case TVGN_NEXTVISIBLE:
            return GetNextVisibleItem(item);
        case TVGN_CARET:
            return GetSelectedItem();
        default:
            return nullptr;
    }
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    return it && !it->children.empty() ? TRUE : FALSE;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    return it ? it->text : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const CString& text) {
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    it->text = text;
    return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    const _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    image = it->image;
    selectedImage = it->selectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    it->image = image;
    it->selectedImage = selectedImage;
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
    const _TREEITEM* it = Valid(*this, item);
    return it ? it->state & mask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    TreeData& d = T(*this);
    if (mask & TVIS_SELECTED) {
        const bool select = (state & TVIS_SELECTED) != 0;
        if (select && d.mode != Mode::MultiSelect && d.caret != it) {
            if (d.caret) d.caret->state &= ~TVIS_SELECTED;
            d.caret = it;
        }
        if (!select && d.caret == it && d.mode != Mode::MultiSelect) d.caret = nullptr;
    }
    it->state = (it->state & ~mask) | (state & mask);
    if ((mask & TVIS_STATEIMAGEMASK) && d.mode == Mode::ThreeStateCheck) {
        const UINT image = StateImage(it);
        if (image == 1 || image == 3) SetSubtree(it, image);
        UpdateAncestors(it->parent, &d.root);
    }
    return TRUE;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    it->data = data;
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    return it ? it->data : 0;
}

BOOL CTreeCtrl::GetCheck(HTREEITEM item) const {
    const _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    return StateImage(it) == (GetMode() == Mode::ThreeStateCheck ? 3u : 2u) ? TRUE : FALSE;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM item, BOOL check) {
    const UINT on = GetMode() == Mode::ThreeStateCheck ? 3 : 2;
    return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? on : 1), TVIS_STATEIMAGEMASK);
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    if (code == TVE_EXPAND)
        it->state |= TVIS_EXPANDED;
    else if (code == TVE_COLLAPSE)
        it->state &= ~TVIS_EXPANDED;
    else if (code == TVE_TOGGLE)
        it->state ^= TVIS_EXPANDED;
    return TRUE;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
    _TREEITEM* it = Valid(*this, item);
    if (!it) return FALSE;
    for (_TREEITEM* p = it->parent; p && p != &T(*this).root; p = p->parent)
        p->state |= TVIS_EXPANDED;
    return TRUE;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const { return m_state ? T(*this).caret : nullptr; }

BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
    if (!m_state) return FALSE;
    TreeData& d = T(*this);
    _TREEITEM* it = item ? Valid(*this, item) : nullptr;
    if (item && !it) return FALSE;
    _TREEITEM* old = d.caret;
    if (d.mode == Mode::MultiSelect) {
        for (const _TREEITEM* n : d.live) const_cast<_TREEITEM*>(n)->state &= ~TVIS_SELECTED;
    } else if (old) {
        old->state &= ~TVIS_SELECTED;
    }
    d.caret = it;
    if (it) {
        it->state |= TVIS_SELECTED;
        EnsureVisible(it);
    }
    if (old != it) {
        NMTREEVIEW nm;
        nm.hdr.code = TVN_SELCHANGED;
        nm.action = TVC_UNKNOWN;
        nm.itemOld.hItem = old;
        nm.itemNew.hItem = it;
        nm.itemNew.lParam = static_cast<LPARAM>(GetItemData(it));
        SendNotifyToParent(nm.hdr);
    }
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    if (flags) *flags = TVHT_NOWHERE;
    if (!m_state || point.y < 0) return nullptr;
    std::vector<const _TREEITEM*> rows;
    CollectVisible(&T(*this).root, rows, true);
    const size_t row = static_cast<size_t>(point.y / kRowHeight);
    if (row >= rows.size()) return nullptr;
    const _TREEITEM* it = rows[row];
    int x = Level(it, &T(*this).root) * kIndent;
    UINT where = TVHT_ONITEMRIGHT;
    if (point.x < x) {
        where = TVHT_ONITEMINDENT;
    } else {
        if (StateImage(it) != 0) {
            if (point.x < x + kIcon) where = TVHT_ONITEMSTATEICON;
            x += kIcon;
        }
        if (where == TVHT_ONITEMRIGHT && T(*this).normalImages) {
            if (point.x >= x && point.x < x + kIcon) where = TVHT_ONITEMICON;
            x += kIcon;
        }
        const int labelWidth = 7 * it->text.GetLength() + 6;
        if (where == TVHT_ONITEMRIGHT && point.x >= x && point.x < x + labelWidth)
            where = TVHT_ONITEMLABEL;
    }
    if (flags) *flags = where;
    return const_cast<HTREEITEM>(it);
}

CPoint CTreeCtrl::ItemPoint(HTREEITEM item, bool stateIcon) const {
    if (!m_state) return CPoint(-1, -1);
    std::vector<const _TREEITEM*> rows;
    CollectVisible(&T(*this).root, rows, true);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r] != item) continue;
        int x = Level(item, &T(*this).root) * kIndent;
        const int y = static_cast<int>(r) * kRowHeight + kRowHeight / 2;
        if (stateIcon) return CPoint(x + kIcon / 2, y);
        if (StateImage(item) != 0) x += kIcon;
        if (T(*this).normalImages) x += kIcon;
        return CPoint(x + 3, y);
    }
    return CPoint(-1, -1);
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int which) {
    if (!m_state) return nullptr;
    CImageList*& slot = which == TVSIL_STATE ? T(*this).stateImages : T(*this).normalImages;
    CImageList* old = slot;
    slot = list;
    return old;
}

CImageList* CTreeCtrl::GetImageList(int which) const {
    if (!m_state) return nullptr;
    return which == TVSIL_STATE ? T(*this).stateImages : T(*this).normalImages;
}

CTreeCtrl::Mode CTreeCtrl::GetMode() const { return m_state ? T(*this).mode : Mode::Plain; }
void CTreeCtrl::SetMode(Mode mode) {
    if (m_state) T(*this).mode = mode;
}

HTREEITEM CTreeCtrl::FindPath(const CString& path, char separator) const {
    HTREEITEM parent = TVI_ROOT;
    HTREEITEM found = nullptr;
    int pos = 0;
    const CString delims(separator);
    for (CString part = path.Tokenize(delims, pos); pos >= 0; part = path.Tokenize(delims, pos)) {
        found = nullptr;
        for (HTREEITEM c = GetChildItem(parent); c; c = GetNextSiblingItem(c))
            if (GetItemText(c) == part) {
                found = c;
                break;
            }
        if (!found) break;
        parent = found;
    }
    if (found || !m_state) return found;
    for (const _TREEITEM* it = GetRootItem(); it; it = NextInOrder(it, &T(*this).root))
        if (it->text == path) return const_cast<HTREEITEM>(it);
    return nullptr;
}

bool CTreeCtrl::UserClickItem(HTREEITEM item, bool add) {
    _TREEITEM* it = Valid(*this, item);
    if (!Usable(*this) || !it) return false;
    EnsureVisible(it);
    platform::ui::SetCursorPos(ItemPoint(it));
    SetFocus();
    TreeData& d = T(*this);
    if (add && d.mode == Mode::MultiSelect) {
        _TREEITEM* old = d.caret;
        it->state ^= TVIS_SELECTED;
        d.caret = it;
        NMTREEVIEW nm;
        nm.hdr.code = TVN_SELCHANGED;
        nm.action = TVC_BYMOUSE;
        nm.itemOld.hItem = old;
        nm.itemNew.hItem = it;
        nm.itemNew.lParam = static_cast<LPARAM>(it->data);
        SendNotifyToParent(nm.hdr);
    } else if (d.caret != it || d.mode == Mode::MultiSelect) {
        SelectItem(it);
    }
    NMHDR click;
    click.code = NM_CLICK;
    SendNotifyToParent(click);
    return true;
}

bool CTreeCtrl::UserClickStateIcon(HTREEITEM item) {
    _TREEITEM* it = Valid(*this, item);
    if (!Usable(*this) || !it || StateImage(it) == 0) return false;
    EnsureVisible(it);
    platform::ui::SetCursorPos(ItemPoint(it, true));
    SetFocus();
    const bool checked =
        GetMode() == Mode::ThreeStateCheck ? StateImage(it) == 3 : StateImage(it) == 2;
    SetCheck(it, checked ? FALSE : TRUE);
    NMHDR click;
    click.code = NM_CLICK;
    SendNotifyToParent(click);
    return true;
}

bool CTreeCtrl::UserDoubleClickItem(HTREEITEM item) {
    if (!UserClickItem(item)) return false;
    NMHDR dbl;
    dbl.code = NM_DBLCLK;
    if (SendNotifyToParent(dbl) == 0 && ItemHasChildren(item)) Expand(item, TVE_TOGGLE);
    return true;
}

void CMutiTreeCtrl::AttachTo(const CWnd& other) {
    CTreeCtrl::AttachTo(other);
    SetMode(Mode::ThreeStateCheck);
}

void CTreeCtrlEx::AttachTo(const CWnd& other) {
    CTreeCtrl::AttachTo(other);
    SetMode(Mode::MultiSelect);
}

HTREEITEM CTreeCtrlEx::GetFirstSelectedItem() const {
    for (HTREEITEM it = GetRootItem(); it;
         it = const_cast<HTREEITEM>(NextInOrder(it, &T(*this).root)))
        if (GetItemState(it, TVIS_SELECTED)) return it;
    return nullptr;
}

HTREEITEM CTreeCtrlEx::GetNextSelectedItem(HTREEITEM item) const {
    if (!Valid(*this, item)) return nullptr;
    for (HTREEITEM it = const_cast<HTREEITEM>(NextInOrder(item, &T(*this).root)); it;
         it = const_cast<HTREEITEM>(NextInOrder(it, &T(*this).root)))
        if (GetItemState(it, TVIS_SELECTED)) return it;
    return nullptr;
}

UINT CTreeCtrlEx::GetSelectedCount() const {
    UINT n = 0;
    for (HTREEITEM it = GetFirstSelectedItem(); it; it = GetNextSelectedItem(it)) ++n;
    return n;
}

void CTreeCtrlEx::ClearSelection() {
    for (HTREEITEM it = GetFirstSelectedItem(); it; it = GetNextSelectedItem(it))
        SetItemState(it, 0, TVIS_SELECTED);
}
