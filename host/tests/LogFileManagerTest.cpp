// The log store: opening and reading a log, its date and time range, merging
// logs and cutting a time range out of a log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <vector>

#include "LogStoreTestUtil.h"
#include "host/logstore/LogReader.h"
#include "host/logstore/LogWriter.h"
#include "logio/host/DataStore.h"
#include "platform/Path.h"
#include "platform/Time.h"

using namespace logstore;
using namespace logstore_test;

namespace {

uint32_t Ms(int h, int m, int s, int ms = 0) { return ((h * 60u + m) * 60u + s) * 1000u + ms; }

// A log whose records carry the given times; sequence numbers count from first.
void WriteLog(const CString& path, const LogHeader& header, const std::vector<uint32_t>& times,
              int first = 0) {
    CLogWriter writer;
    ASSERT_TRUE(writer.Create(path, header));
    for (size_t i = 0; i < times.size(); ++i) {
        CTestdataBase r;
        r.m_nRecordType = RECORD_TEST;
        r.m_nUENo = 1;
        r.m_RecordTime = sys_time::FromMilliseconds(times[i]);
        r.m_nSequenceNumber = static_cast<int32_t>(first + i);
        r.Attach(r.m_pSCellPara)->nUARFCN = 10055;
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

bool Exists(const CString& path) { return platform::PathExists(path); }

LogHeader Header(uint32_t version, int testType, uint8_t kind = LOG_KIND_STORED) {
    LogHeader h;
    h.version = version;
    h.testType = testType;
    h.year = 2024;
    h.month = 3;
    h.day = 5;
    h.handsetType = 7;
    h.kind = kind;
    return h;
}

class LogFileManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
    }
    void TearDown() override {
        for (const auto& p : made) std::remove(p.GetString());
    }
    CString Path(const char* name) {
        made.push_back(TempPath(name));
        return made.back();
    }
    std::vector<CString> made;
};

}  // namespace

TEST_F(LogFileManagerTest, OpensReadsAndTellsItsRange) {
    const CString path = Path("a.log");
    WriteLog(path, Header(150, 2), {Ms(9, 0, 0, 250), Ms(9, 30, 0), Ms(10, 15, 7, 5)});

    CLogFileManager store;
    EXPECT_EQ(store.GetLogFileVersion(), -255);
    ASSERT_NE(store.OpenFile(platform::PathDirectory(path), platform::PathFileName(path), 0), 0);
    EXPECT_EQ(store.GetLogFileVersion(), 150);
    EXPECT_EQ(store.GetLogFileVersion(path), 150);
    EXPECT_EQ(store.GetLogTestType(path), 2);
    EXPECT_EQ(store.GetLogFile()->getYear(), 2024);
    EXPECT_EQ(store.GetLogFile()->getMonth(), 3);
    EXPECT_EQ(store.GetLogFile()->getDate(), 5);
    int y = 0, m = 0, d = 0;
    store.GetLogFileDate(y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240305);
    EXPECT_EQ(store.GetRecordStartTime().toString(), "09:00:00.250");
    EXPECT_EQ(store.GetRecordEndTime().toString(), "10:15:07.005");

    CTestdataBase r;
    double last = store.GetCurPercent();
    EXPECT_EQ(last, 0.0);
    std::vector<int> seq;
    while (store.ReadFile(&r)) {
        seq.push_back(r.m_nSequenceNumber);
        EXPECT_GT(store.GetCurPercent(), last);
        last = store.GetCurPercent();
    }
    EXPECT_EQ(seq, (std::vector<int>{0, 1, 2}));
    EXPECT_DOUBLE_EQ(last, 1.0);
    EXPECT_EQ(store.GetSkippedRecords(), 0u);
    store.CloseReadingFile();
    EXPECT_EQ(store.GetLogFileVersion(), -255);
    EXPECT_EQ(store.ReadFile(&r), 0);
    EXPECT_EQ(store.GetLogFile()->getYear(), 0);
}

