// Modal dialog built from a template of the current resource module.
// DoModal creates the controls, runs OnInitDialog, then hands the dialog to
// the current UI driver, which acts as the user until the dialog ends.
#pragma once

#include "platform/ui/DataExchange.h"
#include "platform/ui/Resource.h"
#include "platform/ui/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could
    // not be created (its template is not in the current resource module).
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Default: exchange data into the controls; TRUE puts the focus on the
    // first control that takes it.
    virtual BOOL OnInitDialog();
    // Default: validate and store the data, then end with IDOK.
    virtual void OnOK();
    // Default: end with IDCANCEL.
    virtual void OnCancel();
    // Clicking IDOK / IDCANCEL without a bound handler calls OnOK / OnCancel.
    BOOL OnCommand(UINT id, UINT code) override;

    UINT GetTemplateId() const { return m_templateId; }
    CWnd* GetOwner() const { return m_parent; }

    // Creates the window and its controls from the template without running
    // it (property pages, file dialog children). False, after telling the
    // driver, when the template is missing.
    bool CreateFromTemplate(CWnd* parent);
    void DestroyWindow();

protected:
    UINT m_templateId;
    CWnd* m_parent;
};

// Tells the UI driver why a window could not be created.
namespace platform::ui {
void ReportCreateFailure(const CString& what);
}
