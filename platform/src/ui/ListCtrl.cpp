#include "platform/ui/ListCtrl.h"

#include <algorithm>

#include "WindowState.h"

namespace {
struct Column {
    CString heading;
    int format = LVCFMT_LEFT;
    int width = 0;
};
struct Item {
    std::vector<CString> texts;  // by sub-item
    DWORD_PTR data = 0;
    UINT state = 0;
    int image = -1;
};
struct ListData : platform::ui::detail::ControlData {
    std::vector<Column> columns;
    std::vector<Item> items;
    DWORD exStyle = 0;
    int top = 0;
    int scrollX = 0;
    int mark = -1;
};

constexpr int kRowHeight = 16;

POSITION ToPos(int index) {
    return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index + 1));
}
int FromPos(POSITION pos) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(pos)) - 1; }
}  // namespace

static ListData& L(const CListCtrl& c) { return c.State()->Data<ListData>(); }

int CHeaderCtrl::GetItemCount() const { return m_list->GetColumnCount(); }

int CListCtrl::InsertColumn(int index, const CString& heading, int format, int width, int) {
    if (!m_state) return -1;
    auto& cols = L(*this).columns;
    index = std::clamp(index, 0, static_cast<int>(cols.size()));
    cols.insert(cols.begin() + index, Column{heading, format, std::max(width, 0)});
    return index;
}

BOOL CListCtrl::DeleteColumn(int index) {
    if (!m_state || index < 0 || index >= GetColumnCount()) return FALSE;
    auto& d = L(*this);
    d.columns.erase(d.columns.begin() + index);
    for (Item& item : d.items)
        if (index < static_cast<int>(item.texts.size()))
            item.texts.erase(item.texts.begin() + index);
    return TRUE;
}

int CListCtrl::GetColumnCount() const {
    return m_state ? static_cast<int>(L(*this).columns.size()) : 0;
}

CString CListCtrl::GetColumnHeading(int index) const {
    if (index < 0 || index >= GetColumnCount()) return CString();
    return L(*this).columns[static_cast<size_t>(index)].heading;
}

int CListCtrl::GetColumnFormat(int index) const {
    if (index < 0 || index >= GetColumnCount()) return LVCFMT_LEFT;
    return L(*this).columns[static_cast<size_t>(index)].format;
}

int CListCtrl::GetColumnWidth(int index) const {
    if (index < 0 || index >= GetColumnCount()) return 0;
    return L(*this).columns[static_cast<size_t>(index)].width;
}

BOOL CListCtrl::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= GetColumnCount()) return FALSE;
    auto& d = L(*this);
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int widest = 0;
        for (int i = 0; i < GetItemCount(); ++i)
            widest = std::max(widest, GetStringWidth(GetItemText(i, index)));
        if (width == LVSCW_AUTOSIZE_USEHEADER)
            widest =
                std::max(widest, GetStringWidth(d.columns[static_cast<size_t>(index)].heading));
        width = widest + 12;
    }
    d.columns[static_cast<size_t>(index)].width = std::max(width, 0);
    return TRUE;
}

int CListCtrl::InsertItem(int index, const CString& text, int image) {
    if (!m_state) return -1;
    auto& d = L(*this);
    index = std::clamp(index, 0, static_cast<int>(d.items.size()));
    Item item;
    item.texts.push_back(text);
    item.image = image;
    d.items.insert(d.items.begin() + index, std::move(item));
    if (d.mark >= index) ++d.mark;
    return index;
}

BOOL CListCtrl::SetItemText(int item, int subItem, const CString& text) {
    if (item < 0 || item >= GetItemCount() || subItem < 0) return FALSE;
    auto& texts = L(*this).items[static_cast<size_t>(item)].texts;
    if (static_cast<int>(texts.size()) <= subItem) texts.resize(static_cast<size_t>(subItem) + 1);
    texts[static_cast<size_t>(subItem)] = text;
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    if (item < 0 || item >= GetItemCount() || subItem < 0) return CString();
    const auto& texts = L(*this).items[static_cast<size_t>(item)].texts;
    return subItem < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(subItem)]
                                                    : CString();
}

BOOL CListCtrl::DeleteItem(int item) {
    if (item < 0 || item >= GetItemCount()) return FALSE;
    auto& d = L(*this);
    d.items.erase(d.items.begin() + item);
    if (d.mark == item)
        d.mark = -1;
    else if (d.mark > item)
        --d.mark;
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    if (!m_state) return FALSE;
    auto& d = L(*this);
    d.items.clear();
    d.mark = -1;
    d.top = 0;
    return TRUE;
}

int CListCtrl::GetItemCount() const {
    return m_state ? static_cast<int>(L(*this).items.size()) : 0;
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    if (item < 0 || item >= GetItemCount()) return FALSE;
    L(*this).items[static_cast<size_t>(item)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    if (item < 0 || item >= GetItemCount()) return 0;
    return L(*this).items[static_cast<size_t>(item)].data;
}

int CListCtrl::GetItemImage(int item) const {
    if (item < 0 || item >= GetItemCount()) return -1;
    return L(*this).items[static_cast<size_t>(item)].image;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    if (!m_state) return FALSE;
    if (item == -1) {
        for (int i = 0; i < GetItemCount(); ++i) SetItemState(i, state, mask);
        return TRUE;
    }
    if (item < 0 || item >= GetItemCount()) return FALSE;
    auto& d = L(*this);
    // One item at most has the focus; one is selected in a single-selection list.
    if ((mask & state & LVIS_FOCUSED)) {
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != item && (d.items[static_cast<size_t>(i)].state & LVIS_FOCUSED))
                SetItemState(i, 0, LVIS_FOCUSED);
    }
    if ((mask & state & LVIS_SELECTED) && (GetStyle() & LVS_SINGLESEL)) {
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != item && (d.items[static_cast<size_t>(i)].state & LVIS_SELECTED))
                SetItemState(i, 0, LVIS_SELECTED);
    }
    Item& it = d.items[static_cast<size_t>(item)];
    const UINT old = it.state;
    it.state = (old & ~mask) | (state & mask);
    if (it.state != old) Changed(item, old, it.state);
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    if (item < 0 || item >= GetItemCount()) return 0;
    return L(*this).items[static_cast<size_t>(item)].state & mask;
}

