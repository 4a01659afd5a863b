#include "platform/ui/Wnd.h"

#include <cstdlib>

#include "WindowState.h"
#include "platform/ui/Button.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageBox.h"

using platform::ui::detail::WindowState;

namespace {
std::weak_ptr<WindowState> g_focus;
CPoint g_cursor;
}  // namespace

BOOL GetCursorPos(CPoint* point) {
    if (point) *point = g_cursor;
    return TRUE;
}
DWORD GetMessagePos() {
    return (static_cast<DWORD>(g_cursor.y & 0xFFFF) << 16) |
           static_cast<DWORD>(g_cursor.x & 0xFFFF);
}
namespace platform::ui {
void SetCursorPos(CPoint point) { g_cursor = point; }
}  // namespace platform::ui

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_state && m_state->primary == this) DestroyState();
}

void CWnd::CreateState(UINT id, const CString& className, const CString& text, DWORD style,
                       CWnd* parent, bool isControl) {
    m_state = std::make_shared<WindowState>();
    m_state->id = id;
    m_state->className = className;
    m_state->text = text;
    m_state->style = style;
    m_state->enabled = !(style & WS_DISABLED);
    m_state->primary = this;
    m_state->parent = parent;
    if (isControl && parent && parent->m_state) parent->m_state->children.push_back(this);
}

void CWnd::DestroyState() {
    if (!m_state) return;
    for (CWnd* child : m_state->children) {
        if (child->m_state) {
            child->m_state->alive = false;
            child->m_state->parent = nullptr;
        }
    }
    m_state->children.clear();
    m_state->alive = false;
    if (m_state->parent && m_state->parent->m_state) {
        auto& siblings = m_state->parent->m_state->children;
        std::erase(siblings, this);
    }
    m_state->parent = nullptr;
    m_owned.clear();
}

CWnd* CWnd::AdoptChild(std::unique_ptr<CWnd> child) {
    m_owned.push_back(std::move(child));
    return m_owned.back().get();
}

void CWnd::AttachTo(const CWnd& other) { m_state = other.m_state; }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    CWnd* control = parent ? parent->GetDlgItem(id) : nullptr;
    if (!control) return FALSE;
    AttachTo(*control);
    return TRUE;
}

std::vector<CWnd*> CWnd::GetChildren() const {
    return m_state ? m_state->children : std::vector<CWnd*>{};
}

HWND CWnd::GetSafeHwnd() const { return m_state && m_state->alive ? m_state.get() : nullptr; }
UINT CWnd::GetDlgCtrlID() const { return m_state ? m_state->id : 0; }
CWnd* CWnd::GetParent() const { return m_state ? m_state->parent : nullptr; }

void CWnd::SetWindowText(const CString& text) {
    if (!m_state) return;
    m_state->text = text;
    if (m_state->className == WC_EDIT) SendCommandToParent(EN_CHANGE);
}

CString CWnd::GetWindowText() const { return m_state ? m_state->text : CString(); }

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_state) return FALSE;
    const BOOL wasDisabled = m_state->enabled ? FALSE : TRUE;
    m_state->enabled = enable != FALSE;
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_state && m_state->enabled ? TRUE : FALSE; }

BOOL CWnd::ShowWindow(int cmd) {
    if (!m_state) return FALSE;
    const BOOL was = m_state->visible ? TRUE : FALSE;
    m_state->visible = cmd != SW_HIDE;
    return was;
}

BOOL CWnd::IsWindowVisible() const { return m_state && m_state->visible ? TRUE : FALSE; }

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_state) g_focus = m_state;
    return previous;
}

CWnd* CWnd::GetFocus() {
    auto s = g_focus.lock();
    return s && s->alive ? s->primary : nullptr;
}

DWORD CWnd::GetStyle() const { return m_state ? m_state->style : 0; }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
    if (!m_state) return FALSE;
    m_state->style = (m_state->style & ~remove) | add;
    if (remove & WS_DISABLED) m_state->enabled = true;
    if (add & WS_DISABLED) m_state->enabled = false;
    return TRUE;
}

void CWnd::SetRedraw(BOOL redraw) {
    if (m_state) m_state->redraw = redraw != FALSE;
}
BOOL CWnd::IsRedrawEnabled() const { return !m_state || m_state->redraw ? TRUE : FALSE; }

void CWnd::GetWindowRect(CRect* rect) const {
    if (rect) *rect = m_state ? m_state->rect : CRect();
}

