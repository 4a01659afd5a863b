#include "platform/ui/Resource.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/Dialog.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {
CResourceModule MakeModule(const char* name) {
    CResourceModule m(name);
    m.AddDialog({9009, "截取日志文件", 200, 100, 0, {}});
    m.AddString(61, "导入操作出现错误，请重试或重启系统！");
    m.AddBitmap(9000, 96, 16);
    return m;
}
}  // namespace

TEST(ResourceGuardTest, RestoresThePreviousModuleOnEveryExit) {
    CResourceModule host("host"), logio = MakeModule("logio");
    AfxSetResourceHandle(&host);
    {
        CResourceHandle guard(&logio);
        EXPECT_EQ(AfxGetResourceHandle(), &logio);
        {
            CResourceHandle inner(&host);
            EXPECT_EQ(AfxGetResourceHandle(), &host);
        }
        EXPECT_EQ(AfxGetResourceHandle(), &logio);
    }
    EXPECT_EQ(AfxGetResourceHandle(), &host);
    try {
        CResourceHandle guard(&logio);
        throw std::runtime_error("import failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(AfxGetResourceHandle(), &host);
    AfxSetResourceHandle(nullptr);
}

TEST(ResourceGuardTest, DialogFromAModuleThatIsNotCurrentFailsVisibly) {
    CResourceModule host("host"), logio = MakeModule("logio");
    std::vector<CString> failures;
    {
        ScriptedDriver ui([&](const CString& f) { failures.push_back(f); });
        CDialog dlg(9009);
        {
            CResourceHandle guard(&host);  // the guard for logio is missing
            EXPECT_EQ(dlg.DoModal(), -1);
        }
        EXPECT_EQ(dlg.DoModal(), -1);  // no module at all

        CPropertySheet sheet("文件导入设置");
        CPropertyPage page(9005);
        sheet.AddPage(&page);
        CResourceHandle guard(&logio);
        EXPECT_EQ(sheet.DoModal(), -1);  // its page is not in logio either

        ui.ExpectDialog(9009, "截取日志文件").Cancel();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(failures, (std::vector<CString>{
                            "dialog 9009 is not in the current resource module \"host\"",
                            "dialog 9009: no resource module is current",
                            "property sheet \"文件导入设置\": page 9005 is not in the current "
                            "resource module \"logio\"",
                        }));
}

TEST(ResourceGuardTest, StringsAndBitmapsComeFromTheCurrentModule) {
    CResourceModule logio = MakeModule("logio");
    CImageList images;
    EXPECT_FALSE(images.Create(9000, 16, 1, RGB(255, 255, 255)));
    EXPECT_EQ(LoadResString(61), "");
    CResourceHandle guard(&logio);
    ASSERT_TRUE(images.Create(9000, 16, 1, RGB(255, 255, 255)));
    EXPECT_EQ(images.GetImageCount(), 6);
    ScriptedUi ui;
    ui.ExpectMessage("导入操作出现错误，请重试或重启系统！").Icon(MB_ICONERROR);
    AfxMessageBox(61, MB_ICONERROR);
}
