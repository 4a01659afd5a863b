#include "platform/ui/ComboBox.h"

#include <strings.h>

#include "WindowState.h"

namespace {
struct ComboItem {
    CString text;
    DWORD_PTR data = 0;
};
struct ComboData : platform::ui::detail::ControlData {
    std::vector<ComboItem> items;
    int current = -1;
};

bool StartsNoCase(const CString& s, const CString& prefix) {
    return s.GetLength() >= prefix.GetLength() &&
           strncasecmp(s.GetString(), prefix.GetString(),
                       static_cast<size_t>(prefix.GetLength())) == 0;
}
}  // namespace

static ComboData& Items(const CComboBox& c) { return c.State()->Data<ComboData>(); }

int CComboBox::AddString(const CString& text) {
    if (!m_state) return CB_ERR;
    auto& d = Items(*this);
    int index = static_cast<int>(d.items.size());
    if (GetStyle() & CBS_SORT) {
        index = 0;
        while (index < static_cast<int>(d.items.size()) &&
               d.items[static_cast<size_t>(index)].text.CompareNoCase(text) <= 0)
            ++index;
    }
    return InsertString(index, text);
}

int CComboBox::InsertString(int index, const CString& text) {
    if (!m_state) return CB_ERR;
    auto& d = Items(*this);
    if (index < 0) index = static_cast<int>(d.items.size());
    if (index > static_cast<int>(d.items.size())) return CB_ERR;
    d.items.insert(d.items.begin() + index, ComboItem{text, 0});
    if (d.current >= index) ++d.current;
    return index;
}

int CComboBox::DeleteString(UINT index) {
    if (!m_state) return CB_ERR;
    auto& d = Items(*this);
    if (index >= d.items.size()) return CB_ERR;
    d.items.erase(d.items.begin() + index);
    const int i = static_cast<int>(index);
    if (d.current == i)
        SetCurSel(-1);
    else if (d.current > i)
        --d.current;
    return static_cast<int>(d.items.size());
}

void CComboBox::ResetContent() {
    if (!m_state) return;
    Items(*this).items.clear();
    SetCurSel(-1);
}

int CComboBox::GetCount() const {
    return m_state ? static_cast<int>(Items(*this).items.size()) : 0;
}
int CComboBox::GetCurSel() const { return m_state ? Items(*this).current : CB_ERR; }

int CComboBox::SetCurSel(int index) {
    if (!m_state) return CB_ERR;
    auto& d = Items(*this);
    if (index < 0 || index >= static_cast<int>(d.items.size())) {
        d.current = -1;
        m_state->text.Empty();
        return CB_ERR;
    }
    d.current = index;
    m_state->text = d.items[static_cast<size_t>(index)].text;
    return index;
}

int CComboBox::GetLBText(int index, CString& text) const {
    if (!m_state || index < 0 || index >= GetCount()) return CB_ERR;
    text = Items(*this).items[static_cast<size_t>(index)].text;
    return text.GetLength();
}

CString CComboBox::GetLBText(int index) const {
    CString text;
    GetLBText(index, text);
    return text;
}

int CComboBox::GetLBTextLen(int index) const {
    CString text;
    return GetLBText(index, text);
}

int CComboBox::FindString(int start, const CString& prefix) const {
    const int n = GetCount();
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        if (StartsNoCase(Items(*this).items[static_cast<size_t>(i)].text, prefix)) return i;
    }
    return CB_ERR;
}

int CComboBox::FindStringExact(int start, const CString& text) const {
    const int n = GetCount();
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        if (Items(*this).items[static_cast<size_t>(i)].text.CompareNoCase(text) == 0) return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int start, const CString& prefix) {
    const int i = FindString(start, prefix);
    return i == CB_ERR ? CB_ERR : SetCurSel(i);
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
    if (!m_state || index < 0 || index >= GetCount()) return CB_ERR;
    Items(*this).items[static_cast<size_t>(index)].data = data;
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
    if (!m_state || index < 0 || index >= GetCount()) return static_cast<DWORD_PTR>(CB_ERR);
    return Items(*this).items[static_cast<size_t>(index)].data;
}

CString CComboBox::GetWindowText() const { return CWnd::GetWindowText(); }

bool CComboBox::UserSelect(int index) {
    if (!GetSafeHwnd() || !IsWindowEnabled() || !IsWindowVisible()) return false;
    if (index < 0 || index >= GetCount()) return false;
    SetFocus();
    SetCurSel(index);
    SendCommandToParent(CBN_SELCHANGE);
    return true;
}

bool CComboBox::UserType(const CString& text) {
    if (!GetSafeHwnd() || !IsWindowEnabled() || !IsWindowVisible()) return false;
    if ((GetStyle() & 0x3) == CBS_DROPDOWNLIST) return false;  // no edit to type in
    SetFocus();
    Items(*this).current = -1;
    m_state->text = text;
    SendCommandToParent(CBN_EDITCHANGE);
    return true;
}
