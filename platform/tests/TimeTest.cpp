#include "platform/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

namespace {
struct ScopedTz {
    explicit ScopedTz(const char* tz) {
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    ~ScopedTz() {
        ::unsetenv("TZ");
        ::tzset();
    }
};
}  // namespace

TEST(TimeTest, LocalMidnightAcrossDaylightSavingChange) {
    ScopedTz tz("Europe/Berlin");
    // Summer time starts on 2024-03-31 at 02:00: that day is 23 hours long.
    const int64_t d30 = LocalMidnight(2024, 3, 30);
    const int64_t d31 = LocalMidnight(2024, 3, 31);
    const int64_t a01 = LocalMidnight(2024, 4, 1);
    EXPECT_EQ(d30, 1711753200);  // 2024-03-29T23:00:00Z
    EXPECT_EQ(d31 - d30, 24 * 3600);
    EXPECT_EQ(a01 - d31, 23 * 3600);
    SYSTEMTIME st;
    ASSERT_TRUE(SecondsToLocal(a01, st));
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(LocalMidnight(2024, 2, 30), -1);
    EXPECT_EQ(LocalMidnight(2024, 13, 1), -1);
}

TEST(TimeTest, DateTimeStatus) {
    ScopedTz tz("Asia/Shanghai");
    COleDateTime d(2009, 6, 1, 8, 30, 5);
    EXPECT_EQ(d.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(d.Format(), "2009-06-01 08:30:05");
    EXPECT_EQ(d.ToSeconds(), 1243816205);
    EXPECT_EQ(COleDateTime::FromSeconds(1243816205), d);
    COleDateTime bad(2009, 2, 29, 0, 0, 0);
    EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(bad.ToSeconds(), -1);
    EXPECT_EQ(bad.Format(), "");
}
