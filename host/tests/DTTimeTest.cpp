// CDTTime: construction, seconds and texts under fixed time zones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <vector>

#include "logio/host/DTTime.h"

namespace {

// POSIX zone rules, so no zone database is needed.
constexpr const char* kChina = "CST-8";
constexpr const char* kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";

class DTTimeTest : public ::testing::Test {
protected:
    void UseZone(const char* tz) {
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    void SetUp() override { UseZone(kChina); }
};

TEST_F(DTTimeTest, SecondsPrintAsLocalDateAndTime) {
    // 1700000000 is 2023-11-14 22:13:20 UTC.
    const CDTTime t(1700000000.25);
    ASSERT_TRUE(t.IsValid());
    EXPECT_EQ(t.GetDblSecond(), 1700000000.25);
    EXPECT_EQ(t.ToString(127), "2023-11-15 06:13:20.250");
    EXPECT_EQ(t.ToString(126), "2023-11-15 06:13:20");
    EXPECT_EQ(t.ToString(), t.ToString(CDTTime::DT_DATETIME_MS));
    EXPECT_EQ(t.ToString(CDTTime::DT_DATE), "2023-11-15");
    EXPECT_EQ(t.ToString(CDTTime::DT_TIME), "06:13:20");
    EXPECT_EQ(t.ToString(CDTTime::DT_TIME | CDTTime::DT_MILLISECOND), "06:13:20.250");
    EXPECT_EQ(t.ToString(CDTTime::DT_DAY | CDTTime::DT_HOUR), "15 06");
    EXPECT_EQ(t.ToString(0), "");

    UseZone("UTC0");
    EXPECT_EQ(t.ToString(127), "2023-11-14 22:13:20.250");
}

TEST_F(DTTimeTest, MillisecondsRoundOnce) {
    struct Case {
        double seconds;
        const char* with;
        const char* without;
    };
    UseZone("UTC0");
    const Case cases[] = {
        {1700000000.123, "2023-11-14 22:13:20.123", "2023-11-14 22:13:20"},
        {1700000000.9996, "2023-11-14 22:13:21.000", "2023-11-14 22:13:21"},
        {1700000000.9994, "2023-11-14 22:13:20.999", "2023-11-14 22:13:20"},
        {-1.5, "1969-12-31 23:59:58.500", "1969-12-31 23:59:58"},
        {0, "1970-01-01 00:00:00.000", "1970-01-01 00:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CDTTime(c.seconds).ToString(127), c.with) << c.seconds;
        EXPECT_EQ(CDTTime(c.seconds).ToString(126), c.without) << c.seconds;
    }
}

TEST_F(DTTimeTest, TextsSortAsTimes) {
    const double times[] = {-86400.5, 9.999, 10, 35999.999, 36000, 1e9, 1700000000, 4102444800};
    std::vector<CString> texts;
    for (double s : times) texts.push_back(CDTTime(s).ToString(127));
    for (size_t i = 1; i < texts.size(); ++i) EXPECT_LT(texts[i - 1], texts[i]);
}

TEST_F(DTTimeTest, NoValueAndOutOfRangeMakeNoTime) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const CDTTime& t : {CDTTime(), CDTTime(-255.0), CDTTime(nan), CDTTime(inf), CDTTime(1e300),
                             CDTTime(-1e300)}) {
        EXPECT_FALSE(t.IsValid());
        EXPECT_EQ(t.GetDblSecond(), -255.0);
        EXPECT_EQ(t.ToString(127), "-255");
        SYSTEMTIME st;
        EXPECT_FALSE(t.GetAsSystemTime(st));
    }
    EXPECT_TRUE(CDTTime(-255.5).IsValid());  // only the code itself is no time
}

TEST_F(DTTimeTest, CalendarDateAndSecondsOfDay) {
    const CDTTime t(2024, 3, 5, 45015.25);
    ASSERT_TRUE(t.IsValid());
    EXPECT_EQ(t.GetDblSecond(), platform::LocalMidnight(2024, 3, 5) + 45015.25);
    EXPECT_EQ(t.ToString(127), "2024-03-05 12:30:15.250");
    EXPECT_EQ(CDTTime(2024, 3, 5, 0).GetDblSecond(), platform::LocalMidnight(2024, 3, 5));
    // Beyond the day the seconds count on from midnight.
    EXPECT_EQ(CDTTime(2024, 3, 5, 86460).ToString(126), "2024-03-06 00:01:00");
    EXPECT_EQ(CDTTime(2024, 3, 5, -1).ToString(126), "2024-03-04 23:59:59");
    // Dates that do not exist.
    EXPECT_FALSE(CDTTime(2024, 2, 30, 0).IsValid());
    EXPECT_FALSE(CDTTime(2023, 2, 29, 0).IsValid());
    EXPECT_FALSE(CDTTime(2024, 13, 1, 0).IsValid());
    EXPECT_FALSE(CDTTime(2024, 1, 0, 0).IsValid());
    EXPECT_FALSE(CDTTime(2024, 1, 1, std::numeric_limits<double>::quiet_NaN()).IsValid());
    EXPECT_TRUE(CDTTime(2024, 2, 29, 0).IsValid());
}

TEST_F(DTTimeTest, WallClockHoldsOnDaylightSavingDays) {
    UseZone(kBerlin);
    // Clocks go forward at 02:00 on 2024-03-31 and back at 03:00 on 2024-10-27.
    EXPECT_EQ(CDTTime(2024, 3, 31, 10 * 3600).ToString(126), "2024-03-31 10:00:00");
    EXPECT_EQ(CDTTime(2024, 10, 27, 10 * 3600).ToString(126), "2024-10-27 10:00:00");
    EXPECT_EQ(
        CDTTime(2024, 3, 31, 10 * 3600).GetDblSecond() - CDTTime(2024, 3, 31, 0).GetDblSecond(),
        9 * 3600);
    // Summer and winter offsets come from the system.
    EXPECT_EQ(CDTTime(2024, 7, 1, 12 * 3600).GetDblSecond(), 1719828000.0);  // 10:00 UTC
    EXPECT_EQ(CDTTime(2024, 1, 1, 12 * 3600).GetDblSecond(), 1704106800.0);  // 11:00 UTC
}

TEST_F(DTTimeTest, SystemTimeFields) {
    SYSTEMTIME st;
    st.wYear = 2024;
    st.wMonth = 3;
    st.wDay = 5;
    st.wHour = 8;
    st.wMinute = 30;
    st.wSecond = 15;
    st.wMilliseconds = 250;
    const CDTTime t(st);
    ASSERT_TRUE(t.IsValid());
    EXPECT_EQ(t.ToString(127), "2024-03-05 08:30:15.250");
    SYSTEMTIME back;
    ASSERT_TRUE(t.GetAsSystemTime(back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 3);
    EXPECT_EQ(back.wDay, 5);
    EXPECT_EQ(back.wDayOfWeek, 2);  // Tuesday
    EXPECT_EQ(back.wHour, 8);
    EXPECT_EQ(back.wMinute, 30);
    EXPECT_EQ(back.wSecond, 15);
    EXPECT_EQ(back.wMilliseconds, 250);

    SYSTEMTIME bad = st;
    bad.wMilliseconds = 1000;
    EXPECT_FALSE(CDTTime(bad).IsValid());
    bad = st;
    bad.wDay = 31;
    bad.wMonth = 4;
    EXPECT_FALSE(CDTTime(bad).IsValid());
    EXPECT_FALSE(CDTTime(SYSTEMTIME{}).IsValid());
}

}  // namespace
