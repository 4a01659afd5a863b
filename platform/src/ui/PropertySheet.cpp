#include "platform/ui/PropertySheet.h"

#include "WindowState.h"
#include "platform/ui/Button.h"
#include "platform/ui/UiDriver.h"

// --- pages

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
    : CDialog(templateId), m_captionId(captionId) {}

BOOL CPropertyPage::OnSetActive() {
    if (m_firstActive)
        m_firstActive = false;  // OnInitDialog has just filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
    OnOK();
    m_modified = false;
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

CString CPropertyPage::GetTitle() const {
    CString title;
    if (m_captionId && AfxLoadString(m_captionId, title)) return title;
    if (GetSafeHwnd()) return GetWindowText();
    HINSTANCE module = AfxGetResourceHandle();
    const DialogTemplate* t = module ? module->FindDialog(m_templateId) : nullptr;
    return t ? t->caption : CString();
}

// --- sheets

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : m_parent(parent), m_caption(caption), m_startPage(selectPage) {}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_parent(parent), m_caption(LoadResString(captionId)), m_startPage(selectPage) {}

// Pages are often declared after their sheet and so destroyed first: the
// sheet does not touch them here.
CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::SetTitle(const CString& title) {
    m_caption = title;
    if (GetSafeHwnd()) SetWindowText(title);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page) return;
    m_pages.push_back(page);
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount()) return;
    CPropertyPage* page = m_pages[static_cast<size_t>(index)];
    page->DestroyWindow();
    m_pages.erase(m_pages.begin() + index);
    if (m_active == index) {
        m_active = -1;
        if (GetSafeHwnd() && !m_pages.empty()) Activate(std::min(index, GetPageCount() - 1), -1);
    } else if (m_active > index) {
        --m_active;
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)] == page) return i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_active); }

void CPropertySheet::CreateButtons() {
    struct B {
        UINT id;
        const char* text;
    };
    std::vector<B> buttons;
    if (IsWizard()) {
        buttons = {{ID_WIZBACK, "< 上一步(&B)"},
                   {ID_WIZNEXT, "下一步(&N) >"},
                   {ID_WIZFINISH, "完成"},
                   {IDCANCEL, "取消"}};
    } else {
        buttons = {{IDOK, "确定"}, {IDCANCEL, "取消"}};
        if (!(m_psh.dwFlags & PSH_NOAPPLYNOW)) buttons.push_back({ID_APPLY_NOW, "应用(&A)"});
    }
    for (const B& b : buttons) {
        CWnd* w = AdoptChild(std::make_unique<CButton>());
        w->CreateState(b.id, WC_BUTTON, b.text, BS_PUSHBUTTON | WS_TABSTOP, this, true);
    }
}

void CPropertySheet::SetWizardButtons(DWORD flags) {
    m_wizardButtons = flags;
    UpdateButtons();
}

void CPropertySheet::UpdateButtons() {
    if (!GetSafeHwnd() || !IsWizard()) return;
    const DWORD f = m_wizardButtons;
    const bool finish = (f & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    if (CWnd* back = GetDlgItem(ID_WIZBACK)) back->EnableWindow((f & PSWIZB_BACK) ? TRUE : FALSE);
    if (CWnd* next = GetDlgItem(ID_WIZNEXT)) {
        next->ShowWindow(finish ? SW_HIDE : SW_SHOW);
        next->EnableWindow((f & PSWIZB_NEXT) ? TRUE : FALSE);
    }
    if (CWnd* fin = GetDlgItem(ID_WIZFINISH)) {
        fin->ShowWindow(finish ? SW_SHOW : SW_HIDE);
        fin->EnableWindow((f & PSWIZB_FINISH) ? TRUE : FALSE);
    }
}

void CPropertySheet::SetFinishText(const CString& text) {
    if (CWnd* fin = GetDlgItem(ID_WIZFINISH)) {
        fin->SetWindowText(text);
        fin->ShowWindow(SW_SHOW);
        fin->EnableWindow(TRUE);
    }
    if (CWnd* next = GetDlgItem(ID_WIZNEXT)) next->ShowWindow(SW_HIDE);
    if (CWnd* back = GetDlgItem(ID_WIZBACK)) back->ShowWindow(SW_HIDE);
}

bool CPropertySheet::Activate(int index, int from) {
    CPropertyPage* page = GetPage(index);
    if (!page) return false;
    if (!page->GetSafeHwnd()) {
        if (!page->CreateFromTemplate(this)) return false;
        page->m_firstActive = true;
        page->OnInitDialog();
    }
    CPropertyPage* previous = GetPage(from);
    m_active = index;
    if (previous) previous->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    if (!page->OnSetActive()) {
        // The page will not be shown: the sheet stays where it was.
        page->ShowWindow(SW_HIDE);
        m_active = from;
        if (previous) previous->ShowWindow(SW_SHOW);
        return false;
    }
    return true;
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= GetPageCount()) return FALSE;
    if (!GetSafeHwnd()) {
        m_startPage = static_cast<UINT>(index);
        return TRUE;
    }
    if (index == m_active) return TRUE;
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive()) return FALSE;
    return Activate(index, m_active) ? TRUE : FALSE;
}

