#include "platform/CString.h"

#include <gtest/gtest.h>

TEST(CStringTest, FormatUnderstandsExplicitWidthModifiers) {
    CString s;
    s.Format("请输入一个在%I32d 和%I32d 之间的整数.", -5, 12);
    EXPECT_EQ(s, "请输入一个在-5 和12 之间的整数.");
    s.Format("%I64d|%I32u|%5.2f|%s|%%", 1234567890123LL, 4000000000u, 3.14159, CString("x"));
    EXPECT_EQ(s, "1234567890123|4000000000| 3.14|x|%");
    s.AppendFormat("%s", std::string(300, 'a'));  // beyond the small buffer
    EXPECT_EQ(s.GetLength(), 34 + 300);
}

TEST(CStringTest, SearchAndSliceClampLikeTheFramework) {
    const CString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find("z"), -1);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.Mid(2), "b.c");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(1, 100), ".b.c");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(2), ".c");
    EXPECT_EQ(s.Right(9), "a.b.c");
}

TEST(CStringTest, EditingOperations) {
    CString s("  Hello World \r\n");
    s.Trim();
    EXPECT_EQ(s, "Hello World");
    EXPECT_EQ(s.Replace("o", "0"), 2);
    EXPECT_EQ(s, "Hell0 W0rld");
    EXPECT_EQ(s.Remove('l'), 3);
    EXPECT_EQ(s, "He0 W0rd");
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    CString t("xxabcxx");
    t.Trim('x');
    EXPECT_EQ(t, "abc");

    int pos = 0;
    const CString csv("a,,b;c");
    std::vector<CString> tokens;
    for (CString tok = csv.Tokenize(",;", pos); pos >= 0; tok = csv.Tokenize(",;", pos))
        tokens.push_back(tok);
    EXPECT_EQ(tokens, (std::vector<CString>{"a", "b", "c"}));
}
