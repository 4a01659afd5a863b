#include "host/IETable.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/TextFile.h"

namespace {

CIETable LoadIEs(const std::string& text) {
    CIETable t;
    CString error;
    EXPECT_TRUE(t.LoadText(text, "t.txt", &error)) << error.GetString();
    return t;
}

TEST(IETableTest, ParsesEntriesFamiliesAndPlaceholders) {
    const CIETable t = LoadIEs(
        "# comment line\n"
        "\n"
        "2      RecordTime   5 s   -    -    Independent/Record_Info   # trailing comment\n"
        "183*3  MidambleShift_{0} 3 - 0 15  TD-SCDMA/TD_Parameters/TimeslotInfo_TS{0} check\n"
        "2436*2 UARFCN_Scan_{1} 4 - 0 16383 TD-SCDMA/TD_Scanner/*\n"
        "1365*14 Nbor_ISCP_{0/7}_{0%7} 3 dBm -116 -25 TD-SCDMA/TD_Neighbour/NborISCP,LTE/X\n"
        "1      RecordID     4 - - - Independent/Record_Info\r\n");
    ASSERT_EQ(t.All().size(), 21u);
    for (size_t i = 1; i < t.All().size(); ++i) EXPECT_LT(t.All()[i - 1].number, t.All()[i].number);

    const IEInfo* time = t.FindByNumber(2);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->name, "RecordTime");
    EXPECT_EQ(time->memType, 5);
    EXPECT_EQ(time->unit, "s");
    EXPECT_FALSE(time->HasRange());
    EXPECT_EQ(time->minValue, -255);
    EXPECT_FALSE(time->checked);

    const IEInfo* shift = t.FindByName("MidambleShift_2");
    ASSERT_NE(shift, nullptr);
    EXPECT_EQ(shift->number, 185);
    EXPECT_EQ(shift->group, "TD-SCDMA/TD_Parameters/TimeslotInfo_TS2");
    EXPECT_EQ(shift->maxValue, 15);
    EXPECT_TRUE(shift->checked);

    EXPECT_EQ(t.FindByNumber(2437)->name, "UARFCN_Scan_2");
    EXPECT_EQ(t.FindByNumber(2437)->group, "TD-SCDMA/TD_Scanner/UARFCN_Scan");

    const IEInfo* iscp = t.FindByNumber(1365 + 7 + 3);
    ASSERT_NE(iscp, nullptr);
    EXPECT_EQ(iscp->name, "Nbor_ISCP_1_3");
    EXPECT_EQ(iscp->Groups(), (std::vector<CString>{"TD-SCDMA/TD_Neighbour/NborISCP", "LTE/X"}));

    EXPECT_EQ(t.MemType(1), 4);
    EXPECT_EQ(t.MemType(3), 0);
    EXPECT_EQ(t.MemType(-1), 0);
    EXPECT_EQ(t.MemType(1 << 30), 0);
    EXPECT_EQ(t.FindByNumber(100000), nullptr);
    EXPECT_EQ(t.FindByName("MidambleShift"), nullptr);
    EXPECT_EQ(t.FindByName("recordtime"), nullptr);
}

TEST(IETableTest, RejectsBadFilesNamingTheLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"2 RecordTime 5 s - - Independent/A\n3 X 5 s - -\n", "t.txt:2: expected 7 or 8"},
        {"x RecordTime 5 s - - Independent/A\n", "t.txt:1: bad IE number"},
        {"0 RecordTime 5 s - - Independent/A\n", "t.txt:1: IE numbers must lie in 1..99999"},
        {"99999*2 A_{0} 5 s - - Independent/A\n", "IE numbers must lie"},
        {"5*0 A_{0} 5 s - - Independent/A\n", "family size"},
        {"5*5000 A_{0} 5 s - - Independent/A\n", "family size"},
        {"2 RecordTime 6 s - - Independent/A\n", "memory type must be 1 to 5"},
        {"2 RecordTime 5 s ten - Independent/A\n", "bad minimum"},
        {"2 RecordTime 5 s 1 nan Independent/A\n", "bad maximum"},
        {"2 RecordTime 5 s 9 1 Independent/A\n", "minimum above maximum"},
        {"2 RecordTime 5 s - - Independent/A sel\n", "unknown flag"},
        {"2 Record(Time) 5 s - - Independent/A\n", "bad IE name"},
        {"2 RecordTime 5 s - - Independent\n", "bad group"},
        {"2 RecordTime 5 s - - Independent//A\n", "bad group"},
        {"5*2 A 5 s - - Independent/A\n", "needs a {N} placeholder"},
        {"5 A_{0} 5 s - - Independent/A\n", "only a family name"},
        {"5*2 A_{0/0} 5 s - - Independent/A\n", "bad placeholder in name"},
        {"5*2 A_{0 5 s - - Independent/A\n", "bad placeholder in name"},
        {"5 A 5 s - - Independent/A{0}\n", "bad placeholder in group"},
        {"5 A 5 s - - Independent/*\n", "\"/*\" needs a family"},
        {"5*2 A_{0/2} 5 s - - Independent/A\n", "t.txt:1: IE name \"A_0\" already used"},
        {"5 A 5 s - - Independent/A\n9 B 4 - - - Independent/A\n5 C 4 - - - Independent/A\n",
         "t.txt:3: IE number 5 already defined on line 1"},
    };
    for (const Case& c : cases) {
        CIETable t;
        CString error;
        // A good table first, so a failed load is seen to empty it.
        ASSERT_TRUE(t.LoadText("7 Seven 4 - - - Independent/A\n", "t.txt", &error));
        EXPECT_FALSE(t.LoadText(c.text, "t.txt", &error)) << c.text;
        EXPECT_NE(error.Find(c.message), -1) << c.text << " gave: " << error.GetString();
        EXPECT_TRUE(t.All().empty());
        EXPECT_EQ(t.FindByNumber(7), nullptr);
        EXPECT_EQ(t.FindByName("Seven"), nullptr);
    }
}

