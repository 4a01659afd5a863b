#include "platform/ui/Dialog.h"

#include <strings.h>

#include "WindowState.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/TreeCtrl.h"
#include "platform/ui/UiDriver.h"

namespace {

std::unique_ptr<CWnd> MakeControl(const CString& cls) {
    auto is = [&](const char* name) { return cls.CompareNoCase(name) == 0; };
    if (is(WC_BUTTON)) return std::make_unique<CButton>();
    if (is(WC_EDIT)) return std::make_unique<CEdit>();
    if (is(WC_COMBOBOX)) return std::make_unique<CComboBox>();
    if (is(WC_LISTVIEW)) return std::make_unique<CListCtrl>();
    if (is(WC_TREEVIEW)) return std::make_unique<CTreeCtrl>();
    if (is(DATETIMEPICK_CLASS)) return std::make_unique<CDateTimeCtrl>();
    if (is(WC_STATIC)) return std::make_unique<CStatic>();
    return std::make_unique<CWnd>();
}

// Dialog units to pixels with the usual base units of the dialog font.
CRect ToPixels(int x, int y, int cx, int cy) {
    return CRect(x * 3 / 2, y * 13 / 8, (x + cx) * 3 / 2, (y + cy) * 13 / 8);
}

bool TakesFocus(const CWnd& w) {
    if (!w.IsWindowEnabled() || !w.IsWindowVisible()) return false;
    const CString cls = w.State()->className;
    if (cls.CompareNoCase(WC_STATIC) == 0) return false;
    if (const auto* b = dynamic_cast<const CButton*>(&w)) return b->GetButtonStyle() != BS_GROUPBOX;
    return true;
}

}  // namespace

namespace platform::ui {
void ReportCreateFailure(const CString& what) { CurrentDriver().CreateFailed(what); }
}  // namespace platform::ui

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

bool CDialog::CreateFromTemplate(CWnd* parent) {
    HINSTANCE module = AfxGetResourceHandle();
    const DialogTemplate* t = module ? module->FindDialog(m_templateId) : nullptr;
    if (!t) {
        platform::ui::ReportCreateFailure(
            module ? CString::Formatted("dialog %u is not in the current resource module \"%s\"",
                                        m_templateId, module->GetName())
                   : CString::Formatted("dialog %u: no resource module is current", m_templateId));
        return false;
    }
    CreateState(m_templateId, "#32770", t->caption, t->style, parent, false);
    m_state->rect = ToPixels(0, 0, t->cx, t->cy);
    for (const DialogControlTemplate& c : t->controls) {
        CWnd* control = AdoptChild(MakeControl(c.className));
        control->CreateState(c.id, c.className, c.text, c.style, this, true);
        control->MoveWindow(ToPixels(c.x, c.y, c.cx, c.cy), FALSE);
    }
    return true;
}

void CDialog::DestroyWindow() { DestroyState(); }

INT_PTR CDialog::DoModal() {
    if (!CreateFromTemplate(m_parent)) return -1;
    struct Destroy {
        CDialog* d;
        ~Destroy() { d->DestroyWindow(); }
    } destroy{this};
    BeginModal();
    if (OnInitDialog()) {
        for (CWnd* child : GetChildren())
            if (TakesFocus(*child)) {
                child->SetFocus();
                break;
            }
    }
    if (!IsModalEnded()) platform::ui::CurrentDriver().RunModal(*this);
    if (!IsModalEnded()) EndModal(IDCANCEL);
    return GetModalResult();
}

void CDialog::EndDialog(int result) { EndModal(result); }

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(UINT id, UINT code) {
    if (CWnd::OnCommand(id, code)) return TRUE;
    if (code != BN_CLICKED) return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}
