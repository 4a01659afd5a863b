#include "platform/ui/FileDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "platform/ui/MessageBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = CString::Formatted("/tmp/platform_ui_fd_%d", ::getpid());
        ::mkdir(m_dir, 0700);
        for (const char* name : {"a.log", "b.log", "c.log"}) Touch(name);
    }
    void TearDown() override {
        for (const char* name : {"a.log", "b.log", "c.log", "new.txt"}) std::remove(Path(name));
        ::rmdir(m_dir);
    }
    CString Path(const char* name) const { return m_dir + "/" + name; }
    void Touch(const char* name) {
        if (FILE* f = std::fopen(Path(name), "w")) std::fclose(f);
    }
    CString m_dir;
};

}  // namespace

TEST_F(FileDialogTest, MultiSelectionFillsTheBufferAndIsWalkedInOrder) {
    ScriptedUi ui;
    ui.ExpectFileDialog()
        .Open()
        .Title("选择日志文件")
        .Inspect([&](const FileDialogRequest& r) {
            EXPECT_EQ(r.initialDirectory, m_dir);
            ASSERT_EQ(r.filters.size(), 2u);
            EXPECT_EQ(r.filters[0].description, "日志文件(*.log)");
            EXPECT_EQ(r.filters[0].pattern, "*.log;*.loc");
            EXPECT_EQ(r.filters[1].pattern, "*.*");
            EXPECT_EQ(r.bufferSize, 65535u);
            EXPECT_TRUE(r.flags & OFN_ALLOWMULTISELECT);
        })
        .Answer({Path("b.log"), "a.log"});

    std::vector<char> buffer(65535, '\0');
    CFileDialog dlg(TRUE, nullptr, nullptr,
                    OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                    "日志文件(*.log)|*.log;*.loc|所有文件(*.*)|*.*||");
    dlg.m_ofn.lpstrTitle = "选择日志文件";
    dlg.m_ofn.lpstrInitialDir = m_dir;
    dlg.m_ofn.lpstrFile = buffer.data();
    dlg.m_ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ASSERT_EQ(dlg.DoModal(), IDOK);

    // The folder, then each name, the list ended by a second zero.
    const std::string expect = m_dir.str() + '\0' + "b.log" + '\0' + "a.log" + '\0' + '\0';
    EXPECT_EQ(std::string(buffer.data(), expect.size()), expect);
    std::vector<CString> walked;
    for (POSITION pos = dlg.GetStartPosition(); pos;) walked.push_back(dlg.GetNextPathName(pos));
    EXPECT_EQ(walked, (std::vector<CString>{Path("b.log"), Path("a.log")}));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogTest, SelectionThatDoesNotFitReportsBufferTooSmall) {
    // The folder and 3 names of 5 bytes do not fit in 30 bytes.
    const CString dir = m_dir;
    ScriptedUi ui;
    ui.ExpectFileDialog().Answer({Path("a.log"), Path("b.log"), Path("c.log")});
    ui.ExpectFileDialog().Overflow();
    ui.ExpectFileDialog().Answer(Path("a.log"));

    char small[256] = {};
    OPENFILENAME ofn;
    ofn.lpstrFile = small;
    ofn.nMaxFile = 30;
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 12291u);
    // The size needed sits in the first two bytes.
    WORD need = 0;
    std::memcpy(&need, small, sizeof need);
    EXPECT_EQ(need, dir.GetLength() + 1 + 3 * 6 + 1);

    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);

    std::memset(small, 0, sizeof small);
    ofn.nMaxFile = static_cast<DWORD>(Path("a.log").GetLength() + 2);
    EXPECT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(CString(small), Path("a.log"));
}

TEST_F(FileDialogTest, PlainOpenAndSaveAsAPlugInCallsThem) {
    // No owner, filter, title or flags; a 260-byte buffer.
    ScriptedUi ui;
    ui.ExpectFileDialog().Open().Title("打开").Answer(Path("a.log"));
    ui.ExpectFileDialog().Save().Title("另存为").Answer(Path("new.txt"));
    ui.ExpectFileDialog().Open().Cancel();

    char name[260] = {};
    OPENFILENAME ofn;
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(CString(name), Path("a.log"));
    EXPECT_EQ(CString(name + ofn.nFileOffset), "a.log");
    EXPECT_EQ(CString(name + ofn.nFileExtension), "log");

    name[0] = '\0';
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(CString(name), Path("new.txt"));

    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);  // a cancel is no error
}

