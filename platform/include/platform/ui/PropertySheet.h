// Property pages and property sheets, also in wizard mode. Pages are created
// when first shown. A page may refuse to be left (OnKillActive, OnWizardNext
// / Back returning -1, OnWizardFinish FALSE) or to be shown (OnSetActive
// FALSE: the sheet stays on the page it was on).
#pragma once

#include <vector>

#include "platform/ui/Dialog.h"

// Wizard buttons (SetWizardButtons). Finish replaces Next when given.
constexpr DWORD PSWIZB_BACK = 0x1;
constexpr DWORD PSWIZB_NEXT = 0x2;
constexpr DWORD PSWIZB_FINISH = 0x4;
constexpr DWORD PSWIZB_DISABLEDFINISH = 0x8;
// Sheet buttons and the wizard's end code.
constexpr UINT ID_APPLY_NOW = 0x3021;
constexpr UINT ID_WIZBACK = 0x3023;
constexpr UINT ID_WIZNEXT = 0x3024;
constexpr UINT ID_WIZFINISH = 0x3025;
constexpr UINT IDHELP = 9;
// PressButton.
constexpr int PSBTN_BACK = 0;
constexpr int PSBTN_NEXT = 1;
constexpr int PSBTN_FINISH = 2;
constexpr int PSBTN_OK = 3;
constexpr int PSBTN_APPLYNOW = 4;
constexpr int PSBTN_CANCEL = 5;
// Header flags.
constexpr DWORD PSH_WIZARD = 0x20;
constexpr DWORD PSH_NOAPPLYNOW = 0x80;
constexpr DWORD PSP_HASHELP = 0x20;

class CPropertySheet;

struct PROPSHEETPAGE {
    DWORD dwFlags = 0;
};
struct PROPSHEETHEADER {
    DWORD dwFlags = 0;
};

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    // Default: exchange data into the controls (from the second showing on).
    virtual BOOL OnSetActive();
    // Default: validate and store the data.
    virtual BOOL OnKillActive();
    // 0 goes on, -1 stays, a page's template identifier goes there.
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    // FALSE stays.
    virtual BOOL OnWizardFinish() { return TRUE; }
    // OK and Apply: OnApply calls OnOK. Cancel: OnQueryCancel, then OnReset
    // calls OnCancel.
    virtual BOOL OnApply();
    void OnOK() override {}
    void OnCancel() override {}
    virtual void OnReset();
    virtual BOOL OnQueryCancel() { return TRUE; }
    void SetModified(BOOL changed = TRUE) { m_modified = changed != FALSE; }
    BOOL IsModified() const { return m_modified ? TRUE : FALSE; }

    CString GetTitle() const;  // the caption resource, else the template's caption
    BOOL IsCreated() const { return GetSafeHwnd() ? TRUE : FALSE; }

    PROPSHEETPAGE m_psp;

private:
    friend class CPropertySheet;
    UINT m_captionId;
    bool m_firstActive = true;
    bool m_modified = false;
};

class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(const char* caption = "", CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    // Shows the page as a click on its tab does; FALSE when refused.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

    void SetTitle(const CString& title);
    CString GetTitle() const { return m_caption; }
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) ? TRUE : FALSE; }
    void SetWizardButtons(DWORD flags);
    DWORD GetWizardButtons() const { return m_wizardButtons; }
    void SetFinishText(const CString& text);

    // ID_WIZFINISH or IDCANCEL for a wizard, IDOK or IDCANCEL otherwise; -1
    // when a page could not be created.
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog() { return TRUE; }
    void EndDialog(int result) { EndModal(result); }
    // Presses a sheet button as the user does (PSBTN_...). FALSE when the
    // button is not there, disabled, or a page refused.
    BOOL PressButton(int button);
    // The sheet's buttons: IDOK, IDCANCEL, ID_APPLY_NOW, ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH.
    BOOL OnCommand(UINT id, UINT code) override;

    PROPSHEETHEADER m_psh;

private:
    bool Activate(int index, int from);
    bool Next();
    bool Back();
    bool Finish();
    bool Ok(bool apply);
    bool Cancel();
    void CreateButtons();
    void UpdateButtons();
    CWnd* m_parent;
    CString m_caption;
    UINT m_startPage;
    std::vector<CPropertyPage*> m_pages;
    int m_active = -1;
    DWORD m_wizardButtons = 0;
};
