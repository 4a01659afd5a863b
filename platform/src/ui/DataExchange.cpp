#include "platform/ui/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <cstdlib>
#include <stdexcept>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"

namespace {

// The framework reads a number from at most this many characters.
constexpr int kNumberChars = 64;

template <class T>
T& Control(CDataExchange* dx, int id, const char* kind) {
    CWnd* w = dx->PrepareCtrl(static_cast<UINT>(id));
    T* c = dynamic_cast<T*>(w);
    if (!c)
        throw std::logic_error(
            CString::Formatted("control %d of the dialog is not %s", id, kind).str());
    return *c;
}

CString NumberText(CDataExchange* dx, int id) {
    CWnd* w = dx->PrepareEditCtrl(static_cast<UINT>(id));
    CString text = w->GetWindowText();
    int bytes = 0;
    for (int chars = 0; bytes < text.GetLength() && chars < kNumberChars; ++chars) {
        ++bytes;
        while (bytes < text.GetLength() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
            ++bytes;
    }
    return text.Left(bytes);
}

// One number and nothing but blanks around it.
bool OnlyBlanksAfter(const char* end) {
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0';
}

bool ParseLong(const CString& text, long long lo, long long hi, long long& out) {
    const char* s = text.GetString();
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s, &end, 10);
    if (end == s || errno == ERANGE || !OnlyBlanksAfter(end) || v < lo || v > hi) return false;
    out = v;
    return true;
}

[[noreturn]] void FailParse(CDataExchange* dx, const char* message) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    dx->Fail();
}

template <class T>
void TextInteger(CDataExchange* dx, int id, T& value, long long lo, long long hi, const char* fmt) {
    if (dx->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseLong(NumberText(dx, id), lo, hi, v)) FailParse(dx, "请输入一个整数.");
        value = static_cast<T>(v);
    } else {
        dx->PrepareEditCtrl(static_cast<UINT>(id))->SetWindowText(CString::Formatted(fmt, value));
    }
}

}  // namespace

CWnd* CDataExchange::PrepareCtrl(UINT id) {
    CWnd* w = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!w) throw std::logic_error(CString::Formatted("the dialog has no control %u", id).str());
    m_idLastControl = id;
    m_bEditLastControl = FALSE;
    return w;
}

CWnd* CDataExchange::PrepareEditCtrl(UINT id) {
    CWnd* w = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return w;
}

void CDataExchange::Fail() {
    if (m_pDlgWnd && m_idLastControl) {
        if (CWnd* w = m_pDlgWnd->GetDlgItem(m_idLastControl)) {
            w->SetFocus();
            if (auto* edit = dynamic_cast<CEdit*>(w); edit && m_bEditLastControl)
                edit->SetSel(0, -1);
        }
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    CWnd* w = dx->PrepareEditCtrl(static_cast<UINT>(id));
    if (dx->m_bSaveAndValidate)
        value = w->GetWindowText();
    else
        w->SetWindowText(value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    TextInteger(dx, id, value, INT32_MIN, INT32_MAX, "%d");
}

void DDX_Text(CDataExchange* dx, int id, long& value) {
    TextInteger(dx, id, value, INT32_MIN, INT32_MAX, "%ld");
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    TextInteger(dx, id, value, 0, UINT32_MAX, "%u");
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    if (dx->m_bSaveAndValidate) {
        const CString text = NumberText(dx, id);
        const char* s = text.GetString();
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(s, &end);
        if (end == s || errno == ERANGE || !OnlyBlanksAfter(end)) FailParse(dx, "请输入一个数字.");
        value = v;
    } else {
        dx->PrepareEditCtrl(static_cast<UINT>(id))
            ->SetWindowText(CString::Formatted("%.*g", DBL_DIG, value));
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    auto& b = Control<CButton>(dx, id, "a check box");
    if (dx->m_bSaveAndValidate)
        value = b.GetCheck();
    else
        b.SetCheck(value);
}

void DDX_Check(CDataExchange* dx, int id, bool& value) {
    int v = value ? BST_CHECKED : BST_UNCHECKED;
    DDX_Check(dx, id, v);
    value = v == BST_CHECKED;
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    auto& first = Control<CButton>(dx, id, "a radio button");
    const std::vector<CButton*> group = first.RadioGroup();
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->GetCheck() == BST_CHECKED) value = static_cast<int>(i);
    } else {
        for (size_t i = 0; i < group.size(); ++i)
            group[i]->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
    auto& c = Control<CComboBox>(dx, id, "a combo box");
    if (dx->m_bSaveAndValidate) {
        value = c.GetWindowText();
    } else if (c.SelectString(-1, value) == CB_ERR && (c.GetStyle() & 0x3) != CBS_DROPDOWNLIST) {
        c.SetWindowText(value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) {
    auto& c = Control<CComboBox>(dx, id, "a combo box");
    if (dx->m_bSaveAndValidate) {
        value = c.GetWindowText();
        return;
    }
    const int i = c.FindStringExact(-1, value);
    if (i != CB_ERR)
        c.SetCurSel(i);
    else if ((c.GetStyle() & 0x3) != CBS_DROPDOWNLIST)
        c.SetWindowText(value);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value) {
    auto& c = Control<CComboBox>(dx, id, "a combo box");
    if (dx->m_bSaveAndValidate)
        value = c.GetCurSel();
    else
        c.SetCurSel(value);
}

void DDX_DateTimeCtrl(CDataExchange* dx, int id, COleDateTime& value) {
    auto& c = Control<CDateTimeCtrl>(dx, id, "a date-time picker");
    if (dx->m_bSaveAndValidate)
        c.GetTime(value);
    else
        c.SetTime(&value);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.GetSafeHwnd()) return;
    CWnd* w = dx->PrepareCtrl(static_cast<UINT>(id));
    control.AttachTo(*w);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    AfxMessageBox(CString::Formatted("请输入一个在%I32d 和%I32d 之间的整数.", minValue, maxValue),
                  MB_ICONEXCLAMATION);
    dx->Fail();
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    AfxMessageBox(CString::Formatted("请输入一个在%I32u 和%I32u 之间的整数.", minValue, maxValue),
                  MB_ICONEXCLAMATION);
    dx->Fail();
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    AfxMessageBox(CString::Formatted("请输入一个在%s 和%s 之间的数字.",
                                     CString::Formatted("%.*g", DBL_DIG, minValue),
                                     CString::Formatted("%.*g", DBL_DIG, maxValue)),
                  MB_ICONEXCLAMATION);
    dx->Fail();
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    CWnd* w = dx->m_pDlgWnd ? dx->m_pDlgWnd->GetDlgItem(dx->m_idLastControl) : nullptr;
    if (!dx->m_bSaveAndValidate) {
        if (auto* edit = dynamic_cast<CEdit*>(w)) edit->SetLimitText(static_cast<UINT>(maxChars));
        return;
    }
    int chars = 0;
    for (int i = 0; i < value.GetLength(); ++i)
        if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80) ++chars;
    if (chars <= maxChars) return;
    AfxMessageBox(CString::Formatted("请输入不超过 %d 个字符.", maxChars), MB_ICONEXCLAMATION);
    dx->Fail();
}