BOOL CListCtrl::GetCheck(int item) const {
    return (GetItemState(item, LVIS_STATEIMAGEMASK) >> 12) == 2 ? TRUE : FALSE;
}

BOOL CListCtrl::SetCheck(int item, BOOL check) {
    return SetItemState(item, (check ? 2u : 1u) << 12, LVIS_STATEIMAGEMASK);
}

UINT CListCtrl::GetSelectedCount() const {
    UINT n = 0;
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItemState(i, LVIS_SELECTED)) ++n;
    return n;
}

int CListCtrl::GetSelectionMark() const { return m_state ? L(*this).mark : -1; }

int CListCtrl::SetSelectionMark(int item) {
    if (!m_state) return -1;
    const int old = L(*this).mark;
    L(*this).mark = item;
    return old;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    for (int i = std::max(start + 1, 0); i < GetItemCount(); ++i)
        if ((GetItemState(i, flags & (LVNI_FOCUSED | LVNI_SELECTED))) == (flags & 0x3)) return i;
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int i = GetNextItem(-1, LVNI_SELECTED);
    return i < 0 ? nullptr : ToPos(i);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    const int i = FromPos(pos);
    const int next = GetNextItem(i, LVNI_SELECTED);
    pos = next < 0 ? nullptr : ToPos(next);
    return i;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL) {
    if (item < 0 || item >= GetItemCount()) return FALSE;
    auto& d = L(*this);
    CRect rc;
    GetClientRect(&rc);
    const int rows = rc.Height() > kRowHeight ? rc.Height() / kRowHeight - 1 : 10;
    if (item < d.top) d.top = item;
    if (item >= d.top + rows) d.top = item - rows + 1;
    return TRUE;
}

int CListCtrl::GetTopIndex() const { return m_state ? L(*this).top : 0; }

BOOL CListCtrl::Scroll(CSize size) {
    if (!m_state) return FALSE;
    auto& d = L(*this);
    d.scrollX = std::max(0, d.scrollX + size.cx);
    if (size.cy)
        d.top = std::clamp(d.top + size.cy / kRowHeight, 0, std::max(0, GetItemCount() - 1));
    return TRUE;
}

int CListCtrl::GetScrollPos() const { return m_state ? L(*this).scrollX : 0; }

int CListCtrl::GetColumnLeft(int index) const {
    int left = 0;
    for (int i = 0; i < index && i < GetColumnCount(); ++i) left += GetColumnWidth(i);
    return left;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    if (!m_state) return 0;
    const DWORD old = L(*this).exStyle;
    L(*this).exStyle = exStyle;
    return old;
}

DWORD CListCtrl::GetExtendedStyle() const { return m_state ? L(*this).exStyle : 0; }

int CListCtrl::GetStringWidth(const CString& text) const {
    int width = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
            width += 7;
        else if ((c & 0xC0) != 0x80)
            width += 14;
    }
    return width;
}

void CListCtrl::Changed(int item, UINT oldState, UINT newState) {
    NMLISTVIEW nm;
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = LVIF_STATE;
    nm.lParam = static_cast<LPARAM>(GetItemData(item));
    SendNotifyToParent(nm.hdr);
}

namespace {
bool Usable(const CWnd& w) { return w.GetSafeHwnd() && w.IsWindowEnabled() && w.IsWindowVisible(); }
}  // namespace

bool CListCtrl::UserClickItem(int item, bool add) {
    if (!Usable(*this) || item < 0 || item >= GetItemCount()) return false;
    SetFocus();
    if (!add || (GetStyle() & LVS_SINGLESEL)) {
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != item) SetItemState(i, 0, LVIS_SELECTED);
    }
    SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(item);
    NMITEMACTIVATE nm;
    nm.hdr.code = NM_CLICK;
    nm.iItem = item;
    SendNotifyToParent(nm.hdr);
    return true;
}

bool CListCtrl::UserDoubleClickItem(int item) {
    if (!UserClickItem(item)) return false;
    NMITEMACTIVATE nm;
    nm.hdr.code = NM_DBLCLK;
    nm.iItem = item;
    SendNotifyToParent(nm.hdr);
    return true;
}

bool CListCtrl::UserClickHeader(int column) {
    if (!Usable(*this) || column < 0 || column >= GetColumnCount()) return false;
    NMLISTVIEW nm;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    SendNotifyToParent(nm.hdr);
    return true;
}

bool CListCtrl::UserCheckItem(int item, bool check) {
    if (!Usable(*this) || item < 0 || item >= GetItemCount()) return false;
    SetCheck(item, check ? TRUE : FALSE);
    return true;
}
