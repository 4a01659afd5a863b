// Automatic drive-test and China Mobile logs: recognising them, importing
// them into streams, their time range, cutting and merging them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "LogStoreTestUtil.h"
#include "host/logstore/LogGenerator.h"
#include "host/logstore/LogReader.h"
#include "host/logstore/LogWriter.h"
#include "logio/facade/Importer.h"
#include "logio/host/ImportFieldrunLog.h"
#include "logio/host/Project.h"
#include "logio/host/StreamManager.h"
#include "platform/Path.h"

using namespace logstore;
using namespace logstore_test;

namespace {

uint32_t Ms(int h, int m, int s) { return ((h * 60u + m) * 60u + s) * 1000u; }

void WriteLog(const CString& path, uint8_t kind, const std::vector<uint32_t>& times) {
    LogHeader h;
    h.kind = kind;
    h.year = 2024, h.month = 3, h.day = 5;
    CLogWriter writer;
    ASSERT_TRUE(writer.Create(path, h));
    for (size_t i = 0; i < times.size(); ++i) {
        CTestdataBase r;
        r.m_nRecordType = RECORD_TEST;
        r.m_nUENo = 1;
        r.m_nSequenceNumber = static_cast<int32_t>(i);
        r.m_RecordTime = sys_time::FromMilliseconds(times[i]);
        ASSERT_TRUE(writer.Write(r));
    }
    ASSERT_TRUE(writer.Close());
}

std::vector<int> SeqNos(const CString& path) {
    CLogReader reader;
    std::vector<int> seq;
    if (!reader.Open(path)) return seq;
    CTestdataBase r;
    while (reader.Next(r)) seq.push_back(r.m_nSequenceNumber);
    return seq;
}

class FieldrunLogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
        ASSERT_TRUE(g_sysProject.LoadTables(LOGSTORE_TEST_CONFIG));
    }
    void TearDown() override {
        CStreamManagerCreator::CreateStreamManager()->Clear();
        CCSLogImportWrap::SetImpSetting({});
        for (const auto& p : made) std::remove(p.GetString());
    }
    CString Path(const char* name) {
        made.push_back(TempPath(name));
        return made.back();
    }
    CString Generated(const char* name, uint8_t kind, uint64_t records) {
        LogGenOptions o;
        o.records = records;
        o.header.kind = kind;
        const CString path = Path(name);
        EXPECT_TRUE(GenerateLog(path, o));
        return path;
    }
    std::vector<CString> made;
};

}  // namespace

TEST_F(FieldrunLogTest, EachWrapperKnowsItsOwnKind) {
    const CString cs = Generated("cs.log", LOG_KIND_CS, 10);
    const CString cmcc = Generated("cmcc.loe", LOG_KIND_CMCC, 10);
    const CString stored = Generated("stored.log", LOG_KIND_STORED, 10);
    CCSLogImportWrap wrap;
    EXPECT_TRUE(wrap.IsCSLog(cs));
    EXPECT_FALSE(wrap.IsCSLog(cmcc));
    EXPECT_FALSE(wrap.IsCSLog(stored));
    EXPECT_FALSE(wrap.IsCSLog(Path("missing.log")));
    EXPECT_TRUE(CCMCCLogImportWrap::IsCMCCLog(cmcc));
    EXPECT_FALSE(CCMCCLogImportWrap::IsCMCCLog(cs));
    EXPECT_FALSE(CCMCCLogImportWrap::IsCMCCLog(stored));
}

