// Dialog data exchange and validation in the framework's manner: DDX_ calls
// move values between members and controls, DDV_ calls check them on save.
// A failed check shows its message, puts the focus on the control and ends
// the exchange (UpdateData returns FALSE, the dialog stays open).
#pragma once

#include <exception>

#include "platform/Time.h"
#include "platform/ui/Wnd.h"

// Thrown by CDataExchange::Fail; caught by UpdateData.
class CUserException : public std::exception {
public:
    const char* what() const noexcept override { return "data exchange failed"; }
};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    // The control the following DDV_ checks are about.
    CWnd* PrepareCtrl(UINT id);
    CWnd* PrepareEditCtrl(UINT id);
    // Focus (and selection of an edit) on the last prepared control; throws.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// Texts: an edit's (or any control's) text.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Numbers: on save the text (at most 64 characters) must be one number,
// else "请输入一个整数." / "请输入一个数字." (exclamation icon).
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// Check box: BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE.
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, bool& value);
// Radio group starting at id (the button with WS_GROUP): index of the checked
// button, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Combo box: the selected text / index. Loading a text selects the first
// item it begins (CBString) or equals (CBStringExact), ignoring case; a
// drop-down list with no such item keeps its selection.
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
// Date-time picker value with its status.
void DDX_DateTimeCtrl(CDataExchange* dx, int id, COleDateTime& value);
// Binds a member control to the template's control (on the first exchange).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// "请输入一个在%I32d 和%I32d 之间的整数." with the bounds (exclamation icon).
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
// "请输入一个在%s 和%s 之间的数字." with the bounds (exclamation icon).
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue);
// "最多输入 %d 个字符." with the limit; on load it limits the edit.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
