// Which importer a log goes to, which logs are refused and with what
// message; the version query and the log filter.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "host/logstore/LogWriter.h"
#include "logio/facade/IOManager.h"
#include "logio/host/DataStore.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/ScriptedUi.h"

class CIOManagerTestAccess {
public:
    static CString GetLogFilter(CIOManager& io, ImporterTypeEnum node) {
        return io.GetLogFilter(node);
    }
};

namespace {

constexpr const char* kCaption = "Corvane Zivo";

class LogDetectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tmp = std::getenv("TMPDIR");
        dir = CString::Formatted("%s/detect-%d", tmp && *tmp ? tmp : "/tmp",
                                 static_cast<int>(getpid()));
        mkdir(dir.GetString(), 0700);
    }
    void TearDown() override {
        for (const auto& p : made) std::remove(p.GetString());
        rmdir(dir.GetString());
    }
    // A log of the given header in a folder of this test, named name.
    CString Log(const char* name, uint32_t version, int testType,
                uint8_t kind = logstore::LOG_KIND_STORED) {
        const CString path = dir + "/" + name;
        logstore::LogHeader h;
        h.version = version;
        h.testType = testType;
        h.kind = kind;
        logstore::CLogWriter writer;
        EXPECT_TRUE(writer.Create(path, h));
        EXPECT_TRUE(writer.Close());
        made.push_back(path);
        return path;
    }
    CString dir;
    std::vector<CString> made;
    CIOManager io;
};

}  // namespace

TEST_F(LogDetectionTest, VersionAndTestTypeDecideTheKind) {
    const int T = -1, V = -2;  // refused for the test type, for the version
    const struct {
        uint32_t version;
        int testType;
        int expected;
    } cases[] = {
        {110, 0, 1}, {110, 1, 1}, {110, 2, T}, {110, 3, T}, {120, 0, T}, {120, 1, 1},  {120, 2, 2},
        {130, 1, 1}, {140, 2, 2}, {150, 1, 1}, {160, 2, 2}, {160, 3, T}, {160, -1, T}, {600, 1, 1},
        {600, 2, 2}, {600, 0, T}, {100, 1, V}, {170, 1, V}, {599, 2, V}, {601, 1, V},  {0, 0, V},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << "/" << c.testType);
        const CString path = Log("case.log", c.version, c.testType);
        platform::ui::ScriptedUi ui;
        if (c.expected == T)
            ui.ExpectMessage("日志文件：case.log 测试类型不正确！")
                .Icon(MB_ICONERROR)
                .Caption(kCaption);
        if (c.expected == V)
            ui.ExpectMessage("日志文件：case.log 版本不正确！")
                .Icon(MB_ICONERROR)
                .Caption(kCaption);
        EXPECT_EQ(io.GetImporterType(path), c.expected < 0 ? 0 : c.expected);
        EXPECT_GE(ui.WaitCursorShows(), 1);
    }
}

TEST_F(LogDetectionTest, TheRecognisersComeFirstAndSkipTheChecks) {
    // Versions and test types a stored log would be refused for.
    const CString cs = Log("auto.log", 100, 7, logstore::LOG_KIND_CS);
    const CString cmcc = Log("cmcc.loc", 999, 0, logstore::LOG_KIND_CMCC);
    platform::ui::ScriptedUi ui;
    EXPECT_EQ(io.GetImporterType(cs), IMPORTER_CS_LOG);
    EXPECT_EQ(io.GetImporterType(cmcc), IMPORTER_CMCC_LOG);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(LogDetectionTest, ALogThatDoesNotOpenIsNamedInTheMessage) {
    const CString text = Log("text.log", 160, 1);
    std::ofstream(text.GetString()) << "not a log\n";
    platform::ui::ScriptedUi ui;
    ui.ExpectMessage("无法获取日志文件：text.log 的版本及类型信息！")
        .Icon(MB_ICONERROR)
        .Caption(kCaption);
    ui.ExpectMessage("无法获取日志文件：missing.log 的版本及类型信息！").Icon(MB_ICONERROR);
    EXPECT_EQ(io.GetImporterType(text), IMPORTER_NONE);
    EXPECT_EQ(io.GetImporterType(CString("/no/such/dir/missing.log")), IMPORTER_NONE);
}

TEST_F(LogDetectionTest, TheCallersStoreIsClosedAfterwards) {
    const CString good = Log("good.log", 140, 2);
    const CString old = Log("old.log", 100, 1);
    CLogFileManager store;
    platform::ui::ScriptedUi ui;
    EXPECT_EQ(io.GetImporterType(store, good), IMPORTER_INDOOR_LOG);
    EXPECT_EQ(store.GetLogFileVersion(), -255);
    ui.ExpectMessage("日志文件：old.log 版本不正确！").Icon(MB_ICONERROR);
    EXPECT_EQ(io.GetImporterType(store, old), IMPORTER_NONE);
    EXPECT_EQ(store.GetLogFileVersion(), -255);
    EXPECT_EQ(ui.WaitCursorShows(), 0);  // only the one-argument form shows it
}

TEST_F(LogDetectionTest, LogVersion) {
    const CString log = Log("v.log", 150, 1);
    const CString cs = Log("cs.log", 150, 1, logstore::LOG_KIND_CS);
    platform::ui::ScriptedUi ui;
    EXPECT_EQ(io.GetLogVersion(log), 150);
    EXPECT_EQ(io.GetLogVersion("/no/such/missing.log"), -255);
    EXPECT_EQ(io.GetLogVersion(cs), -255);  // not a stored log
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(ui.WaitCursorShows(), 3);
}

TEST_F(LogDetectionTest, LogFilterByNode) {
    EXPECT_EQ(CIOManagerTestAccess::GetLogFilter(io, IMPORTER_CMCC_LOG),
              "Log(*.log;*.loc;*.lot;*.low;*.loe)|*.log;*.loc;*.lot;*.low;*.loe||");
    for (int node : {0, 1, 2, 3, 4, 6, 8, 99})
        EXPECT_EQ(CIOManagerTestAccess::GetLogFilter(io, static_cast<ImporterTypeEnum>(node)),
                  "Log(*.log)|*.log||");
}