TEST_F(FieldrunLogTest, TheImporterMakesALogWithAStreamPerUE) {
    const CString cs = Generated("drive.log", LOG_KIND_CS, 600);
    // Records of UEs 1 to 8 each become a row.
    std::map<int, int> perUE;
    {
        CLogReader reader;
        ASSERT_TRUE(reader.Open(cs));
        CTestdataBase r;
        while (reader.Next(r))
            if (r.m_nUENo >= 1 && r.m_nUENo <= 8) ++perUE[r.m_nUENo];
    }
    std::unique_ptr<IImporter> importer(CCSLogImportWrap::CreateImporter());
    ILogfile* log = nullptr;
    ASSERT_EQ(importer->Import(cs, &log), 1);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(CStreamManagerCreator::CreateStreamManager()->FindLogfile(cs), log);
    auto& streams = log->GetStreams();
    ASSERT_EQ(streams.size(), perUE.size());
    int total = 0;
    for (const auto& [ue, count] : perUE) {
        const CString name = CString::Formatted("%s_AutoTest(%d)", platform::PathTitle(cs), ue);
        ASSERT_TRUE(streams.count(name)) << name.GetString();
        IDataStream* stream = streams[name];
        EXPECT_EQ(stream->GetRowCount(), count);
        EXPECT_EQ(stream->GetUENumber(), ue);
        EXPECT_TRUE(stream->IsComplete());
        EXPECT_NE(stream->GetStartTime(), -255.0);
        total += count;
    }
    EXPECT_EQ(log->GetRowCount(), total);
    const auto names = streams.begin()->second->GetIENames();
    EXPECT_NE(std::find(names.begin(), names.end(), CString("Longitude")), names.end());

    ILogfile* again = nullptr;
    EXPECT_EQ(importer->Import(cs, &again), -2);
    EXPECT_EQ(again, nullptr);
    EXPECT_EQ(importer->Import(Generated("stored.log", LOG_KIND_STORED, 50), &again), 0);
    EXPECT_EQ(importer->Import(Path("missing.log"), &again), 0);

    std::unique_ptr<IImporter> cmccImporter(CCMCCLogImportWrap::CreateImporter());
    EXPECT_EQ(cmccImporter->Import(Generated("other.log", LOG_KIND_CS, 20), &again), 0);
    EXPECT_EQ(cmccImporter->Import(Generated("m.loc", LOG_KIND_CMCC, 100), &again), 1);
}

TEST_F(FieldrunLogTest, TheSelectionLimitsTheIEs) {
    const CString cs = Generated("selected.log", LOG_KIND_CS, 200);
    ImpIESettingMap selection;
    selection["Longitude"].strName = "Longitude";
    CCSLogImportWrap::SetImpSetting(selection);
    std::unique_ptr<IImporter> importer(CCSLogImportWrap::CreateImporter());
    ILogfile* log = nullptr;
    ASSERT_EQ(importer->Import(cs, &log), 1);
    for (auto& [name, stream] : log->GetStreams())
        for (auto& [sync, row] : stream->GetRows())
            for (int i = 0; i < row->GetIECount(); ++i) {
                const int ie = row->GetParamID(i);
                EXPECT_TRUE(ie == 1 || ie == 2379) << ie;
            }
}

TEST_F(FieldrunLogTest, BeginAndEndTimesCutAndMerge) {
    const CString a = Path("a.log"), b = Path("b.log"), out = Path("out.log");
    WriteLog(a, LOG_KIND_CS, {Ms(23, 59, 50), Ms(23, 59, 59), Ms(0, 0, 7)});
    WriteLog(b, LOG_KIND_CS, {Ms(8, 0, 0)});
    SYSTEMTIME begin, end;
    ASSERT_TRUE(CCSLogImportWrap::GetBeginEndTime(a, begin, end));
    EXPECT_EQ(begin.wDay * 10000 + begin.wHour * 100 + begin.wMinute, 52359);
    EXPECT_EQ(end.wDay * 10000 + end.wHour * 100 + end.wSecond, 60007);  // the next day
    EXPECT_FALSE(
        CCSLogImportWrap::GetBeginEndTime(Generated("s.log", LOG_KIND_STORED, 5), begin, end));

    SYSTEMTIME from = begin, to = end;
    from.wSecond = 55;
    ASSERT_EQ(CCSLogImportWrap::ExtractLogByTimeW(a, from, to, out), 1);
    EXPECT_EQ(SeqNos(out), (std::vector<int>{1, 2}));
    to = from;
    to.wSecond = 56;
    EXPECT_EQ(CCSLogImportWrap::ExtractLogByTimeW(a, from, to, Path("none.log")), 0);

    EXPECT_EQ(CCSLogImportWrap::MergeFile(out, {b, a}), 0);
    EXPECT_EQ(SeqNos(out), (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(CCSLogImportWrap::MergeFile(out, {a, Generated("t.log", LOG_KIND_STORED, 5)}), 3);
}
