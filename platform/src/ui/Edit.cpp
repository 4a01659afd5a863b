#include "platform/ui/Edit.h"

#include <algorithm>

#include "WindowState.h"

namespace {
struct EditData : platform::ui::detail::ControlData {
    UINT limit = 0;
    int selStart = 0;
    int selEnd = 0;
};

// Byte offset of the n-th character of a UTF-8 text (clamped to its end).
int ByteOffset(const CString& s, int chars) {
    int i = 0;
    const int n = s.GetLength();
    for (int c = 0; i < n && c < chars; ++c) {
        ++i;
        while (i < n && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

int CharCount(const CString& s) {
    int count = 0;
    for (int i = 0; i < s.GetLength(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++count;
    return count;
}
}  // namespace

void CEdit::SetLimitText(UINT max) {
    if (m_state) m_state->Data<EditData>().limit = max;
}

UINT CEdit::GetLimitText() const { return m_state ? m_state->Data<EditData>().limit : 0; }

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    return ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
}

void CEdit::SetSel(int start, int end, BOOL) {
    if (!m_state) return;
    const int n = CharCount(GetWindowText());
    auto& d = m_state->Data<EditData>();
    if (start < 0) {  // -1 removes the selection
        d.selStart = d.selEnd = n;
        return;
    }
    if (end < 0 || end > n) end = n;
    d.selStart = std::min(start, n);
    d.selEnd = end;
    if (d.selStart > d.selEnd) std::swap(d.selStart, d.selEnd);
}

void CEdit::GetSel(int& start, int& end) const {
    start = end = 0;
    if (!m_state) return;
    const int n = CharCount(GetWindowText());
    const auto& d = m_state->Data<EditData>();
    start = std::min(d.selStart, n);
    end = std::min(d.selEnd, n);
}

void CEdit::ReplaceSel(const char* text, BOOL) {
    if (!m_state) return;
    int start = 0, end = 0;
    GetSel(start, end);
    CString s = GetWindowText();
    const int b0 = ByteOffset(s, start), b1 = ByteOffset(s, end);
    const CString inserted(text);
    const CString result = s.Left(b0) + inserted + s.Mid(b1);
    auto& d = m_state->Data<EditData>();
    d.selStart = d.selEnd = start + CharCount(inserted);
    CWnd::SetWindowText(result);
}

bool CEdit::UserType(const CString& text) {
    if (!GetSafeHwnd() || !IsWindowEnabled() || !IsWindowVisible() || IsReadOnly()) return false;
    CString typed = text;
    const UINT limit = GetLimitText();
    if (limit > 0) typed = typed.Left(ByteOffset(typed, static_cast<int>(limit)));
    SetFocus();
    auto& d = m_state->Data<EditData>();
    d.selStart = d.selEnd = CharCount(typed);
    SetWindowText(typed);
    return true;
}
