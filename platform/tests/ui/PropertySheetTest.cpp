#include "platform/ui/PropertySheet.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/ui/Button.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {

enum : UINT { IDD_PAGE1 = 9000, IDD_PAGE2 = 9001, IDD_PAGE3 = 9002, IDC_PATH = 9010 };
enum : UINT { IDC_COUNT = 9011, IDC_READY = 9012 };

CResourceModule& Module() {
    static CResourceModule module = [] {
        CResourceModule m("wizard tests");
        m.AddDialog({IDD_PAGE1, "第一步", 300, 200, 0, {{IDC_PATH, WC_EDIT, "", 0}}});
        m.AddDialog({IDD_PAGE2, "第二步", 300, 200, 0, {{IDC_COUNT, WC_EDIT, "", 0}}});
        m.AddDialog(
            {IDD_PAGE3, "第三步", 300, 200, 0, {{IDC_READY, WC_BUTTON, "", BS_AUTOCHECKBOX}}});
        return m;
    }();
    return module;
}

CPropertySheet* Sheet(CWnd* page) { return static_cast<CPropertySheet*>(page->GetParent()); }

// Next only with a path; Next from here goes to page 3 when the path says so.
class CPage1 : public CPropertyPage {
public:
    CPage1() : CPropertyPage(IDD_PAGE1) { BindCommand(EN_CHANGE, IDC_PATH, &CPage1::OnPath); }
    CString m_path;
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_PATH, m_path); }
    BOOL OnSetActive() override {
        CPropertyPage::OnSetActive();
        OnPath();
        return TRUE;
    }
    void OnPath() {
        CString path;
        GetDlgItemText(IDC_PATH, path);
        Sheet(this)->SetWizardButtons(path.IsEmpty() ? 0 : PSWIZB_NEXT);
    }
    LRESULT OnWizardNext() override { return m_path == "skip" ? LRESULT{IDD_PAGE3} : 0; }
};

// Refuses to be shown for a missing file; refuses to be left with a bad count.
class CPage2 : public CPropertyPage {
public:
    explicit CPage2(CPage1& first) : CPropertyPage(IDD_PAGE2), m_first(first) {}
    int m_count = 3;
    int m_shown = 0;
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_COUNT, m_count);
        DDV_MinMaxInt(dx, m_count, 1, 10);
    }
    BOOL OnSetActive() override {
        if (m_first.m_path == "missing") {
            AfxMessageBox("初始化信息失败，请重试！", MB_ICONSTOP);
            return FALSE;
        }
        ++m_shown;
        Sheet(this)->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
        return CPropertyPage::OnSetActive();
    }

private:
    CPage1& m_first;
};

// Finish is shown disabled until the box is checked.
class CPage3 : public CPropertyPage {
public:
    CPage3() : CPropertyPage(IDD_PAGE3) {
        OnClicked(IDC_READY, [this] { Update(); });
    }
    int m_finished = 0;
    BOOL OnSetActive() override {
        Update();
        return CPropertyPage::OnSetActive();
    }
    void Update() {
        Sheet(this)->SetWizardButtons(
            PSWIZB_BACK | (IsDlgButtonChecked(IDC_READY) ? PSWIZB_FINISH : PSWIZB_DISABLEDFINISH));
    }
    BOOL OnWizardFinish() override {
        ++m_finished;
        return TRUE;
    }
};

struct Wizard {
    CPage1 p1;
    CPage2 p2{p1};
    CPage3 p3;
    CPropertySheet sheet{"文本文件导入向导"};
    Wizard() {
        sheet.AddPage(&p1);
        sheet.AddPage(&p2);
        sheet.AddPage(&p3);
        sheet.SetWizardMode();
    }
};

// What the wizard's buttons show on the active page.
CString Buttons(CWnd& page) {
    CWnd* sheet = page.GetParent();
    CString s;
    for (auto [id, name] :
         {std::pair{ID_WIZBACK, "Back"}, {ID_WIZNEXT, "Next"}, {ID_WIZFINISH, "Finish"}}) {
        CWnd* b = sheet->GetDlgItem(id);
        if (!b->IsWindowVisible()) continue;
        s += CString::Formatted("%s%s%s", s.IsEmpty() ? "" : " ", name,
                                b->IsWindowEnabled() ? "" : "(off)");
    }
    return s;
}

}  // namespace

