#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "platform/Encoding.h"

using namespace platform;

namespace {
CString TempPath(const char* name) {
    return CString::Formatted("/tmp/platform_text_%d_%s", ::getpid(), name);
}

std::vector<CString> ReadAll(const CString& path, bool* gbk = nullptr) {
    CTextFileReader r;
    EXPECT_TRUE(r.Open(path));
    std::vector<CString> lines;
    CString line;
    while (r.ReadLine(line)) lines.push_back(line);
    if (gbk) *gbk = r.IsGbk();
    return lines;
}
}  // namespace

TEST(TextFileTest, ReadsGbkWithCrlf) {
    const CString path = TempPath("gbk.txt");
    ASSERT_TRUE(
        WriteTextFile(path, "Time,Cell\r\n" + Utf8ToGbk("12:00,小区一\r\n12:01,小区二\r\n")));
    bool gbk = false;
    EXPECT_EQ(ReadAll(path, &gbk),
              (std::vector<CString>{"Time,Cell", "12:00,小区一", "12:01,小区二"}));
    EXPECT_TRUE(gbk);
    ::unlink(path);
}

TEST(TextFileTest, ReadsUtf8WithBomAndLastLineWithoutNewline) {
    const CString path = TempPath("bom.txt");
    ASSERT_TRUE(WriteTextFile(path,
                              "\xEF\xBB\xBF"
                              "经度\nb\r\nlast"));
    bool gbk = true;
    EXPECT_EQ(ReadAll(path, &gbk), (std::vector<CString>{"经度", "b", "last"}));
    EXPECT_FALSE(gbk);
    ::unlink(path);
}

TEST(TextFileTest, WriterEndsLinesWithCrlf) {
    const CString path = TempPath("out.txt");
    CTextFileWriter w;
    ASSERT_TRUE(w.Open(path));
    w.WriteLine("a");
    w.WriteLine("纬度");
    ASSERT_TRUE(w.Close());
    std::string raw;
    ASSERT_TRUE(ReadTextFile(path, raw));
    EXPECT_EQ(raw, "a\n纬度");
    CTextFileReader r;
    ASSERT_TRUE(r.Open(path));
    EXPECT_EQ(r.Size(), 11);
    ::unlink(path);
    EXPECT_FALSE(r.Open("/nonexistent/dir/x.txt"));
}
