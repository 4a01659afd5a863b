// A small settings dialog written the way later dialogs are: a template,
// members exchanged with DDX/DDV, handlers bound in the constructor, and a
// scripted user.
#include "platform/ui/DataExchange.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {

enum : UINT {
    IDD_SETTINGS = 106,
    IDC_BY_TIME = 9089,
    IDC_BY_DISTANCE = 9090,
    IDC_TIME = 9093,
    IDC_DISTANCE = 9097,
    IDC_ENABLE = 9116,
    IDC_PARAM = 9111,
    IDC_NAME = 9083,
};

CResourceModule& Module() {
    static CResourceModule module = [] {
        CResourceModule m("tests");
        m.AddDialog({IDD_SETTINGS,
                     "合并平均",
                     210,
                     220,
                     0,
                     {
                         {IDC_BY_TIME, WC_BUTTON, "根据时间", BS_AUTORADIOBUTTON | WS_GROUP},
                         {IDC_BY_DISTANCE, WC_BUTTON, "根据距离", BS_AUTORADIOBUTTON},
                         {IDC_TIME, WC_EDIT, "", WS_GROUP | WS_TABSTOP},
                         {IDC_DISTANCE, WC_EDIT, "", WS_TABSTOP},
                         {IDC_ENABLE, WC_BUTTON, "启用合并平均", BS_AUTOCHECKBOX},
                         {IDC_PARAM, WC_COMBOBOX, "", CBS_DROPDOWNLIST},
                         {IDC_NAME, WC_EDIT, "", 0},
                         {IDOK, WC_BUTTON, "确定", BS_DEFPUSHBUTTON},
                         {IDCANCEL, WC_BUTTON, "取消", BS_PUSHBUTTON},
                     }});
        return m;
    }();
    return module;
}

class CSettingsDlg : public CDialog {
public:
    CSettingsDlg() : CDialog(IDD_SETTINGS) {
        BindCommand(BN_CLICKED, IDC_ENABLE, &CSettingsDlg::OnEnable);
        BindCommand(EN_CHANGE, IDC_NAME, &CSettingsDlg::OnNameChange);
    }
    int m_type = 0;
    int m_time = 1;
    int m_distance = 100;
    int m_enabled = 0;
    CString m_param = "PBCH_RSRQ";
    CString m_name;
    CComboBox m_paramList;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();  // binds m_paramList
        m_paramList.AddString("PBCH_RSRP");
        m_paramList.AddString("PBCH_RSRQ");
        UpdateData(FALSE);
        OnEnable();
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_PARAM, m_paramList);
        DDX_Radio(dx, IDC_BY_TIME, m_type);
        DDX_Check(dx, IDC_ENABLE, m_enabled);
        DDX_CBString(dx, IDC_PARAM, m_param);
        DDX_Text(dx, IDC_NAME, m_name);
        DDX_Text(dx, IDC_TIME, m_time);
        if (m_type == 0) DDV_MinMaxInt(dx, m_time, 1, 100000);
        DDX_Text(dx, IDC_DISTANCE, m_distance);
        if (m_type == 1) DDV_MinMaxInt(dx, m_distance, 1, 100000);
    }
    void OnEnable() { GetDlgItem(IDC_PARAM)->EnableWindow(IsDlgButtonChecked(IDC_ENABLE)); }
    // Names hold no blank: a change that brings one is taken back.
    void OnNameChange() {
        CString text;
        GetDlgItemText(IDC_NAME, text);
        if (text.Find(' ') >= 0) {
            MessageBox("名称中不能含有空格，请修改名称！", "Corvane Zivo", MB_ICONINFORMATION);
            SetDlgItemText(IDC_NAME, m_previousName);
            return;
        }
        m_previousName = text;
    }
    CString m_previousName;
};

UINT FocusId() { return CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0; }

}  // namespace

