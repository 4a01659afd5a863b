#include "platform/ui/ConsoleDriver.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgressWnd.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Styles.h"

using namespace platform::ui;

namespace {

enum : UINT { IDD_CUT = 9009, IDC_SOURCE = 9065, IDC_BROWSE = 9128, IDC_MINUTES = 9140 };

CResourceModule& Module() {
    static CResourceModule module = [] {
        CResourceModule m("logio");
        m.AddDialog({IDD_CUT,
                     "截取日志文件",
                     200,
                     120,
                     0,
                     {
                         {IDC_SOURCE, WC_EDIT, "", ES_READONLY},
                         {IDC_BROWSE, WC_BUTTON, "浏览...(&S)", BS_PUSHBUTTON},
                         {IDC_MINUTES, WC_EDIT, "", 0},
                         {IDOK, WC_BUTTON, "确定", BS_DEFPUSHBUTTON},
                         {IDCANCEL, WC_BUTTON, "取消", BS_PUSHBUTTON},
                     }});
        return m;
    }();
    return module;
}

// Picks its source through a file dialog; its length must be 1 to 60.
class CCutDlg : public CDialog {
public:
    CCutDlg() : CDialog(IDD_CUT) {
        OnClicked(IDC_BROWSE, [this] { Browse(); });
    }
    CString m_source;
    int m_minutes = 0;
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_SOURCE, m_source);
        DDX_Text(dx, IDC_MINUTES, m_minutes);
        DDV_MinMaxInt(dx, m_minutes, 1, 60);
    }
    void Browse() {
        CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Log File (*.log)|*.log||", this);
        dlg.m_ofn.lpstrTitle = "选择源文件";
        if (dlg.DoModal() == IDOK) SetDlgItemText(IDC_SOURCE, dlg.GetPathName());
    }
    void OnOK() override {
        if (!UpdateData(TRUE)) return;
        if (AfxMessageBox("确定截取?", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        AfxMessageBox(CString::Formatted("截取日志文件 %s 成功！", m_source), MB_ICONINFORMATION);
        EndDialog(IDOK);
    }
};

// Captures what the driver writes.
struct Output {
    char* data = nullptr;
    size_t size = 0;
    std::FILE* stream = open_memstream(&data, &size);
    ~Output() {
        std::fclose(stream);
        std::free(data);
    }
    CString Text() {
        std::fflush(stream);
        return CString(data, static_cast<int>(size));
    }
};

}  // namespace

TEST(ConsoleDriverTest, SmallDialogAnsweredByPresets) {
    AfxSetAppName("Corvane Zivo");
    CResourceHandle guard(&Module());
    Output out;
    CCutDlg dlg;
    {
        ConsoleDriver ui(out.stream, 0);
        ui.PresetDialog(IDD_CUT)
            .Click(IDC_BROWSE)
            .SetText(IDC_MINUTES, "90")
            .Ok()
            .SetText(IDC_MINUTES, "5")
            .Ok();
        ui.PresetFiles("选择源文件", {"/data/a.log"});
        ui.PresetAnswer("确定截取?", IDYES);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(ui.Errors().empty());
    }
    EXPECT_EQ(dlg.m_source, "/data/a.log");
    EXPECT_EQ(dlg.m_minutes, 5);
    EXPECT_EQ(out.Text(),
              "warning: 请输入一个在1 和60 之间的整数.\n"
              "question: 确定截取? -> Yes\n"
              "information: 截取日志文件 /data/a.log 成功！\n");
}

TEST(ConsoleDriverTest, WhatNoPresetAnswersIsAnErrorNamingIt) {
    CResourceHandle guard(&Module());
    Output out;
    ConsoleDriver ui(out.stream, 0);
    // The dialog itself has no preset: cancelled.
    CCutDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // A file dialog without one; a question without one gets the cautious answer.
    ui.PresetDialog(IDD_CUT).Click(IDC_BROWSE).Cancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("是否继续？", MB_YESNO), IDNO);
    // A sheet whose page is missing from the module.
    CPropertySheet sheet("网元数据导入向导");
    CPropertyPage page(9018);
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), -1);
    EXPECT_EQ(ui.Errors(),
              (std::vector<CString>{
                  "no answer for dialog 9009 \"截取日志文件\"",
                  "no answer for the open file dialog \"选择源文件\"",
                  "property sheet \"网元数据导入向导\": page 9018 is not in the current resource "
                  "module \"logio\"",
              }));
    EXPECT_NE(out.Text().Find("error: no answer for dialog 9009 \"截取日志文件\"\n"), -1);
    EXPECT_NE(out.Text().Find("是否继续？ -> No\n"), -1);
}

TEST(ConsoleDriverTest, ProgressLinesAndCtrlCCancels) {
    Output out;
    ConsoleDriver ui(out.stream, 0);
    CProgressWnd wnd(TRUE);
    wnd.GoModal("导入文本文件进度", 0);
    wnd.SetText("导入文本文件：%s", CString("a.txt"));
    wnd.SetRange(0, 1000);
    int stoppedAt = -1;
    for (int pos = 100; pos <= 1000; pos += 100) {
        if (pos == 400) ::raise(SIGINT);  // the user presses Ctrl-C
        wnd.SetPos(pos);
        if (!wnd.PeekAndPump(TRUE)) {
            stoppedAt = pos;
            break;
        }
    }
    wnd.DestroyWindow();
    EXPECT_EQ(stoppedAt, 400);
    EXPECT_EQ(out.Text(),
              "导入文本文件进度\n"
              "导入文本文件：a.txt 0%\n"
              "导入文本文件：a.txt 10%\n"
              "导入文本文件：a.txt 20%\n"
              "导入文本文件：a.txt 30%\n"
              "导入文本文件：a.txt 40%\n"
              "导入文本文件进度: cancelled\n");

    // On a terminal: one bar redrawn in place; Ctrl-C is the program's own again.
    Output term;
    ConsoleDriver bar(term.stream, 1);
    CProgressWnd second;
    second.GoModal("导入日志文件进度", 0);
    second.SetRange(0, 100);
    second.SetPos(50);
    EXPECT_TRUE(second.PeekAndPump());
    second.SetPos(100);
    second.DestroyWindow();
    EXPECT_EQ(term.Text(),
              "\r导入日志文件进度 [..............................]   0%"
              "\r导入日志文件进度 [###############...............]  50%"
              "\r导入日志文件进度 [##############################] 100%\n");
    struct sigaction now = {};
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}
