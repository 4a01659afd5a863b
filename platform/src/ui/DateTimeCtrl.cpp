#include "platform/ui/DateTimeCtrl.h"

#include "WindowState.h"

namespace {
struct DateTimeData : platform::ui::detail::ControlData {
    COleDateTime value = COleDateTime::GetCurrentTime();
    bool none = false;
    CString format;
};
}  // namespace

static DateTimeData& D(const CDateTimeCtrl& c) { return c.State()->Data<DateTimeData>(); }

BOOL CDateTimeCtrl::GetTime(COleDateTime& time) const {
    if (!m_state) {
        time.SetStatus(COleDateTime::invalid);
        return FALSE;
    }
    if (D(*this).none) {
        time.SetStatus(COleDateTime::null);
        return TRUE;
    }
    time = D(*this).value;
    return TRUE;
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime* time) {
    if (!m_state) return FALSE;
    if (!time || time->GetStatus() == COleDateTime::null) {
        if (!(GetStyle() & DTS_SHOWNONE)) return FALSE;
        D(*this).none = true;
        return TRUE;
    }
    if (time->GetStatus() != COleDateTime::valid) return FALSE;
    D(*this).value = *time;
    D(*this).none = false;
    return TRUE;
}

BOOL CDateTimeCtrl::IsNone() const { return m_state && D(*this).none ? TRUE : FALSE; }

BOOL CDateTimeCtrl::SetFormat(const char* format) {
    if (!m_state) return FALSE;
    D(*this).format = format;
    return TRUE;
}

CString CDateTimeCtrl::GetFormat() const { return m_state ? D(*this).format : CString(); }

bool CDateTimeCtrl::UserSetTime(const COleDateTime* time) {
    if (!GetSafeHwnd() || !IsWindowEnabled() || !IsWindowVisible()) return false;
    SetFocus();
    if (!SetTime(time)) return false;
    NMHDR nm;
    nm.code = DTN_DATETIMECHANGE;
    SendNotifyToParent(nm);
    return true;
}