TEST_F(LogFileManagerTest, RefusesWhatItCannotRead) {
    const CString cs = Path("cs.log");
    WriteLog(cs, Header(150, 1, LOG_KIND_CS), {Ms(9, 0, 0)});
    const CString text = Path("text.log");
    std::ofstream(text.GetString()) << "not a log\n";
    const CString good = Path("good.log");
    WriteLog(good, Header(160, 1), {});

    CLogFileManager store;
    const CString dir = platform::PathDirectory(good);
    EXPECT_EQ(store.OpenFile(dir, platform::PathFileName(good), 1), 0);  // only mode 0
    EXPECT_EQ(store.OpenFile(dir, "missing.log", 0), 0);
    EXPECT_EQ(store.OpenFile(dir, "", 0), 0);
    for (const CString& path : {cs, text, Path("missing.log")}) {
        EXPECT_EQ(store.OpenFile(dir, platform::PathFileName(path), 0), 0) << path.GetString();
        EXPECT_EQ(store.GetLogFileVersion(path), -255);
        EXPECT_EQ(store.GetLogTestType(path), -255);
    }
    // A log without records opens; its range is midnight to midnight.
    ASSERT_NE(store.OpenFile(dir, platform::PathFileName(good), 0), 0);
    EXPECT_EQ(store.GetRecordStartTime().toString(), "00:00:00.000");
    EXPECT_EQ(store.GetRecordEndTime().toString(), "00:00:00.000");
    CTestdataBase r;
    EXPECT_EQ(store.ReadFile(&r), 0);
    EXPECT_EQ(store.ReadFile(nullptr), 0);
}

TEST_F(LogFileManagerTest, MergeResultCodes) {
    const CString a = Path("a.log"), b = Path("b.log"), old = Path("old.log"),
                  indoor = Path("indoor.log"), text = Path("text.log"), out = Path("out.log");
    WriteLog(a, Header(140, 1), {Ms(9, 0, 0), Ms(9, 0, 1)}, 0);
    WriteLog(b, Header(160, 1), {Ms(11, 0, 0)}, 10);
    WriteLog(old, Header(130, 1), {Ms(8, 0, 0)}, 20);
    WriteLog(indoor, Header(160, 2), {Ms(8, 0, 0)}, 30);
    std::ofstream(text.GetString()) << "not a log\n";
    CLogFileManager store;

    struct Case {
        const char* what;
        std::vector<CString> files;
        int mode;
        int result;
        std::vector<int> merged;  // empty: no file written
    } cases[] = {
        {"in list order", {b, a}, 1, MERGE_OK, {10, 0, 1}},
        {"an old log left out", {a, old, b}, 1, MERGE_TOO_OLD, {0, 1, 10}},
        {"only old logs", {old, old}, 1, MERGE_ERROR, {}},
        {"not a log", {a, text}, 1, MERGE_DAMAGED, {}},
        {"missing log", {a, Path("missing.log")}, 1, MERGE_DAMAGED, {}},
        {"test types differ", {a, indoor}, 1, MERGE_ERROR, {}},
        {"nothing to merge", {}, 1, MERGE_ERROR, {}},
        {"unknown mode", {a, b}, 7, MERGE_ERROR, {}},
    };
    for (const auto& c : cases) {
        std::remove(out.GetString());
        EXPECT_EQ(store.MergeFile(c.files, out, c.mode), c.result) << c.what;
        EXPECT_EQ(SeqNos(out), c.merged) << c.what;
        EXPECT_EQ(Exists(out), !c.merged.empty()) << c.what;
    }

    // The merged log is version 600 of the first log's test type and date,
    // and can take part in a merge again.
    ASSERT_EQ(store.MergeFile({a, b}, out, 1), MERGE_OK);
    LogHeader h;
    ASSERT_TRUE(ReadHeader(out, h));
    EXPECT_EQ(h.version, 600u);
    EXPECT_EQ(h.testType, 1);
    EXPECT_EQ(h.day, 5);
    const CString again = Path("again.log");
    EXPECT_EQ(store.MergeFile({out, a}, again, 1), MERGE_OK);
    EXPECT_EQ(SeqNos(again), (std::vector<int>{0, 1, 10, 0, 1}));

    // An existing target is replaced only in mode 1; a source is never a target.
    EXPECT_EQ(store.MergeFile({b, a}, out, 0), MERGE_ERROR);
    EXPECT_EQ(SeqNos(out), (std::vector<int>{0, 1, 10}));
    EXPECT_EQ(store.MergeFile({a, b}, a, 1), MERGE_ERROR);
    EXPECT_EQ(SeqNos(a), (std::vector<int>{0, 1}));
    EXPECT_EQ(store.MergeFile({a, b}, "", 1), MERGE_ERROR);
}