// The page a wizard moves to: 0 is the neighbour, else a template identifier.
static int Target(const CPropertySheet& sheet, LRESULT r, int neighbour) {
    if (r == 0) return neighbour;
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        if (static_cast<LRESULT>(sheet.GetPage(i)->GetTemplateId()) == r) return i;
    return -1;
}

bool CPropertySheet::Next() {
    CPropertyPage* current = GetActivePage();
    if (!current || !current->OnKillActive()) return false;
    const LRESULT r = current->OnWizardNext();
    if (r == -1) return false;
    const int target = Target(*this, r, m_active + 1);
    return target >= 0 && Activate(target, m_active);
}

bool CPropertySheet::Back() {
    CPropertyPage* current = GetActivePage();
    if (!current || !current->OnKillActive()) return false;
    const LRESULT r = current->OnWizardBack();
    if (r == -1) return false;
    const int target = Target(*this, r, m_active - 1);
    return target >= 0 && Activate(target, m_active);
}

bool CPropertySheet::Finish() {
    CPropertyPage* current = GetActivePage();
    if (!current || !current->OnKillActive()) return false;
    if (!current->OnWizardFinish()) return false;
    EndModal(ID_WIZFINISH);
    return true;
}

bool CPropertySheet::Ok(bool applyOnly) {
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive()) return false;
    for (CPropertyPage* page : m_pages)
        if (page->GetSafeHwnd() && !page->OnApply()) return false;
    if (!applyOnly) EndModal(IDOK);
    return true;
}

bool CPropertySheet::Cancel() {
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnQueryCancel()) return false;
    for (CPropertyPage* page : m_pages)
        if (page->GetSafeHwnd()) page->OnReset();
    EndModal(IDCANCEL);
    return true;
}

BOOL CPropertySheet::PressButton(int button) {
    if (!GetSafeHwnd()) return FALSE;
    switch (button) {
        case PSBTN_BACK:
            return IsWizard() && Back();
        case PSBTN_NEXT:
            return IsWizard() && Next();
        case PSBTN_FINISH:
            return IsWizard() && Finish();
        case PSBTN_OK:
            return Ok(false);
        case PSBTN_APPLYNOW:
            return !IsWizard() && Ok(true);
        case PSBTN_CANCEL:
            return Cancel();
        default:
            return FALSE;
    }
}

BOOL CPropertySheet::OnCommand(UINT id, UINT code) {
    if (CWnd::OnCommand(id, code)) return TRUE;
    if (code != BN_CLICKED) return FALSE;
    switch (id) {
        case IDOK:
            PressButton(PSBTN_OK);
            return TRUE;
        case IDCANCEL:
            PressButton(PSBTN_CANCEL);
            return TRUE;
        case ID_APPLY_NOW:
            PressButton(PSBTN_APPLYNOW);
            return TRUE;
        case ID_WIZBACK:
            PressButton(PSBTN_BACK);
            return TRUE;
        case ID_WIZNEXT:
            PressButton(PSBTN_NEXT);
            return TRUE;
        case ID_WIZFINISH:
            PressButton(PSBTN_FINISH);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CPropertySheet::DoModal() {
    CreateState(0, "#32770", m_caption, 0, m_parent, false);
    struct Destroy {
        CPropertySheet* s;
        ~Destroy() {
            for (CPropertyPage* p : s->m_pages) p->DestroyWindow();
            s->m_active = -1;
            s->DestroyState();
        }
    } destroy{this};
    CreateButtons();
    BeginModal();
    m_active = -1;
    m_wizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
    UpdateButtons();
    OnInitDialog();
    // Every page's template must be there, even of pages never shown.
    HINSTANCE module = AfxGetResourceHandle();
    for (CPropertyPage* page : m_pages) {
        if (!module || !module->FindDialog(page->GetTemplateId())) {
            platform::ui::ReportCreateFailure(CString::Formatted(
                "%s: page %u is not in the current resource module%s",
                platform::ui::DescribeWindow(*this), page->GetTemplateId(),
                module ? CString::Formatted(" \"%s\"", module->GetName()) : CString()));
            return -1;
        }
    }
    // The first page that accepts to be shown, from the chosen one on.
    bool shown = false;
    for (int i = static_cast<int>(m_startPage); i < GetPageCount() && !shown; ++i)
        shown = Activate(i, -1);
    if (!shown) return IsModalEnded() ? GetModalResult() : IDCANCEL;
    if (!IsModalEnded()) platform::ui::CurrentDriver().RunModal(*this);
    if (!IsModalEnded()) EndModal(IDCANCEL);
    return GetModalResult();
}
