#include "logio/host/Project.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "host/IETable.h"
#include "logio/host/Factory.h"
#include "logio/host/MemDataRow.h"

namespace {
CString TempDir(const char* name) {
    const CString dir = CString::Formatted("/tmp/host_project_%d_%s", ::getpid(), name);
    std::system(CString::Formatted("rm -rf '%s'", dir));
    return dir;
}

CProjectLogfile SampleLog() {
    CProjectStream s1, s2;
    s1.SetStreamName("UE1_TD");
    s1.SetStreamType("1");
    s1.SetProtocol("TD-SCDMA");
    s1.SetFilterOperator("AND");
    s2 = s1;
    s2.SetStreamName("UE1_GSM");
    s2.SetProtocol("GSM");
    CProjectLogfile log;
    log.SetLogFileName("drive.log");
    log.SetLogFilePath("/data/logs/drive.log");
    log.SetFacType(7);
    log.SetStreams({{"UE1_TD", s1}, {"UE1_GSM", s2}});
    return log;
}
}  // namespace

TEST(ProjectTest, EveryRecordSurvivesSaveAndReopen) {
    const CString dir = TempDir("roundtrip");
    CString error;
    {
        CProject p;
        ASSERT_TRUE(p.Create(dir, &error)) << error.GetString();
        p.AddProjectLogFile(SampleLog());
        struct_BinningSetting b;
        b.eBinningType = BINNING_GRID;
        b.eValueType = BINNING_AVERAGE;
        b.nBinningTime = 5;
        b.nBinningDistance = 50;
        b.nGridHeight = 20;
        b.nGridWidth = 30;
        b.strUEParam = "PCCPCH_RSCP";
        b.strScannerParam = "扫频 RSCP";
        p.AddBinningSetting("drive.log", b);
        CImportSetting imp;
        imp.AddLogFile("/data/logs/drive.log");
        imp.SetParamSetting(
            {{"PCCPCH_RSCP", {"PCCPCH_RSCP", -115, -25}}, {"MsgName", {"MsgName", -255, -255}}});
        p.AddImpSetting(imp);
        CProjectTxtFile txt;
        txt.SetTxtName("walk.txt");
        txt.SetTxtPath("/data/walk.txt");
        p.AddTxtFile(txt);
        p.m_bModified = true;
        ASSERT_TRUE(p.Save(&error)) << error.GetString();
        EXPECT_FALSE(p.m_bModified);
    }
    CProject q;
    ASSERT_TRUE(q.Open(dir + "/", &error)) << error.GetString();
    EXPECT_EQ(q.GetPath(), dir);
    CProjectLogfile* log = q.GetNTLog().GetProjectLogFileByPath("/data/logs/drive.log");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(*log, SampleLog());
    EXPECT_EQ(q.GetNTLog().GetProjectLogFileByPath("/data/other.log"), nullptr);

    struct_BinningSetting b;
    ASSERT_TRUE(
        q.GetBinningSetting("/data/logs/drive.log", b));  // by path finds the name's setting
    EXPECT_EQ(b.eBinningType, BINNING_GRID);
    EXPECT_EQ(b.eValueType, BINNING_AVERAGE);
    EXPECT_EQ(b.nBinningTime, 5);
    EXPECT_EQ(b.nBinningDistance, 50);
    EXPECT_EQ(b.nGridHeight, 20);
    EXPECT_EQ(b.nGridWidth, 30);
    EXPECT_EQ(b.strUEParam, "PCCPCH_RSCP");
    EXPECT_EQ(b.strScannerParam, "扫频 RSCP");

    const ImpIESettingMap ies = q.GetImpSettingByLogFile("/data/logs/drive.log");
    ASSERT_EQ(ies.size(), 2u);
    EXPECT_EQ(ies.at("PCCPCH_RSCP").dMin, -115);
    EXPECT_EQ(ies.at("PCCPCH_RSCP").dMax, -25);
    EXPECT_TRUE(q.GetImpSettingByLogFile("/nope.log").empty());
    ASSERT_NE(q.GetProjectTxtFileByName("walk.txt"), nullptr);
    EXPECT_EQ(q.GetProjectTxtFileByName("walk.txt")->GetTxtPath(), "/data/walk.txt");

    EXPECT_TRUE(q.RemoveLogFile("/data/logs/drive.log"));
    EXPECT_FALSE(q.GetBinningSetting("drive.log", b));
    ASSERT_TRUE(q.Save(&error));
    CProject r;
    ASSERT_TRUE(r.Open(dir, &error));
    EXPECT_TRUE(r.GetNTLog().GetLogFiles().empty());
    std::system(CString::Formatted("rm -rf '%s'", dir));
}