TEST_F(LogFileManagerTest, MergeRefusesALogWithDamagedRecords) {
    const CString a = Path("a.log"), b = Path("b.log"), out = Path("out.log");
    WriteLog(a, Header(140, 1), {Ms(9, 0, 0)});
    WriteLog(b, Header(140, 1), {Ms(9, 0, 1), Ms(9, 0, 2)});
    {
        std::fstream f(b.GetString(), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(kHeaderSize + kFrameHead + 20);
        f.put('\x55');
    }
    CLogFileManager store;
    EXPECT_EQ(store.MergeFile({a, b}, out, 1), MERGE_DAMAGED);
    EXPECT_FALSE(Exists(out));
}

TEST_F(LogFileManagerTest, ExtractTakesTheRecordsOfItsRange) {
    const CString src = Path("src.log"), cut = Path("cut.log");
    WriteLog(src, Header(160, 2),
             {Ms(10, 0, 0), Ms(10, 0, 30, 500), Ms(10, 1, 0, 999), Ms(10, 1, 1), Ms(10, 2, 0)});
    int64_t start = 0, end = 0;
    ASSERT_TRUE(platform::LocalTimeToSeconds(2024, 3, 5, 10, 0, 30, start));
    ASSERT_TRUE(platform::LocalTimeToSeconds(2024, 3, 5, 10, 1, 0, end));
    CLogFileManager store;
    const CString dir = platform::PathDirectory(cut), name = platform::PathFileName(cut);

    ASSERT_EQ(store.ExtractLogFile(src, start, end, dir, name), 1);
    EXPECT_EQ(SeqNos(cut), (std::vector<int>{1, 2}));  // whole seconds: 10:00:30.5 and 10:01:00.999
    LogHeader h;
    ASSERT_TRUE(ReadHeader(cut, h));
    EXPECT_EQ(h.version, 160u);
    EXPECT_EQ(h.testType, 2);
    EXPECT_EQ(h.day, 5);

    std::remove(cut.GetString());
    EXPECT_EQ(store.ExtractLogFile(src, start - 7200, start - 3600, dir, name), 0);  // no record
    EXPECT_EQ(store.ExtractLogFile(src, end, start, dir, name), 0);
    EXPECT_EQ(store.ExtractLogFile(Path("missing.log"), start, end, dir, name), 0);
    EXPECT_EQ(store.ExtractLogFile(src, start, end, dir, ""), 0);
    EXPECT_EQ(store.ExtractLogFile(src, start, end, platform::PathDirectory(src),
                                   platform::PathFileName(src)),
              0);  // never onto its source
    EXPECT_FALSE(Exists(cut));
    EXPECT_EQ(SeqNos(src).size(), 5u);
}

TEST_F(LogFileManagerTest, ExtractFollowsALogPastMidnight) {
    const CString src = Path("night.log"), cut = Path("cut.log");
    WriteLog(src, Header(160, 1), {Ms(23, 59, 58), Ms(0, 0, 2), Ms(0, 0, 9)});
    int64_t start = 0, end = 0;
    ASSERT_TRUE(platform::LocalTimeToSeconds(2024, 3, 6, 0, 0, 0, start));
    ASSERT_TRUE(platform::LocalTimeToSeconds(2024, 3, 6, 0, 0, 5, end));
    CLogFileManager store;
    ASSERT_EQ(store.ExtractLogFile(src, start, end, platform::PathDirectory(cut),
                                   platform::PathFileName(cut)),
              1);
    EXPECT_EQ(SeqNos(cut), (std::vector<int>{1}));
    LogHeader h;
    ASSERT_TRUE(ReadHeader(cut, h));
    EXPECT_EQ(h.day, 6);
}