void CWnd::GetClientRect(CRect* rect) const {
    if (rect)
        *rect = m_state ? CRect(0, 0, m_state->rect.Width(), m_state->rect.Height()) : CRect();
}

void CWnd::MoveWindow(const CRect& rect, BOOL) {
    if (m_state) m_state->rect = rect;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    MoveWindow(CRect(x, y, x + width, y + height), repaint);
}

CWnd* CWnd::GetDlgItem(UINT id) const {
    if (!m_state) return nullptr;
    for (CWnd* child : m_state->children)
        if (child->GetDlgCtrlID() == id) return child;
    return nullptr;
}

void CWnd::SetDlgItemText(UINT id, const CString& text) {
    if (CWnd* w = GetDlgItem(id)) w->SetWindowText(text);
}

int CWnd::GetDlgItemText(UINT id, CString& text) const {
    CWnd* w = GetDlgItem(id);
    text = w ? w->GetWindowText() : CString();
    return text.GetLength();
}

void CWnd::SetDlgItemInt(UINT id, UINT value, BOOL isSigned) {
    SetDlgItemText(id, isSigned ? CString::Formatted("%d", static_cast<int>(value))
                                : CString::Formatted("%u", value));
}

UINT CWnd::GetDlgItemInt(UINT id, BOOL* translated, BOOL isSigned) const {
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    char* end = nullptr;
    const long long v = std::strtoll(text.GetString(), &end, 10);
    const bool ok = !text.IsEmpty() && end && *end == '\0' && (isSigned || v >= 0);
    if (translated) *translated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::CheckDlgButton(UINT id, UINT check) {
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(id))) b->SetCheck(static_cast<int>(check));
}

UINT CWnd::IsDlgButtonChecked(UINT id) const {
    auto* b = dynamic_cast<CButton*>(GetDlgItem(id));
    return b ? static_cast<UINT>(b->GetCheck()) : 0;
}

void CWnd::CheckRadioButton(UINT first, UINT last, UINT check) {
    for (UINT id = first; id <= last; ++id) CheckDlgButton(id, id == check ? BST_CHECKED : 0);
}

int CWnd::GetCheckedRadioButton(UINT first, UINT last) const {
    for (UINT id = first; id <= last; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED) return static_cast<int>(id);
    return 0;
}

void CWnd::GotoDlgCtrl(CWnd* control) {
    if (control) control->SetFocus();
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return ::MessageBox(this, text, caption ? CString(caption) : AfxGetAppName(), type);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(UINT id, UINT code) {
    auto it = m_commands.find({code, id});
    if (it != m_commands.end()) {
        auto handler = it->second;  // a handler may rebind
        handler();
        return TRUE;
    }
    for (const Range& r : m_ranges) {
        if (r.code == code && id >= r.first && id <= r.last) {
            auto handler = r.handler;
            handler(id);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnNotify(NMHDR* header, LRESULT* result) {
    auto it = m_notifies.find({header->code, header->idFrom});
    if (it == m_notifies.end()) return FALSE;
    auto handler = it->second;
    handler(header, result);
    return TRUE;
}

void CWnd::BindCommand(UINT code, UINT id, std::function<void()> handler) {
    m_commands[{code, id}] = std::move(handler);
}

void CWnd::BindCommandRange(UINT code, UINT first, UINT last, std::function<void(UINT)> handler) {
    m_ranges.push_back({code, first, last, std::move(handler)});
}

void CWnd::BindNotify(UINT code, UINT id, std::function<void(NMHDR*, LRESULT*)> handler) {
    m_notifies[{code, id}] = std::move(handler);
}

BOOL CWnd::IsModalEnded() const { return !m_state || m_state->ended ? TRUE : FALSE; }
int CWnd::GetModalResult() const { return m_state ? m_state->result : 0; }

void CWnd::BeginModal() {
    m_state->ended = false;
    m_state->result = 0;
}

void CWnd::EndModal(int result) {
    if (!m_state || m_state->ended) return;
    m_state->ended = true;
    m_state->result = result;
}

void CWnd::SendCommandToParent(UINT code) {
    if (m_state && m_state->alive && m_state->parent) m_state->parent->OnCommand(m_state->id, code);
}

LRESULT CWnd::SendNotifyToParent(NMHDR& header) {
    LRESULT result = 0;
    if (!m_state || !m_state->alive || !m_state->parent) return result;
    header.hwndFrom = m_state.get();
    header.idFrom = m_state->id;
    m_state->parent->OnNotify(&header, &result);
    return result;
}