TEST(WizardTest, NavigatesWithButtonFlagsAndRefusingPages) {
    CResourceHandle guard(&Module());
    Wizard w;
    std::vector<CString> seen;
    auto look = [&](CWnd& page) {
        seen.push_back(CString::Formatted("%u: %s", page.GetDlgCtrlID(), Buttons(page)));
    };
    ScriptedUi ui;
    ui.ExpectSheet("文本文件导入向导")
        .Do(look)
        .SetText(IDC_PATH, "missing")
        .Do(look)
        .Next()  // page 2 refuses to be shown: still page 1
        .Do(look)
        .SetText(IDC_PATH, "a.txt")
        .Next()
        .Do(look)
        .SetText(IDC_COUNT, "11")
        .Next()  // the count is out of range: page 2 cannot be left
        .Do(look)
        .SetText(IDC_COUNT, "4")
        .Next()
        .Do(look)
        .Check(IDC_READY)
        .Do(look)
        .Back()
        .Do(look)
        .Next()
        .Finish();
    ui.ExpectMessage("初始化信息失败，请重试！").Icon(MB_ICONERROR);
    ui.ExpectMessage("请输入一个在1 和10 之间的整数.");

    EXPECT_EQ(w.sheet.DoModal(), static_cast<INT_PTR>(ID_WIZFINISH));
    EXPECT_EQ(seen, (std::vector<CString>{
                        "9000: Back(off) Next(off)",
                        "9000: Back(off) Next",
                        "9000: Back(off) Next",
                        "9001: Back Next",
                        "9001: Back Next",
                        "9002: Back Finish(off)",
                        "9002: Back Finish",
                        "9001: Back Next",
                    }));
    EXPECT_EQ(w.p1.m_path, "a.txt");
    EXPECT_EQ(w.p2.m_count, 4);
    EXPECT_EQ(w.p2.m_shown, 2);
    EXPECT_EQ(w.p3.m_finished, 1);
}

TEST(WizardTest, DisabledButtonsCannotBePressedAndPagesCanBeSkipped) {
    CResourceHandle guard(&Module());
    {
        Wizard w;
        EXPECT_NONFATAL_FAILURE(
            {
                ScriptedUi ui;
                ui.ExpectSheet("文本文件导入向导").Next();
                EXPECT_EQ(w.sheet.DoModal(), IDCANCEL);
            },
            "step 1 (Next): Next: control 12324 is disabled");
    }
    Wizard w;
    ScriptedUi ui;
    // OnWizardNext names page 3: page 2 is never created.
    ui.ExpectSheet("文本文件导入向导")
        .SetText(IDC_PATH, "skip")
        .Next()
        .Do([](CWnd& page) { EXPECT_EQ(page.GetDlgCtrlID(), IDD_PAGE3); })
        .Cancel();
    EXPECT_EQ(w.sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(w.p2.m_shown, 0);
    EXPECT_FALSE(w.p2.GetSafeHwnd());
}

namespace {

// A settings sheet whose OK first asks the first page, as an import settings
// sheet does; pages never shown are not applied.
class CSelectPage : public CPropertyPage {
public:
    CSelectPage() : CPropertyPage(IDD_PAGE1) {}
    int m_applied = 0;
    int m_reset = 0;
    bool Confirm() {
        return AfxMessageBox("没有选择导入IE，文件打开后将不导入任何IE，是否继续？", MB_YESNO) ==
               IDYES;
    }
    void OnOK() override { ++m_applied; }
    void OnCancel() override { ++m_reset; }
};

class CCountPage : public CPropertyPage {
public:
    CCountPage() : CPropertyPage(IDD_PAGE2) {}
    int m_applied = 0;
    void OnOK() override { ++m_applied; }
};

class CSettingsSheet : public CPropertySheet {
public:
    CSettingsSheet() : CPropertySheet("文件导入设置") {
        m_psh.dwFlags |= PSH_NOAPPLYNOW;
        AddPage(&m_select);
        AddPage(&m_count);
        OnClicked(IDOK, [this] {
            if (m_select.Confirm()) PressButton(PSBTN_OK);
        });
    }
    CSelectPage m_select;
    CCountPage m_count;
};

}  // namespace

TEST(PropertySheetTest, OkCanBeVetoedAndAppliesOnlyCreatedPages) {
    CResourceHandle guard(&Module());
    CSettingsSheet sheet;
    ScriptedUi ui;
    ui.ExpectSheet("文件导入设置")
        .Do([](CWnd& page) {
            EXPECT_EQ(page.GetParent()->GetDlgItem(ID_APPLY_NOW), nullptr);
            EXPECT_NE(page.GetParent()->GetDlgItem(IDOK), nullptr);
        })
        .Ok()
        .Ok();
    ui.ExpectMessage("没有选择导入IE，文件打开后将不导入任何IE，是否继续？")
        .Buttons(MB_YESNO)
        .Icon(0)
        .Answer(IDNO);
    ui.ExpectMessage("没有选择导入IE，文件打开后将不导入任何IE，是否继续？").Answer(IDYES);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_select.m_applied, 1);
    EXPECT_EQ(sheet.m_count.m_applied, 0);

    // Visiting the second page makes it part of the OK; cancel resets.
    ui.ExpectSheet("文件导入设置").SelectPage(1).SelectPage(0).Cancel();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.m_select.m_reset, 1);
    ui.ExpectSheet("文件导入设置").SelectPage(1).Ok();
    ui.ExpectMessage("没有选择导入IE，文件打开后将不导入任何IE，是否继续？");
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_count.m_applied, 1);
}