TEST(DataExchangeTest, ValidationMessagesKeepTheDialogOpenOnTheFailingControl) {
    AfxSetAppName("Corvane Zivo");
    CResourceHandle guard(&Module());
    ScriptedUi ui;
    std::vector<UINT> focus;
    ui.ExpectDialog(IDD_SETTINGS)
        .Do([](CWnd& dlg) {
            EXPECT_EQ(dlg.GetDlgItem(IDC_TIME)->GetWindowText(), "1");
            EXPECT_EQ(static_cast<CComboBox*>(dlg.GetDlgItem(IDC_PARAM))->GetCurSel(), 1);
        })
        .SetText(IDC_TIME, "12a")
        .Ok()
        .Do([&](CWnd&) { focus.push_back(FocusId()); })
        .SetText(IDC_TIME, "0")
        .Ok()
        .Do([&](CWnd&) { focus.push_back(FocusId()); })
        // Only the chosen type's field is range-checked.
        .Click(IDC_BY_DISTANCE)
        .SetText(IDC_DISTANCE, " 250 ")
        .Ok();
    ui.ExpectMessage("请输入一个整数.").Caption("Corvane Zivo").Icon(MB_ICONEXCLAMATION);
    ui.ExpectMessage("请输入一个在1 和100000 之间的整数.")
        .Caption("Corvane Zivo")
        .Icon(MB_ICONEXCLAMATION)
        .Buttons(MB_OK);

    CSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(focus, (std::vector<UINT>{IDC_TIME, IDC_TIME}));
    EXPECT_EQ(dlg.m_type, 1);
    EXPECT_EQ(dlg.m_time, 0);
    EXPECT_EQ(dlg.m_distance, 250);
    EXPECT_EQ(dlg.m_param, "PBCH_RSRQ");
}

TEST(DataExchangeTest, NumbersThatDoNotParseAsOneInteger) {
    CResourceHandle guard(&Module());
    // Each text is typed into the time field; a bad one shows the message.
    const struct {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"42", true, 42},  {"-7", false, 0},  {"+15", true, 15},         {"", false, 0},
        {"1 2", false, 0}, {"3.5", false, 0}, {"99999999999", false, 0}, {"100000", true, 100000},
        {"\t8", true, 8}};
    for (const auto& c : cases) {
        ScriptedUi ui;
        auto& script = ui.ExpectDialog(IDD_SETTINGS).SetText(IDC_TIME, c.text).Ok();
        if (!c.ok) {
            script.Cancel();
            const bool range = CString(c.text) == "-7";
            ui.ExpectMessage(range ? "请输入一个在1 和100000 之间的整数." : "请输入一个整数.");
        }
        CSettingsDlg dlg;
        EXPECT_EQ(dlg.DoModal(), c.ok ? IDOK : IDCANCEL) << c.text;
        if (c.ok) {
            EXPECT_EQ(dlg.m_time, c.value) << c.text;
        }
    }
}

TEST(DataExchangeTest, HandlersSeeChangesAndDisabledControlsRefuseTheUser) {
    CResourceHandle guard(&Module());
    std::vector<CString> failures;
    {
        ScriptedDriver ui([&](const CString& f) { failures.push_back(f); });
        ui.ExpectDialog(IDD_SETTINGS)
            .SetText(IDC_NAME, "ab")
            .SetText(IDC_NAME, "a b")
            .Do([](CWnd& dlg) { EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->GetWindowText(), "ab"); })
            .Select(IDC_PARAM, "PBCH_RSRP");  // disabled until enabled
        ui.ExpectMessage("名称中不能含有空格，请修改名称！").Icon(MB_ICONINFORMATION);
        CSettingsDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_name, "");  // cancelled: nothing stored
        EXPECT_EQ(ui.Pending(), 0);
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0],
              "dialog 106 \"合并平均\": step 4 (select \"PBCH_RSRP\" in 9111): control 9111 is "
              "disabled");

    ScriptedUi ui;
    ui.ExpectDialog(IDD_SETTINGS).Check(IDC_ENABLE).Select(IDC_PARAM, "PBCH_RSRP").Ok();
    CSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_enabled, 1);
    EXPECT_EQ(dlg.m_param, "PBCH_RSRP");
}

TEST(DataExchangeTest, UnexpectedDialogIsCancelledAndNamed) {
    CResourceHandle guard(&Module());
    std::vector<CString> failures;
    {
        ScriptedDriver ui([&](const CString& f) { failures.push_back(f); });
        ui.ExpectDialog(999);
        CSettingsDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ui.VerifyDone();
    }
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "unexpected dialog 106 \"合并平均\"; expected dialog 999");
    EXPECT_EQ(failures[1], "expected dialog 999, which never came");
}

TEST(DataExchangeTest, ScriptThatLeavesTheDialogOpenFails) {
    CResourceHandle guard(&Module());
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.ExpectDialog(IDD_SETTINGS).SetText(IDC_TIME, "5");
            CSettingsDlg dlg;
            dlg.DoModal();
        },
        "dialog 106 \"合并平均\" is still open after its script");
}
