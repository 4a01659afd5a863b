// The log generator: the same options give the same log; a log holds every
// kind of record the importer meets; the summary of a log.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "LogStoreTestUtil.h"
#include "host/logstore/LogGenerator.h"
#include "host/logstore/LogReader.h"
#include "host/logstore/LogSummary.h"
#include "logio/host/Decode.h"

using namespace logstore;
using namespace logstore_test;

namespace {

std::vector<char> Bytes(const CString& path) {
    std::ifstream in(path.GetString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LogGeneratorTest : public ::testing::Test {
protected:
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

TEST_F(LogGeneratorTest, TheSameOptionsGiveTheSameLog) {
    LogGenOptions o;
    o.records = 1500;
    o.seed = 42;
    const CString a = Path("a.log"), b = Path("b.log"), c = Path("c.log");
    ASSERT_TRUE(GenerateLog(a, o));
    ASSERT_TRUE(GenerateLog(b, o));
    o.seed = 43;
    ASSERT_TRUE(GenerateLog(c, o));
    const auto bytesA = Bytes(a);
    EXPECT_GT(bytesA.size(), 100000u);
    EXPECT_EQ(bytesA, Bytes(b));
    EXPECT_NE(bytesA, Bytes(c));
}

TEST_F(LogGeneratorTest, ALogHoldsEveryKindOfRecord) {
    LogGenOptions o;
    o.records = 3000;
    o.seed = 7;
    o.header.version = 110;
    const CString path = Path("all.log");
    ASSERT_TRUE(GenerateLog(path, o));

    CLogReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(reader.Header().version, 110u);
    CDecoder decoder;
    CTestdataBase r;
    std::set<int> types, models, lteSubtypes, eventUEs, gsmUEs, handsetTypes, ueNumbers;
    std::set<CString> rrc;
    std::set<size_t> measListLengths;
    int noFix = 0, gsmNeighboursBeyondSix = 0, hopping = 0, crcFields = 0, records = 0;
    uint32_t lastMs = 0;
    while (reader.Next(r)) {
        ++records;
        ASSERT_TRUE(decoder.Decode(110, &r, &r));
        EXPECT_GE(r.m_RecordTime.ToMilliseconds(), lastMs);  // no midnight in this log
        lastMs = r.m_RecordTime.ToMilliseconds();
        types.insert(r.m_nRecordType);
        ueNumbers.insert(r.m_nUENo);
        if (r.m_dLongitude == -1.0 && r.m_dLatitude == -1.0) ++noFix;
        if (r.m_pScannerInfo)
            models.insert(r.m_pScannerInfo->nModel * 2 + r.m_pScannerInfo->bVariant);
        if (r.m_nRecordType == RECORD_TEST && r.m_nSubType >= 14) lteSubtypes.insert(r.m_nSubType);
        if (r.m_nRecordType == RECORD_TEST && r.m_nDeviceType < 14)
            handsetTypes.insert(r.m_nDeviceType);
        if (r.m_nRecordType == RECORD_EVENT) eventUEs.insert(r.m_nUENo);
        if (r.m_nNetworkMode == 3 && r.m_pGSMSCellRadioInfo) gsmUEs.insert(r.m_nUENo);
        if (r.m_pTDMeasList) measListLengths.insert(r.m_pTDMeasList->vEntries.size());
        if (r.m_pGSMNCellInfo && r.m_pGSMNCellInfo->vCells.size() > 6) ++gsmNeighboursBeyondSix;
        if (r.m_pGSMDedCHInfo && r.m_pGSMDedCHInfo->nChannelKind == 3) ++hopping;
        if (r.m_MsgInfo.strMsgName.find("(DL-DCCH)") != std::string::npos ||
            r.m_MsgInfo.strMsgName == "RRC Connection Setup") {
            rrc.insert(r.m_MsgInfo.strMsgName.c_str());
            std::list<CString> lines;
            ASSERT_TRUE(decoder.DTDetailDecode(struct_STREAMINFO{}, r, lines));
            for (const auto& line : lines) crcFields += line.Find("crc-Size: ") >= 0;
        }
    }
    EXPECT_EQ(records, 3000);
    EXPECT_EQ(reader.Skipped(), 0u);
    EXPECT_EQ(types, (std::set<int>{1, 2, 6, 7, 8, 9, 10, 14, 15, 16}));
    EXPECT_EQ(models.size(), 8u);  // models 0 (both versions) to 6
    EXPECT_EQ(lteSubtypes, (std::set<int>{14, 15, 16}));
    EXPECT_EQ(handsetTypes.size(), 4u);
    EXPECT_TRUE(eventUEs.count(0) && eventUEs.size() > 1);
    EXPECT_FALSE(gsmUEs.empty());
    EXPECT_EQ(rrc.size(), 3u);
    EXPECT_GT(crcFields, 0);
    EXPECT_GT(noFix, 0);
    EXPECT_GT(gsmNeighboursBeyondSix, 0);
    EXPECT_GT(hopping, 0);
    EXPECT_GE(measListLengths.size(), 3u);
    EXPECT_EQ(*ueNumbers.rbegin(), 8);
}

TEST_F(LogGeneratorTest, OptionsShapeTheLog) {
    LogGenOptions o;
    o.records = 400;
    o.handsets = 1;
    o.lte = false;
    o.scanners = false;
    o.unknownHandset = true;
    o.header.testType = 2;
    o.header.kind = LOG_KIND_CMCC;
    o.startMs = 23u * 3600u * 1000u + 59u * 60u * 1000u;  // runs past midnight
    const CString path = Path("shaped.log");
    ASSERT_TRUE(GenerateLog(path, o));
    LogSummary s;
    ASSERT_TRUE(SummarizeLog(path, s));
    EXPECT_EQ(s.header.kind, LOG_KIND_CMCC);
    EXPECT_EQ(s.header.testType, 2);
    EXPECT_EQ(s.header.handsetType, 0);
    EXPECT_EQ(s.records, 400u);
    EXPECT_EQ(s.byType.count(RECORD_SCANNER), 0u);
    EXPECT_EQ(s.skipped, 0u);
    EXPECT_EQ(s.undecodable, 0u);
    EXPECT_EQ(s.first.hour, 23);
    EXPECT_EQ(s.last.hour, 0);
    uint64_t total = 0;
    for (const auto& [type, count] : s.byType) total += count;
    EXPECT_EQ(total, 400u);
    CString error;
    EXPECT_FALSE(SummarizeLog(Path("missing.log"), s, &error));
    EXPECT_FALSE(error.IsEmpty());
}
