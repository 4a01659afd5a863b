// Single-line edit: text, character limit, read-only, selection. Setting
// its text, by program or by the user, tells the dialog (EN_CHANGE), as the
// system edit does.
#pragma once

#include "platform/ui/Styles.h"
#include "platform/ui/Wnd.h"

class CEdit : public CWnd {
public:
    // Characters (not bytes) the user may type; 0 means no limit.
    void SetLimitText(UINT max);
    void LimitText(int max = 0) { SetLimitText(static_cast<UINT>(max)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL IsReadOnly() const { return (GetStyle() & ES_READONLY) ? TRUE : FALSE; }
    // Selection in characters; end -1 selects to the end.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const char* text, BOOL canUndo = FALSE);
    void Clear() { ReplaceSel(""); }

    // The user types a new text over the old one: read-only edits refuse it,
    // the character limit cuts it; the dialog hears EN_CHANGE. False when
    // refused.
    bool UserType(const CString& text);
};