TEST(ProjectTest, BinningDescriptionsFollowTheirOwnObject) {
    struct_BinningSetting a;
    a.nBinningTime = 9;
    struct_BinningSetting b(a);
    a.nBinningTime = 1;  // must not show through b's description
    EXPECT_EQ(b.describe.ToTexts().at("BinningTime"), "9");
    const auto texts = b.describe.ToTexts();
    EXPECT_EQ(texts.size(), 8u);
    EXPECT_TRUE(texts.count("BiningType"));
    struct_BinningSetting c;
    EXPECT_FALSE(c.describe.FromTexts({{"GridWidth", "wide"}}));
    EXPECT_EQ(c.nGridWidth, 0);
}

TEST(ProjectTest, RefusesWhatIsNotAProject) {
    CString error;
    CProject p;
    EXPECT_FALSE(p.Open("/nonexistent/project", &error));
    EXPECT_NE(error.Find("/nonexistent/project"), -1);
    const CString dir = TempDir("notdb");
    std::system(CString::Formatted("mkdir -p '%s' && echo garbage > '%s/project.db'", dir, dir));
    EXPECT_FALSE(p.Open(dir, &error));
    EXPECT_FALSE(p.IsOpen());
    EXPECT_FALSE(p.Save(&error));
    const CString made = TempDir("twice");
    EXPECT_TRUE(p.Create(made, &error));
    CProject q;
    EXPECT_FALSE(q.Create(made, &error));  // never overwrites a project
    std::system(CString::Formatted("rm -rf '%s' '%s'", dir, made));
}

TEST(ProjectTest, TableQueriesAndMapper) {
    auto ies = std::make_shared<CIETable>();
    auto events = std::make_shared<CEventTable>();
    ASSERT_TRUE(
        ies->LoadText("2 RecordTime 5 s - - Independent/Record_Info\n"
                      "2379 Longitude 5 deg -180 180 Independent/Position\n",
                      "test"));
    ASSERT_TRUE(events->LoadText("1610 FileMark\n", "test"));
    CProject p;
    p.SetTables({ies, events});
    EXPECT_EQ(p.GetIEID("Longitude"), 2379);
    EXPECT_EQ(p.GetIEID("Nothing"), -255);
    EXPECT_EQ(p.GetIEName(2), "RecordTime");
    EXPECT_EQ(p.GetIEName(3), "");
    EXPECT_EQ(p.GetEventName(1610), "FileMark");
    EXPECT_EQ(p.GetIEMemType(2379), 5);
    EXPECT_EQ(g_memDataType.GetType(2379), MEMTABLE_FIELD_FLOAT);
    EXPECT_EQ(p.GetIEUnitByIEName("Longitude"), "deg");
    double mx = 0, mn = 0;
    ASSERT_TRUE(p.GetIEValueRangeByName("Longitude", mx, mn));
    EXPECT_EQ(mx, 180);
    EXPECT_EQ(mn, -180);
    EXPECT_FALSE(p.GetIEValueRangeByName("Nothing", mx, mn));

    const CString dir = TempDir("mapper");
    CString error;
    IDBMapper* mapper = CFactory::Instance()->CreateDBMapper();
    double lon, lat;
    EXPECT_FALSE(mapper->GetSitePosition(5, lon, lat));  // no project open
    ASSERT_TRUE(g_project.Create(dir, &error));
    EXPECT_TRUE(mapper->HasTable("CellSite"));
    EXPECT_FALSE(mapper->HasTable("NoSuchTable"));
    ASSERT_NE(g_project.GetDatabase(), nullptr);
    g_project.Close();
    std::system(CString::Formatted("rm -rf '%s'", dir));
}

TEST(SystemConfigTest, RecentLogsPersistAcrossRuns) {
    const CString file = CString::Formatted("/tmp/host_sysconf_%d/system.conf", ::getpid());
    ::setenv("LOGIO_SYSTEM_CONFIG", file, 1);
    CSystemConfig a;
    EXPECT_EQ(a.GetRecentLogFile(0), "");
    a.SetRecentLogFile("/data/1.log");
    a.SetRecentLogFile("/data/2.log");
    a.SetRecentLogFile("/data/1.log");
    CSystemConfig b;  // a later run
    EXPECT_EQ(b.GetRecentLogFile(0), "/data/1.log");
    EXPECT_EQ(b.GetRecentLogFile(1), "/data/2.log");
    EXPECT_EQ(b.GetRecentLogFile(2), "");
    EXPECT_EQ(b.GetRecentLogFile(-1), "");
    for (int i = 0; i < 15; ++i) b.SetRecentLogFile(CString::Formatted("/d/%d.log", i));
    CSystemConfig c;
    EXPECT_EQ(c.GetRecentLogFile(0), "/d/14.log");
    EXPECT_EQ(c.GetRecentLogFile(CSystemConfig::kRecentCount - 1), "/d/5.log");
    EXPECT_EQ(c.GetRecentLogFile(CSystemConfig::kRecentCount), "");
    ::unsetenv("LOGIO_SYSTEM_CONFIG");
    std::system(CString::Formatted("rm -rf /tmp/host_sysconf_%d", ::getpid()));
}
