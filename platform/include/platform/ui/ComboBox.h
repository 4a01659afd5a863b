// Combo box: a list of texts with item data and a current selection; in a
// drop-down list (CBS_DROPDOWNLIST) the text is the selected item's.
#pragma once

#include <vector>

#include "platform/ui/Styles.h"
#include "platform/ui/Wnd.h"

constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
public:
    int AddString(const CString& text);                // sorted in when CBS_SORT
    int InsertString(int index, const CString& text);  // -1 appends
    int DeleteString(UINT index);  // returns the count left, CB_ERR when out of range
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);                       // -1 clears; CB_ERR when out of range
    int GetLBText(int index, CString& text) const;  // length, CB_ERR when out of range
    CString GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    // Items after start (-1: from the top) whose text begins with / equals the
    // text, ignoring case, wrapping around; CB_ERR when none.
    int FindString(int start, const CString& prefix) const;
    int FindStringExact(int start, const CString& text) const;
    int SelectString(int start, const CString& prefix);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }

    // The user picks an item; the dialog hears CBN_SELCHANGE.
    bool UserSelect(int index);
    // The user types into the edit of a drop-down combo (CBN_EDITCHANGE).
    bool UserType(const CString& text);
};
