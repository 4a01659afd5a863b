// The stored-log format: writer and reader round trip of every record and
// block kind, refused files, damaged and truncated logs.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "LogStoreTestUtil.h"
#include "host/logstore/LogReader.h"
#include "host/logstore/LogWriter.h"
#include "host/logstore/RecordCodec.h"
#include "logio/host/Decode.h"

using namespace logstore;
using namespace logstore_test;

namespace {

std::vector<unsigned char> ReadBytes(const CString& path) {
    std::ifstream in(path.GetString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const CString& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path.GetString(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A log of count records whose sequence numbers are 0 .. count - 1; returns
// the file offset of each frame.
std::vector<size_t> WriteNumbered(const CString& path, int count) {
    CLogWriter writer;
    EXPECT_TRUE(writer.Create(path, LogHeader{}));
    std::vector<size_t> offsets;
    size_t at = kHeaderSize;
    for (int i = 0; i < count; ++i) {
        CTestdataBase r;
        FillRecord(r, 1000 + i, 64);
        r.m_nSequenceNumber = static_cast<int32_t>(i);
        std::vector<unsigned char> payload;
        EXPECT_TRUE(CRecordCodec::Encode(r, payload));
        offsets.push_back(at);
        at += kFrameHead + payload.size();
        EXPECT_TRUE(writer.Write(r));
    }
    EXPECT_TRUE(writer.Close());
    return offsets;
}

std::vector<int> ReadSeqNos(const CString& path, uint64_t* skipped = nullptr) {
    CLogReader reader;
    std::vector<int> seq;
    if (!reader.Open(path)) return seq;
    CTestdataBase r;
    while (reader.Next(r)) seq.push_back(r.m_nSequenceNumber);
    if (skipped) *skipped = reader.Skipped();
    return seq;
}

class LogStoreTest : public ::testing::Test {
protected:
    void TearDown() override { std::remove(path.GetString()); }
    CString path = TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

}  // namespace

TEST_F(LogStoreTest, EveryRecordAndBlockKindRoundTrips) {
    // Records with a random share of blocks, one with every block, one bare.
    std::vector<std::unique_ptr<CTestdataBase>> written;
    LogHeader header{140, 2, 2023, 11, 30, 7, LOG_KIND_STORED};
    CLogWriter writer;
    ASSERT_TRUE(writer.Create(path, header));
    for (int i = 0; i < 60; ++i) {
        auto r = std::make_unique<CTestdataBase>();
        FillRecord(*r, i, i == 0 ? 256 : i == 1 ? 0 : 128);
        ASSERT_TRUE(writer.Write(*r));
        written.push_back(std::move(r));
    }
    ASSERT_TRUE(writer.Close());

    CLogReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(reader.Header(), header);
    CDecoder decoder;
    CTestdataBase r;  // one record reused, as a reading loop does
    for (const auto& expected : written) {
        ASSERT_TRUE(reader.Next(r));
        // Before decoding: the header and the device blocks only.
        ExpectSameHeader(*expected, r);
        EXPECT_EQ(r.m_pScannerInfo != nullptr, expected->m_pScannerInfo != nullptr);
        EXPECT_EQ(r.m_pSCellPara, nullptr);
        ASSERT_TRUE(decoder.Decode(static_cast<int>(header.version), &r, &r));
        ExpectSameRecord(*expected, r);
    }
    EXPECT_FALSE(reader.Next(r));
    EXPECT_EQ(reader.Skipped(), 0u);
    EXPECT_DOUBLE_EQ(reader.Percent(), 1.0);
}

TEST_F(LogStoreTest, DecodingIntoAnotherRecordCopiesTheHeader) {
    CTestdataBase original;
    FillRecord(original, 7, 256);
    CLogWriter writer;
    ASSERT_TRUE(writer.Create(path, LogHeader{}));
    ASSERT_TRUE(writer.Write(original));
    ASSERT_TRUE(writer.Close());
    CLogReader reader;
    ASSERT_TRUE(reader.Open(path));
    CTestdataBase read, decoded;
    ASSERT_TRUE(reader.Next(read));
    CDecoder decoder;
    ASSERT_TRUE(decoder.Decode(160, &read, &decoded));
    ExpectSameRecord(original, decoded);
    EXPECT_FALSE(read.IsDecoded());  // the source is left as it was
    EXPECT_FALSE(decoder.Decode(99, &read, &read));
    EXPECT_EQ(decoder.GetDecodedCount(), 1u);
    EXPECT_EQ(decoder.GetFailedCount(), 1u);
}

TEST_F(LogStoreTest, UndecodedRecordsAreWrittenAgainUnchanged) {
    CTestdataBase original;
    FillRecord(original, 11, 256);
    std::vector<unsigned char> first, second;
    ASSERT_TRUE(CRecordCodec::Encode(original, first));
    CTestdataBase read;
    ASSERT_TRUE(CRecordCodec::Read(first.data(), first.size(), read));
    ASSERT_TRUE(CRecordCodec::Encode(read, second));
    EXPECT_EQ(first, second);
}

TEST_F(LogStoreTest, FilesThatAreNotLogsDoNotOpen) {
    unsigned char good[kHeaderSize];
    EncodeHeader(LogHeader{}, good);
    std::vector<unsigned char> header(good, good + kHeaderSize);
    auto flipped = [&](size_t at) {
        auto bytes = header;
        bytes[at] ^= 0x40;
        return bytes;
    };
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"empty", {}},
        {"text", std::vector<unsigned char>(200, 'x')},
        {"short header", std::vector<unsigned char>(good, good + 40)},
        {"magic", flipped(1)},
        {"version field", flipped(13)},
        {"checksum", flipped(61)},
    };
    for (const auto& c : cases) {
        WriteBytes(path, c.bytes);
        CLogReader reader;
        EXPECT_FALSE(reader.Open(path)) << c.what;
    }
    CLogReader reader;
    EXPECT_FALSE(reader.Open(path + ".missing"));
    EXPECT_FALSE(reader.Open("/tmp"));
    WriteBytes(path, header);
    ASSERT_TRUE(reader.Open(path));  // a header alone is an empty log
    CTestdataBase r;
    EXPECT_FALSE(reader.Next(r));
    EXPECT_EQ(reader.Skipped(), 0u);
}

TEST_F(LogStoreTest, DamagedRecordsAreSkippedAndCounted) {
    const auto offsets = WriteNumbered(path, 10);
    auto bytes = ReadBytes(path);
    bytes[offsets[2] + kFrameHead + 5] ^= 0xFF;  // payload of record 2
    bytes[offsets[5] + 9] ^= 0x7F;               // length of record 5
    std::memset(&bytes[offsets[7]], 0, 4);       // sync word of record 7
    WriteBytes(path, bytes);
    uint64_t skipped = 0;
    EXPECT_EQ(ReadSeqNos(path, &skipped), (std::vector<int>{0, 1, 3, 4, 6, 8, 9}));
    EXPECT_EQ(skipped, 3u);
}

TEST_F(LogStoreTest, TruncatedAndPaddedLogsKeepTheirIntactRecords) {
    const auto offsets = WriteNumbered(path, 5);
    const auto bytes = ReadBytes(path);
    uint64_t skipped = 0;

    // Cut in the middle of the last record, and inside its frame head.
    for (size_t cut : {offsets[4] + kFrameHead + 3, offsets[4] + 6}) {
        WriteBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.begin() + cut));
        EXPECT_EQ(ReadSeqNos(path, &skipped), (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(skipped, 1u);
    }

    // Garbage between records and after the last.
    std::vector<unsigned char> padded(bytes.begin(), bytes.begin() + offsets[3]);
    padded.insert(padded.end(), 37, 0xA5);
    padded.insert(padded.end(), bytes.begin() + offsets[3], bytes.end());
    padded.insert(padded.end(), {1, 2, 3});
    WriteBytes(path, padded);
    EXPECT_EQ(ReadSeqNos(path, &skipped), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(skipped, 2u);

    std::vector<unsigned char> last;
    ASSERT_TRUE(ReadLastPayload(path, last));
    CTestdataBase r;
    ASSERT_TRUE(CRecordCodec::Read(last.data(), last.size(), r));
    EXPECT_EQ(r.m_nSequenceNumber, 4);
}

TEST_F(LogStoreTest, AFrameThatChecksButDoesNotReadIsSkipped) {
    CLogWriter writer;
    ASSERT_TRUE(writer.Create(path, LogHeader{}));
    const unsigned char shortPayload[5] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(writer.WritePayload(shortPayload, sizeof shortPayload));
    CTestdataBase r;
    r.m_nSequenceNumber = 42;
    ASSERT_TRUE(writer.Write(r));
    ASSERT_TRUE(writer.Close());
    uint64_t skipped = 0;
    EXPECT_EQ(ReadSeqNos(path, &skipped), (std::vector<int>{42}));
    EXPECT_EQ(skipped, 1u);
}

TEST_F(LogStoreTest, MalformedContentDoesNotDecode) {
    CTestdataBase r;
    r.m_nRecordType = RECORD_TEST;
    r.Attach(r.m_pSCellPara)->vURAIdentities = {1, 2, 3};
    std::vector<unsigned char> payload;
    ASSERT_TRUE(CRecordCodec::Encode(r, payload));
    // The URA list count sits at the end of the serving-cell block; claim more.
    payload[payload.size() - 2 * 3 - 2] = 200;
    CTestdataBase read;
    ASSERT_TRUE(CRecordCodec::Read(payload.data(), payload.size(), read));
    CDecoder decoder;
    EXPECT_FALSE(decoder.Decode(160, &read, &read));
    EXPECT_EQ(read.m_pSCellPara, nullptr);
}

TEST_F(LogStoreTest, ABlockWithoutItsFieldsDoesNotRead) {
    CTestdataBase bare;
    std::vector<unsigned char> payload;
    ASSERT_TRUE(CRecordCodec::Encode(bare, payload));
    // A scanner block of no bytes in the device section, then a flat block
    // one byte short in the content.
    const unsigned char scanner[] = {0x01, 0, 0, 0, 0};
    payload.insert(payload.begin() + kRecordHead + 2, scanner, scanner + sizeof scanner);
    const uint32_t deviceLen = 2 + sizeof scanner;
    std::memcpy(payload.data() + 56, &deviceLen, 4);
    CTestdataBase read;
    EXPECT_FALSE(CRecordCodec::Read(payload.data(), payload.size(), read));

    payload.erase(payload.begin() + kRecordHead + 2,
                  payload.begin() + kRecordHead + 2 + sizeof scanner);
    const uint32_t nameOnly = 2;
    std::memcpy(payload.data() + 56, &nameOnly, 4);
    const unsigned char shortBlock[] = {0x67, 7, 0, 0, 0, 1,
                                        2,    3, 4, 5, 6, 7};  // two values need 8
    payload.insert(payload.end(), shortBlock, shortBlock + sizeof shortBlock);
    ASSERT_TRUE(CRecordCodec::Read(payload.data(), payload.size(), read));
    CDecoder decoder;
    EXPECT_FALSE(decoder.Decode(160, &read, &read));
    EXPECT_EQ(read.m_pTDTwoValues, nullptr);
}

TEST_F(LogStoreTest, RecordsBeyondTheStoresLimitsAreRefused) {
    CLogWriter writer;
    ASSERT_TRUE(writer.Create(path, LogHeader{}));
    CTestdataBase r;
    r.Attach(r.m_pScannerInfo)->vSpectrum.assign(5000, 1);
    EXPECT_FALSE(writer.Write(r));
    r.m_pScannerInfo->vSpectrum.resize(10);
    r.m_nSequenceNumber = 3;
    EXPECT_TRUE(writer.Write(r));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(ReadSeqNos(path), (std::vector<int>{3}));
}

TEST(RecordTest, BlocksAreOwnedAndReusedAcrossClear) {
    CTestdataBase cumulative(true, 0);
    EXPECT_NE(cumulative.m_pSCellPara, nullptr);
    EXPECT_NE(cumulative.m_pLayer12ConfigPara, nullptr);
    EXPECT_EQ(cumulative.m_pGSMSCellSysInfo, nullptr);

    CTestdataBase record;
    FillRecord(record, 5, 256);
    cumulative.m_pSCellPara->setinfo(record);
    EXPECT_TRUE(*cumulative.m_pSCellPara == *record.m_pSCellPara);
    cumulative.m_BasicInfo.setinfo(record, false);
    EXPECT_EQ(cumulative.m_BasicInfo.nUENo, record.m_nUENo);
    EXPECT_EQ(cumulative.m_BasicInfo.dLongitude, -255);
    cumulative.m_BasicInfo.setinfo(record, true);
    EXPECT_EQ(cumulative.m_BasicInfo.dLongitude, record.m_dLongitude);

    record.Clear();
    EXPECT_EQ(record.m_pSCellPara, nullptr);
    EXPECT_EQ(record.m_nEventID, kNoEvent);
    CTestdataBase copy;
    copy.CopyFrom(cumulative);
    EXPECT_TRUE(*copy.m_pSCellPara == *cumulative.m_pSCellPara);
    EXPECT_NE(copy.m_pSCellPara, cumulative.m_pSCellPara);
}

TEST(RecordTest, TimesAndTexts) {
    sys_time t = sys_time::FromMilliseconds(((23 * 60 + 5) * 60 + 9) * 1000 + 7);
    EXPECT_EQ(t.toString(), "23:05:09.007");
    EXPECT_DOUBLE_EQ(t.toSecond(), 23 * 3600 + 5 * 60 + 9.007);
    EXPECT_EQ(sys_time::FromMilliseconds(86400000u + 1500).toString(), "00:00:01.500");

    const unsigned char bytes[] = {0x0A, 0xFF, 0x00, 0x5c};
    EXPECT_EQ(CStreamAndString::numToString(bytes, 4), "0AFF005C");
    EXPECT_EQ(CStreamAndString::numToString(bytes, 0), "");
    EXPECT_EQ(CIE_GSM_8130E_Simple_Info::ChangeValue2CSText(-1), "");
    EXPECT_EQ(CIE_GSM_8130E_Simple_Info::ChangeValue2CSText(-2), "-255");
    EXPECT_EQ(CIE_GSM_8130E_Simple_Info::ChangeValue2CSText(31), "31");

    FIELDRUN::CAutoBuffer buffer;
    buffer.SetBuffer("abc", 3);
    EXPECT_EQ(buffer.GetBufferLen(), 3u);
    EXPECT_EQ(buffer.GetBuffer(2)[0], 'c');
    EXPECT_EQ(buffer.GetBuffer(3), nullptr);
}

TEST(RecordTest, GetAllIEsListsTheHeaderAndTheModesValues) {
    CTestdataBase r;
    r.m_nRecordType = RECORD_TEST;
    r.m_nSubType = 16;
    r.m_nSequenceNumber = -1;
    auto& list = r.Attach(r.m_pLTEScanList)->vList[0];
    list.resize(2);
    list[1].nEARFCN = 38950;
    list[1].nPCI = 65535;  // absent
    std::list<pair_ie_id_value> ies;
    r.GetAllIEs(ies, UE_MODE_LTE_SCANNER);
    auto has = [&](int ie) {
        for (const auto& p : ies)
            if (p.nIEID == ie) return true;
        return false;
    };
    EXPECT_TRUE(has(9) && has(8) && has(2379) && has(26771));
    EXPECT_FALSE(has(7));
    EXPECT_TRUE(has(34691 + 1));
    EXPECT_FALSE(has(34691 + 32 + 1));
    r.GetAllIEs(ies, UE_MODE_HEADER);
    EXPECT_FALSE(has(34691));
}
