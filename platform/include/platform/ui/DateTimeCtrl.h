// Date-time picker: a value with a status (none when DTS_SHOWNONE lets the
// user clear it).
#pragma once

#include "platform/Time.h"
#include "platform/ui/Styles.h"
#include "platform/ui/Wnd.h"

constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;
constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1);

class CDateTimeCtrl : public CWnd {
public:
    // The value; its status is null when the picker is cleared.
    BOOL GetTime(COleDateTime& time) const;
    // A null pointer or a time whose status is null clears the picker
    // (DTS_SHOWNONE only); an invalid time is refused.
    BOOL SetTime(const COleDateTime* time);
    BOOL SetTime(const COleDateTime& time) { return SetTime(&time); }
    BOOL IsNone() const;
    BOOL SetFormat(const char* format);
    CString GetFormat() const;

    // The user sets the value (or clears it with a null time); the dialog
    // hears DTN_DATETIMECHANGE.
    bool UserSetTime(const COleDateTime* time);
};
