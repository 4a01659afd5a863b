#include "platform/ui/MessageBox.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {
// A stand-in owner: message boxes only carry the pointer.
CWnd* FakeWindow(int n) { return reinterpret_cast<CWnd*>(static_cast<std::uintptr_t>(0x1000 * n)); }
}  // namespace

TEST(MessageBoxTest, AnswersAndRecordsEveryMessage) {
    AfxSetAppName("Corvane Zivo");
    AfxSetMainWnd(FakeWindow(1));
    ScriptedUi ui;
    ui.ExpectMessage("导入日志文件：a.log 失败! \n")
        .Caption("Corvane Zivo")
        .Icon(MB_ICONERROR)
        .Buttons(MB_OK)
        .Owner(FakeWindow(1));
    ui.ExpectMessage("是否覆盖?").Icon(MB_ICONQUESTION).Buttons(MB_YESNO).Answer(IDNO);
    ui.ExpectMessage("继续?").Caption("标题");
    ui.ExpectMessage("yes by default").Buttons(MB_YESNO);

    EXPECT_EQ(AfxMessageBox("导入日志文件：a.log 失败! \n", MB_ICONERROR), IDOK);
    EXPECT_EQ(AfxMessageBox("是否覆盖?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(FakeWindow(2), "继续?", "标题", MB_OKCANCEL), IDOK);
    EXPECT_EQ(AfxMessageBox("yes by default", MB_YESNO), IDYES);

    ASSERT_EQ(ui.Messages().size(), 4u);
    EXPECT_EQ(ui.Messages()[0].caption, "Corvane Zivo");
    EXPECT_EQ(ui.Messages()[0].owner, FakeWindow(1));
    EXPECT_EQ(ui.Messages()[1].answer, IDNO);
    EXPECT_EQ(ui.Messages()[2].owner, FakeWindow(2));
    EXPECT_EQ(ui.Messages()[2].Buttons(), MB_OKCANCEL);
    AfxSetMainWnd(nullptr);
}

TEST(MessageBoxTest, EmptyCaptionShowsTheApplicationName) {
    AfxSetAppName("Corvane Zivo");
    ScriptedUi ui;
    ui.ExpectMessage("x").Caption("Corvane Zivo");
    MessageBox(nullptr, "x", "", MB_OK);
}

TEST(ScriptedDriverTest, UnexpectedMessageFailsNamingItAndGetsTheCautiousAnswer) {
    std::vector<CString> failures;
    {
        ScriptedDriver ui([&](const CString& f) { failures.push_back(f); });
        EXPECT_EQ(AfxMessageBox("确定删除?", MB_YESNO | MB_ICONWARNING), IDNO);
        EXPECT_EQ(AfxMessageBox("继续?", MB_OKCANCEL), IDCANCEL);
        ASSERT_EQ(ui.Messages().size(), 2u);
    }
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].Find("unexpected message box \"确定删除?\""), -1) << failures[0];
    EXPECT_NE(failures[0].Find("warning"), -1) << failures[0];
    EXPECT_NE(failures[0].Find("Yes-No"), -1) << failures[0];
}

TEST(ScriptedDriverTest, DifferencesAndMissingInteractionsAreTestFailures) {
    // Through the GoogleTest binding: each is a non-fatal failure of the test.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.ExpectMessage("请输入一个整数.");
            AfxMessageBox("请输入一个整数。");
        },
        "unexpected message box \"请输入一个整数。\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.ExpectMessage("a").Icon(MB_ICONWARNING);
            AfxMessageBox("a", MB_ICONERROR);
        },
        "icon should be warning");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.ExpectMessage("a").Answer(IDYES);
            AfxMessageBox("a", MB_OK);
        },
        "cannot answer Yes");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.ExpectMessage("never shown");
        },
        "expected message box \"never shown\", which never came");
}

TEST(ScriptedDriverTest, RestoresThePreviousDriver) {
    IUiDriver& before = CurrentDriver();
    {
        ScriptedUi outer;
        {
            ScriptedUi inner;
            EXPECT_EQ(&CurrentDriver(), &inner);
        }
        EXPECT_EQ(&CurrentDriver(), &outer);
    }
    EXPECT_EQ(&CurrentDriver(), &before);
}
