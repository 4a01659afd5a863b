#include "logio/facade/IOManager.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "logio/importer/HandsetTypeFix.h"
#include "platform/FileMap.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/ScriptedUi.h"

class CIOManagerTestAccess {
public:
    static void Release(CIOManager& io) { io.Release(); }
};

namespace {

int g_alive = 0;
int g_made = 0;

struct CountingImporter : IImporter {
    CountingImporter() {
        ++g_alive;
        ++g_made;
    }
    ~CountingImporter() override { --g_alive; }
    int Import(const CString&, ILogfile**) override { return 1; }
};

struct CountingExporter : IExporter {
    CountingExporter() { ++g_alive; }
    ~CountingExporter() override { --g_alive; }
    int Export(CString, std::vector<COleSafeArray>&, std::vector<CString>&) override { return 1; }
    int Export(CString, std::vector<ISubject*>, std::vector<CString>&,
               std::vector<std::vector<CString>>&) override {
        return 1;
    }
    int Export(CString, ISubject*, std::vector<CString>&) override { return 1; }
    int Export(CString, ISubject*) override { return 1; }
    int Export() override { return 1; }
};

IImporter* MakeCounting() { return new CountingImporter; }
IExporter* MakeCountingExporter() { return new CountingExporter; }
IImporter* MakeThrowing() { throw std::runtime_error("no memory"); }
IExporter* MakeThrowingExporter() { throw std::runtime_error("no memory"); }

// Puts test creators in for kinds 1 and 2 and the previous ones back after.
class FacadeTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_alive = g_made = 0;
        m_prev1 = CIOManager::SetImporterCreator(IMPORTER_OUTDOOR_LOG, MakeCounting);
        m_prev2 = CIOManager::SetImporterCreator(IMPORTER_INDOOR_LOG, MakeThrowing);
        m_prevE1 = CIOManager::SetExporterCreator(EXPORTER_TEXT, MakeCountingExporter);
        m_prevE2 = CIOManager::SetExporterCreator(EXPORTER_EXCEL, MakeThrowingExporter);
    }
    void TearDown() override {
        CIOManager::SetImporterCreator(IMPORTER_OUTDOOR_LOG, m_prev1);
        CIOManager::SetImporterCreator(IMPORTER_INDOOR_LOG, m_prev2);
        CIOManager::SetExporterCreator(EXPORTER_TEXT, m_prevE1);
        CIOManager::SetExporterCreator(EXPORTER_EXCEL, m_prevE2);
    }
    CIOManager::ImporterCreator m_prev1{}, m_prev2{};
    CIOManager::ExporterCreator m_prevE1{}, m_prevE2{};
};

}  // namespace

TEST_F(FacadeTest, KindsWithoutImporterGiveNullAndCacheNothing) {
    platform::ui::ScriptedUi ui;  // no message may appear
    CIOManager io;
    for (int kind : {0, 4, 7, 9, -1}) {
        EXPECT_EQ(io.GetImporterByType(static_cast<ImporterTypeEnum>(kind)), nullptr) << kind;
        EXPECT_EQ(io.GetImporterByType(static_cast<ImporterTypeEnum>(kind)), nullptr) << kind;
    }
    EXPECT_EQ(io.GetExporterByType(static_cast<ExporterTypeEnum>(3)), nullptr);
    EXPECT_EQ(g_made, 0);
}

TEST_F(FacadeTest, CacheServesOneObjectUntilRelease) {
    {
        CIOManager io;
        IImporter* a = io.GetImporterByType(IMPORTER_OUTDOOR_LOG);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(io.GetImporterByType(IMPORTER_OUTDOOR_LOG), a);
        EXPECT_NE(io.GetExporterByType(EXPORTER_TEXT), nullptr);
        EXPECT_EQ(g_alive, 2);
        CIOManagerTestAccess::Release(io);
        EXPECT_EQ(g_alive, 0);
        CIOManagerTestAccess::Release(io);  // twice: nothing left to destroy
        IImporter* b = io.GetImporterByType(IMPORTER_OUTDOOR_LOG);
        EXPECT_NE(b, nullptr);
        EXPECT_EQ(g_made, 2);
        EXPECT_EQ(g_alive, 1);
    }
    EXPECT_EQ(g_alive, 0);  // the destructor released the new one, once
}

TEST_F(FacadeTest, FactoryExceptionsAreReportedAndGiveNull) {
    platform::ui::ScriptedUi ui;
    ui.ExpectMessage("导入操作出现错误，请重试或重启系统！")
        .Icon(MB_ICONERROR)
        .Caption("Corvane Zivo");
    ui.ExpectMessage("导出操作出现错误，请重试或重启系统！")
        .Icon(MB_ICONERROR)
        .Caption("Corvane Zivo");
    CIOManager io;
    EXPECT_EQ(io.GetImporterByType(IMPORTER_INDOOR_LOG), nullptr);
    EXPECT_EQ(io.GetExporterByType(EXPORTER_EXCEL), nullptr);
}

TEST(FacadeFileMap, WritesAtExactOffsetsAndRefusesWhatDoesNotFit) {
    CIOManager io;
    CString path = CString::Formatted("/tmp/logio_filemap_%d.bin", ::getpid());
    const unsigned long g = platform::GetAllocationGranularity();
    const unsigned long size = 3 * g;
    void* map = io.CreateFileMap(path, size);
    ASSERT_NE(map, nullptr);
    char first[] = "first";
    char second[] = "across-a-page";
    unsigned long off1 = 0, off2 = g - 4, off3 = size - 2;
    EXPECT_EQ(io.ExportMemoryToFile(map, off1, first, 5), 5u);
    EXPECT_EQ(io.ExportMemoryToFile(map, off2, second, 13), 13u);
    EXPECT_EQ(off2, g - 4);                                       // not advanced
    EXPECT_EQ(io.ExportMemoryToFile(map, off3, second, 13), 0u);  // would run past the mapping
    io.CloseFileMap(map);

    FILE* f = std::fopen(path, "rb");
    ASSERT_NE(f, nullptr);
    std::string bytes(size, '\0');
    ASSERT_EQ(std::fread(bytes.data(), 1, size, f), size);
    std::fclose(f);
    EXPECT_EQ(bytes.substr(0, 5), "first");
    EXPECT_EQ(bytes.substr(g - 4, 13), "across-a-page");
    EXPECT_EQ(bytes[size - 1], '\0');

    // An existing file is truncated; a folder that does not exist gives null.
    map = io.CreateFileMap(path, 16);
    ASSERT_NE(map, nullptr);
    io.CloseFileMap(map);
    FILE* g2 = std::fopen(path, "rb");
    std::fseek(g2, 0, SEEK_END);
    EXPECT_EQ(std::ftell(g2), 16);
    std::fclose(g2);
    CString bad("/nonexistent-dir/x.bin");
    EXPECT_EQ(io.CreateFileMap(bad, 16), nullptr);
    io.CloseFileMap(nullptr);
    ::unlink(path);
}

TEST(FacadeFix, ResetIOFixSetsTheFlagsBack) {
    g_fixKeepForLog = g_fixKeepForAll = g_fixAsk = 0;
    CIOManager io;
    io.ResetIOFix();
    EXPECT_EQ(g_fixKeepForLog + g_fixKeepForAll + g_fixAsk, 3);
}