TEST_F(FileDialogTest, SystemChecksKeepTheDialogOpen) {
    ScriptedUi ui;
    // Must-exist: a missing file is refused, the user tries again.
    ui.ExpectFileDialog().Answer(Path("missing.log"));
    ui.ExpectMessage("missing.log\n找不到文件。\n请检查文件名是否正确，然后重试。")
        .Caption("打开")
        .Icon(MB_ICONWARNING);
    ui.ExpectFileDialog().Answer(Path("a.log"));
    // Overwrite prompt: declined, then a new name with the default extension.
    ui.ExpectFileDialog().Save().Answer(Path("b.log"));
    ui.ExpectMessage("b.log 已存在。\n要替换它吗?").Buttons(MB_YESNO).Answer(IDNO);
    ui.ExpectFileDialog().Save().Answer(Path("new"));

    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST);
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), Path("a.log"));
    EXPECT_EQ(open.GetFileTitle(), "a");
    EXPECT_EQ(open.GetFileExt(), "log");
    EXPECT_EQ(open.GetFolderPath(), m_dir);

    CFileDialog save(FALSE, "txt", nullptr, OFN_OVERWRITEPROMPT);
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), Path("new.txt"));
}

TEST_F(FileDialogTest, UnexpectedFileDialogIsCancelledAndFails) {
    std::vector<CString> failures;
    {
        ScriptedDriver ui([&](const CString& f) { failures.push_back(f); });
        ui.ExpectMessage("first");
        CFileDialog dlg(FALSE);
        dlg.m_ofn.lpstrTitle = "导出";
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "unexpected save file dialog \"导出\"; expected message box \"first\"");
}

namespace {

// An import dialog: a child template with a settings button that opens a
// property sheet while the file dialog stays open.
class CImportFileDialog : public CFileDialog {
public:
    CImportFileDialog()
        : CFileDialog(TRUE, nullptr, nullptr,
                      OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST) {
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = 9004;
        m_ofn.lpstrTitle = "选择日志文件";
        OnClicked(9063, [this] {
            CPropertySheet sheet("文件导入设置");
            CPropertyPage page(9005);
            sheet.AddPage(&page);
            m_settingsResult = static_cast<int>(sheet.DoModal());
        });
    }
    int m_settingsResult = 0;
};

CResourceModule& ImportModule() {
    static CResourceModule module = [] {
        CResourceModule m("logio");
        m.AddDialog({9004, "", 300, 30, 0, {{9063, WC_BUTTON, "导入设置(&I)", BS_PUSHBUTTON}}});
        m.AddDialog({9005, "参数选择", 300, 200, 0, {}});
        return m;
    }();
    return module;
}

}  // namespace

TEST_F(FileDialogTest, ChildTemplateButtonsWorkBeforeChoosing) {
    CResourceHandle guard(&ImportModule());
    ScriptedUi ui;
    ui.ExpectFileDialog()
        .Title("选择日志文件")
        .Do([](CWnd& dlg) { EXPECT_EQ(dlg.GetDlgItem(9063)->GetWindowText(), "导入设置(&I)"); })
        .Click(9063)
        .Answer({Path("a.log"), Path("c.log")});
    ui.ExpectSheet("文件导入设置").Ok();
    CImportFileDialog dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_settingsResult, IDOK);
    EXPECT_EQ(dlg.GetPathNames(), (std::vector<CString>{Path("a.log"), Path("c.log")}));
    EXPECT_FALSE(dlg.GetSafeHwnd());

    // Without its module the child template is missing: the dialog fails.
    CResourceHandle none(nullptr);
    std::vector<CString> failures;
    ScriptedDriver quiet([&](const CString& f) { failures.push_back(f); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_FINDRESFAILURE);
    EXPECT_EQ(failures, (std::vector<CString>{"dialog 9004: no resource module is current"}));
}
