// The inner path helpers: UTF-8 both ways and wildcard patterns.
#include "Path.h"

#include <gtest/gtest.h>

#include <string>

#include "fileio/Mem.h"

namespace {

std::string Encode(const std::wstring& text) {
    char* bytes = FilePath_encode(text.c_str());
    if (bytes == nullptr) return "<null>";
    std::string s(bytes);
    Mem_free(bytes, __FILE__, __LINE__);
    return s;
}

std::wstring Decode(const std::string& bytes) {
    wchar_t* text = FilePath_decode(bytes.data(), bytes.size());
    std::wstring s(text);
    Mem_free(text, __FILE__, __LINE__);
    return s;
}

TEST(FilePathTest, Utf8BothWays) {
    struct Case {
        const wchar_t* wide;
        const char* bytes;
    } cases[] = {
        {L"plain", "plain"},
        {L"\u00e9t\u00e9", "\xc3\xa9t\xc3\xa9"},
        {L"\u6570\u636e", "\xe6\x95\xb0\xe6\x8d\xae"},
        {L"\U0001F600", "\xf0\x9f\x98\x80"},
        {L"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Encode(c.wide), c.bytes);
        EXPECT_EQ(Decode(c.bytes), c.wide);
    }
}

TEST(FilePathTest, BytesThatAreNotUtf8ComeBackUnchanged) {
    const std::string names[] = {"\xff\xfe", "a\x80z",           "\xc3",      "\xed\xa0\x80",
                                 "\xc0\xaf", "\xf4\x90\x80\x80", "ok\xe6\x95"};
    for (const std::string& name : names) {
        const std::wstring wide = Decode(name);
        for (wchar_t c : wide)
            EXPECT_TRUE(c < 0xD800 || c > 0xDFFF || (c >= 0xDC80 && c <= 0xDCFF));
        EXPECT_EQ(Encode(wide), name);
    }
    EXPECT_EQ(Decode("\xff"), std::wstring(1, static_cast<wchar_t>(0xDCFF)));
}

TEST(FilePathTest, CharactersWithoutUtf8FormAreRefused) {
    const wchar_t bad[][2] = {{static_cast<wchar_t>(0xD800), 0},
                              {static_cast<wchar_t>(0xDC10), 0},
                              {static_cast<wchar_t>(0x110000), 0},
                              {static_cast<wchar_t>(-5), 0}};
    for (const auto& text : bad) EXPECT_EQ(Encode(text), "<null>");
}

TEST(FilePathTest, WildcardPatterns) {
    struct Case {
        const wchar_t* pattern;
        const wchar_t* name;
        int matches;
    } cases[] = {
        {L"*.*", L"a.txt", 1},    {L"*.*", L"README", 1},
        {L"*.*", L".hidden", 1},  {L"*", L"anything", 1},
        {L"*.txt", L"a.txt", 1},  {L"*.txt", L"a.txt.bak", 0},
        {L"*.txt", L"txt", 0},    {L"?.txt", L"a.txt", 1},
        {L"?.txt", L"ab.txt", 0}, {L"a*", L"a", 1},
        {L"a*b", L"axxb", 1},     {L"a*b", L"axxbc", 0},
        {L"a*.*", L"abc", 1},     {L"c.*", L"c", 1},
        {L"c.*", L"cd", 0},       {L"*a*a*a*b", L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 0},
        {L"A.TXT", L"a.txt", 0},  {L"a.txt", L"a.txt", 1},
        {L"", L"a", 0},           {L"**?", L"x", 1},
        {L"x.**", L"x", 1},       {L"*.", L"a.", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilePath_matches(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(FilePathTest, PreparedPathSplitsAtTheLastSeparator) {
    FilePath p;
    ASSERT_TRUE(FilePath_prepare(L"/data//logs/./x/../a.txt", &p));
    EXPECT_STREQ(p.full, L"/data/logs/a.txt");
    EXPECT_STREQ(p.system, "/data/logs/a.txt");
    EXPECT_EQ(p.nameStart, 11u);
    EXPECT_EQ(p.length, 16u);
    EXPECT_EQ(p.absolute, 1);
    FilePath_release(&p);
    EXPECT_EQ(p.full, nullptr);
}

}  // namespace
