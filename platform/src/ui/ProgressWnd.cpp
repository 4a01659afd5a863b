#include "platform/ui/ProgressWnd.h"

#include <algorithm>

#include "platform/ui/UiDriver.h"

CProgressWnd::CProgressWnd(BOOL) {}

CProgressWnd::CProgressWnd(CWnd*, const char* title, BOOL) {
    if (title) m_title = title;
}

CProgressWnd::~CProgressWnd() { DestroyWindow(); }

BOOL CProgressWnd::GoModal(const char* title, BOOL) {
    if (title) m_title = title;
    m_cancelled = false;
    if (!m_open) {
        m_open = true;
        m_visible = true;
        platform::ui::CurrentDriver().ProgressOpened(*this);
    } else {
        Changed();
    }
    return TRUE;
}

void CProgressWnd::DestroyWindow() {
    if (!m_open) return;
    m_open = false;
    m_visible = false;
    platform::ui::CurrentDriver().ProgressClosed(*this);
}

void CProgressWnd::Hide() {
    if (!m_visible) return;
    m_visible = false;
    Changed();
}

void CProgressWnd::Show() {
    if (m_visible || !m_open) return;
    m_visible = true;
    Changed();
}

void CProgressWnd::SetTextRaw(const CString& text) {
    if (m_text == text) return;
    m_text = text;
    Changed();
}

void CProgressWnd::SetRange(int lower, int upper, int step) {
    m_lower = lower;
    m_upper = upper;
    m_step = step;
    m_pos = std::clamp(m_pos, std::min(lower, upper), std::max(lower, upper));
    Changed();
}

int CProgressWnd::SetPos(int pos) {
    const int previous = m_pos;
    m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    if (m_pos != previous) Changed();
    return previous;
}

int CProgressWnd::OffsetPos(int delta) { return SetPos(m_pos + delta); }
int CProgressWnd::StepIt() { return SetPos(m_pos + m_step); }

void CProgressWnd::Clear() {
    m_text.Empty();
    m_pos = m_lower;
    Changed();
}

BOOL CProgressWnd::PeekAndPump(BOOL) {
    if (m_open && !m_cancelled && platform::ui::CurrentDriver().ProgressPump(*this))
        m_cancelled = true;
    return m_cancelled ? FALSE : TRUE;
}

int CProgressWnd::GetPercent() const {
    const long long span = static_cast<long long>(m_upper) - m_lower;
    if (span == 0) return 100;
    return static_cast<int>(std::clamp((m_pos - m_lower) * 100LL / span, 0LL, 100LL));
}

void CProgressWnd::Changed() {
    if (m_open) platform::ui::CurrentDriver().ProgressChanged(*this);
}
