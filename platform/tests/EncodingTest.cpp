#include "platform/Encoding.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(EncodingTest, GbkByteCountCountsChineseAsTwo) {
    EXPECT_EQ(GbkByteCount(""), 0);
    EXPECT_EQ(GbkByteCount("abc"), 3);
    EXPECT_EQ(GbkByteCount("小区A1"), 6);
    EXPECT_EQ(GbkByteCount("上行数据流"), 10);
    EXPECT_EQ(GbkByteCount(Utf8ToGbk("小区A1").size() == 6 ? "ok" : "bad"), 2);
}

TEST(EncodingTest, GbkRoundTripAndBadBytes) {
    const std::string gbk = Utf8ToGbk("下行数据流 ok");
    EXPECT_EQ(gbk.size(), 13u);
    EXPECT_EQ(GbkToUtf8(gbk), "下行数据流 ok");
    // A lone lead byte at the end is replaced, not dropped with what follows it.
    EXPECT_EQ(GbkToUtf8("ab\xD6"), "ab\xEF\xBF\xBD");
}

TEST(EncodingTest, WideAndUtf16) {
    const std::string s = "Zivo 测试 \xF0\x9F\x98\x80";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(s)), s);
    const std::u16string u = Utf8ToUtf16(s);
    EXPECT_EQ(u.size(), 10u);  // the emoji takes a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(u), s);
    EXPECT_TRUE(IsValidUtf8(s));
    EXPECT_FALSE(IsValidUtf8("\xD6\xD0"));
}