TEST(IETableTest, LoadsFilesAndReportsMissingOnes) {
    const CString path = CString::Formatted("/tmp/host_ietable_%d.txt", ::getpid());
    ASSERT_TRUE(platform::WriteTextFile(path,
                                        "\xEF\xBB\xBF"
                                        "2 RecordTime 5 s - - Independent/A\r\n"));
    CIETable t;
    CString error;
    EXPECT_TRUE(t.Load(path, &error)) << error.GetString();
    EXPECT_EQ(t.FindByName("RecordTime")->number, 2);
    ::unlink(path);
    EXPECT_FALSE(t.Load(path, &error));
    EXPECT_NE(error.Find(path), -1);
    EXPECT_TRUE(t.All().empty());
    EXPECT_FALSE(t.Load("/tmp", &error));
    CEventTable e;
    EXPECT_FALSE(e.Load("/tmp", &error));
    EXPECT_NE(error.Find("/tmp: cannot read"), -1);
}

TEST(EventTableTest, ParsesAndRejects) {
    CEventTable e;
    CString error;
    ASSERT_TRUE(e.LoadText("# events\n1610 FileMark\n20  Call Setup  # blank inside the name\n",
                           "e.txt", &error))
        << error.GetString();
    ASSERT_EQ(e.All().size(), 2u);
    EXPECT_EQ(e.All()[0].number, 20);
    EXPECT_EQ(e.FindByNumber(1610)->name, "FileMark");
    EXPECT_EQ(e.FindByName("Call Setup")->number, 20);
    EXPECT_EQ(e.FindByNumber(21), nullptr);
    EXPECT_EQ(e.FindByNumber(-3), nullptr);

    const std::pair<const char*, const char*> bad[] = {
        {"1610\n", "e.txt:1: missing event name"},
        {"x FileMark\n", "e.txt:1: bad event number"},
        {"0 FileMark\n", "bad event number"},
        {"1 A\n1 B\n", "e.txt:2: event 1 already defined on line 1"},
        {"1 A\n2 A\n", "e.txt:2: event name \"A\" already used by event 1"},
        {"1 \xFF\xFE\n", "e.txt:1: event name is not UTF-8 text"},
    };
    for (const auto& [text, message] : bad) {
        EXPECT_FALSE(e.LoadText(text, "e.txt", &error)) << text;
        EXPECT_NE(error.Find(message), -1) << text << " gave: " << error.GetString();
        EXPECT_TRUE(e.All().empty());
    }
}

// The shipped tables: the IEs other parts of the system look up by number or by
// name, with the field types their writers rely on.
TEST(ShippedTablesTest, HoldTheIEsTheSystemNames) {
    CIETable t;
    CString error;
    ASSERT_TRUE(t.Load(IETABLE_SOURCE_CONFIG "/IETable.txt", &error)) << error.GetString();
    struct Anchor {
        int number;
        const char* name;
        int type;
    };
    const Anchor anchors[] = {
        {1, "RecordID", 4},
        {2, "RecordTime", 5},
        {3, "MessageID", 4},
        {10, "EventID_0", 4},
        {20, "EventName_0", 2},
        {35, "MsgName", 2},
        {37, "MsgContent", 2},
        {183, "MidambleShift_0", 3},
        {511, "TimeslotISCP_0", 3},
        {1034, "TrCHBLER_1", 5},
        {1066, "Total_BLER", 5},
        {1365, "Nbor_ISCP_0_0", 3},
        {1588, "Nbor_ISCP_31_6", 3},
        {2379, "Longitude", 5},
        {2380, "Latitude", 5},
        {2381, "Distance", 5},
        {2386, "TimeStamp", 4},
        {2436, "UARFCN_Scan_1", 3},
        {2710, "PCCPCH_RSCP_Scan_1", 3},
        {3534, "RSSI_Frame_Scan_1", 3},
        {10736, "DDI_0_0", 3},
        {10753, "DDI_1_1", 3},
        {31703, "RxLev", 3},
        {31732, "MA_List", 2},
        {32091, "NborBCCH_0", 3},
        {32284, "FileMarkText", 2},
        {33415, "PBCH_RSRP", 3},
        {33416, "PBCH_RSRQ", 3},
        {34755, "Cell_BCH_RP_1", 3},
        {34818, "Cell_BCH_RQ_32", 3},
    };
    for (const Anchor& a : anchors) {
        const IEInfo* ie = t.FindByNumber(a.number);
        ASSERT_NE(ie, nullptr) << a.number;
        EXPECT_EQ(ie->name, a.name) << a.number;
        EXPECT_EQ(ie->memType, a.type) << a.name;
        EXPECT_EQ(t.FindByName(a.name), ie) << a.name;
    }
    EXPECT_EQ(t.FindByNumber(2379)->minValue, -180);
    EXPECT_EQ(t.FindByNumber(2380)->maxValue, 90);

    CEventTable e;
    ASSERT_TRUE(e.Load(IETABLE_SOURCE_CONFIG "/EventTable.txt", &error)) << error.GetString();
    ASSERT_NE(e.FindByNumber(1610), nullptr);
    EXPECT_EQ(e.FindByNumber(1610)->name, "FileMark");
    EXPECT_NE(e.FindByNumber(2052), nullptr);
    EXPECT_NE(e.FindByNumber(2053), nullptr);
}

}  // namespace
