#include <gtest/gtest.h>

#include "logio/host/StreamManager.h"

namespace {
constexpr int kRscp = 91001, kMsg = 91002, kLon = 2379, kLat = 2380;

CMemDataRow* Row(double time, std::initializer_list<std::pair<int, int>> ints) {
    auto* row = new CMemDataRow;
    row->SetRecordTime(time);
    for (auto [ie, v] : ints) row->QuickAddIE(ie, IntFieldValue(v));
    return row;
}

struct StreamFixture : ::testing::Test {
    void SetUp() override {
        g_memDataType.SetType(kRscp, MEMTABLE_FIELD_INT);
        g_memDataType.SetType(kMsg, MEMTABLE_FIELD_TEXT);
        g_memDataType.SetType(kLon, MEMTABLE_FIELD_FLOAT);
        g_memDataType.SetType(kLat, MEMTABLE_FIELD_FLOAT);
        mgr = CStreamManagerCreator::CreateStreamManager();
        mgr->Clear();
    }
    void TearDown() override { mgr->Clear(); }
    IStreamManager* mgr = nullptr;
};
}  // namespace

TEST_F(StreamFixture, CursorCarriesLastValuesAcrossGaps) {
    std::unique_ptr<IDataStream> s(mgr->CreateStream("UE1_TD", 1));
    auto& rows = s->GetRows();
    rows[1] = Row(10, {});
    rows[2] = Row(11, {{kRscp, -80}});
    rows[3] = Row(12, {});
    rows[4] = Row(13, {{kRscp, -82}});
    rows[3]->QuickAddIE(kMsg, MakeTextFieldValue("Paging"));

    auto c = s->OpenCursor();
    ASSERT_TRUE(c->First());
    std::vector<CString> plain, filled, msgs;
    int lines = 0;
    for (bool last = false; !last; c->Step(1)) {
        last = c->IsEnd();
        plain.push_back(c->GetValueText(kRscp));
        filled.push_back(c->GetFilledValueText(kRscp));
        msgs.push_back(c->GetFilledValueText(kMsg));
        ++lines;
    }
    EXPECT_EQ(lines, 4);
    EXPECT_EQ(c->GetValueText(2), "13.000");  // the row's own record time
    EXPECT_EQ(plain, (std::vector<CString>{"", "-80", "", "-82"}));
    EXPECT_EQ(filled, (std::vector<CString>{"", "-80", "-80", "-82"}));
    EXPECT_EQ(msgs, (std::vector<CString>{"", "", "Paging", "Paging"}));
    c->Step(5);  // stays on the last row
    EXPECT_EQ(c->GetValueText(kRscp), "-82");
    ASSERT_TRUE(c->First());  // a new pass forgets what it carried
    EXPECT_EQ(c->GetFilledValueText(kRscp), "");

    std::unique_ptr<IDataStream> empty(mgr->CreateStream("empty", 1));
    auto e = empty->OpenCursor();
    EXPECT_FALSE(e->First());
    EXPECT_TRUE(e->IsEnd());
    EXPECT_EQ(e->GetValueText(kRscp), "");
}

TEST_F(StreamFixture, CompleteRowsFillsCountSpanAndExtent) {
    std::unique_ptr<IDataStream> s(mgr->CreateStream("UE2_GSM", 1));
    auto& rows = s->GetRows();
    rows[1] = Row(100, {});
    rows[2] = Row(105, {});
    rows[3] = Row(109, {});
    rows[1]->QuickAddIE(kLon, FloatFieldValue(116.5f));
    rows[1]->QuickAddIE(kLat, FloatFieldValue(39.5f));
    rows[2]->QuickAddIE(kLon, FloatFieldValue(-255.f));  // invalid fix: not part of the extent
    rows[2]->QuickAddIE(kLat, FloatFieldValue(-255.f));
    rows[3]->QuickAddIE(kLon, FloatFieldValue(116.25f));
    rows[3]->QuickAddIE(kLat, FloatFieldValue(39.75f));
    EXPECT_EQ(s->IsPositionMissing(), 1);
    s->CompleteRows();
    EXPECT_EQ(s->GetRowCount(), 3);
    EXPECT_EQ(s->GetStartTime(), 100);
    EXPECT_EQ(s->GetEndTime(), 109);
    EXPECT_EQ(s->GetMinLongitude(), 116.25);
    EXPECT_EQ(s->GetMaxLongitude(), 116.5);
    EXPECT_EQ(s->GetMinLatitude(), 39.5);
    EXPECT_EQ(s->GetMaxLatitude(), 39.75);
    EXPECT_EQ(s->IsPositionMissing(), 0);
}

TEST_F(StreamFixture, LogsOwnStreamsAndMergeInterleavesInTimeOrder) {
    ILogfile* log = mgr->CreateLogfile("/data/a.log");
    EXPECT_EQ(log->GetName(), "a.log");
    IDataStream* td = mgr->CreateStream("UE1_TD", 1);
    IDataStream* gsm = mgr->CreateStream("UE1_GSM", 1);
    td->GetRows()[1] = Row(1, {{kRscp, 1}});
    td->GetRows()[2] = Row(3, {{kRscp, 3}});
    gsm->GetRows()[1] = Row(2, {{kRscp, 2}});
    gsm->GetRows()[2] = Row(3, {{kRscp, 33}});
    log->AddStream(td);
    log->AddStream(gsm);
    EXPECT_EQ(MergeTwoProtocolStream_MsgEvent(td, nullptr), nullptr);
    IDataStream* merged = MergeTwoProtocolStream_MsgEvent(td, gsm);
    ASSERT_NE(merged, nullptr);
    merged->SetName("UE1");
    log->AddStream(merged);
    std::vector<int> order;
    for (auto& [n, row] : merged->GetRows()) {
        uniFieldValue v;
        row->GetIEValueByID(kRscp, v);
        order.push_back(v.iValue);
        EXPECT_EQ(row->GetSynFieldValue(), n);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 33}));
    EXPECT_EQ(merged->GetStartTime(), 1);
    EXPECT_EQ(merged->GetEndTime(), 3);
    EXPECT_EQ(log->GetStreams().size(), 3u);
    EXPECT_EQ(mgr->FindLogfile("/data/a.log"), log);
    EXPECT_EQ(mgr->GetLogfileNames().size(), 1u);
    EXPECT_TRUE(mgr->RemoveLogfile("/data/a.log"));  // frees the log, its streams and rows
    EXPECT_EQ(mgr->FindLogfile("/data/a.log"), nullptr);
}
