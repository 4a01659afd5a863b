#include "platform/ui/ProgressWnd.h"

#include <gtest/gtest.h>

#include "platform/WaitCursor.h"
#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {
// A run as the importers do it: pump at every step, stop on cancel.
int RunImport(CProgressWnd& wnd, int steps) {
    wnd.GoModal("导入文本文件进度", 0);
    wnd.SetText("导入文本文件：%s", CString("a.txt"));
    wnd.SetRange(0, steps, 1);
    for (int i = 1; i <= steps; ++i) {
        if (wnd.Cancelled()) return -1;
        wnd.SetPos(i);
        wnd.PeekAndPump(TRUE);
    }
    return 1;
}
}  // namespace

TEST(ProgressWndTest, IsObservedFromOpeningToClosing) {
    ScriptedUi ui;
    {
        CProgressWnd wnd(TRUE);
        EXPECT_EQ(RunImport(wnd, 4), 1);
        wnd.SetText("100%");
        EXPECT_EQ(wnd.GetPercent(), 100);
    }
    ASSERT_EQ(ui.Progress().size(), 1u);
    const ProgressRecord& rec = ui.Progress()[0];
    EXPECT_EQ(rec.title, "导入文本文件进度");
    EXPECT_EQ(rec.texts, (std::vector<CString>{"导入文本文件：a.txt", "100%"}));
    EXPECT_EQ(rec.positions, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(rec.upper, 4);
    EXPECT_EQ(rec.pumps, 4);
    EXPECT_TRUE(rec.closed);
    EXPECT_FALSE(rec.cancelled);
}

TEST(ProgressWndTest, UserCancelsAtAPosition) {
    ScriptedUi ui;
    ui.ExpectProgress().Title("导入文本文件进度").CancelAt(3);
    CProgressWnd wnd;
    EXPECT_EQ(RunImport(wnd, 10), -1);
    EXPECT_TRUE(wnd.Cancelled());
    EXPECT_FALSE(wnd.PeekAndPump());
    EXPECT_EQ(wnd.GetPos(), 3);
    EXPECT_TRUE(ui.Progress()[0].cancelled);
}

TEST(ProgressWndTest, TextWithoutArgumentsIsTakenAsItIs) {
    CProgressWnd wnd;
    wnd.SetText("50% done");
    EXPECT_EQ(wnd.GetText(), "50% done");
    wnd.SetRange(0, 10);
    wnd.SetPos(25);  // clamped to the range
    EXPECT_EQ(wnd.GetPos(), 10);
}

TEST(WaitCursorTest, TheDriverSeesTheCursor) {
    ScriptedUi ui;
    {
        CWaitCursor outer;
        CWaitCursor inner;  // nested: shown once
    }
    CWaitCursor again;
    EXPECT_EQ(ui.WaitCursorShows(), 2);
}
