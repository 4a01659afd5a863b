// Attribute tests of objects (the snapshot) and of plain paths (asked each time).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileTestSupport.h"

namespace fileio_test {
namespace {

class FileAttributeTest : public FileTest {};

struct Tests {
    int exists, directory, file, writable, hidden;
};

Tests OfObject(File_T f) {
    return {File_exists(f), File_isDirectory(f), File_isFile(f), File_canWrite(f),
            File_isHidden(f)};
}

Tests OfPath(const std::wstring& path) {
    return {isExists(path.c_str()), isDirectory(path.c_str()), isFile(path.c_str()),
            canWrite(path.c_str()), isHidden(path.c_str())};
}

void ExpectTests(const Tests& got, const Tests& want, const std::string& what) {
    EXPECT_EQ(got.exists, want.exists) << what;
    EXPECT_EQ(got.directory, want.directory) << what;
    EXPECT_EQ(got.file, want.file) << what;
    EXPECT_EQ(got.writable, want.writable) << what;
    EXPECT_EQ(got.hidden, want.hidden) << what;
}

TEST_F(FileAttributeTest, MissingPathFailsEveryTest) {
    Obj f(Path("missing/a.txt"));
    ASSERT_NE(f.f, nullptr);
    EXPECT_EQ(File_getAttribute(f), File_NO_ATTRIBUTES);
    EXPECT_EQ(static_cast<int32_t>(File_getAttribute(f)), -1);
    ExpectTests(OfObject(f), {0, 0, 0, 0, 0}, "object");
    EXPECT_EQ(File_canRead(f), 0);
    ExpectTests(OfPath(WPath("missing/a.txt")), {0, 0, 0, 0, 0}, "path");
    EXPECT_EQ(canRead(WPath("missing/a.txt").c_str()), 0);
    EXPECT_EQ(File_lastModified(f), nullptr);
    EXPECT_EQ(File_listFiles(f), nullptr);
    EXPECT_EQ(File_listFilesFiler(f, L"*"), nullptr);
    EXPECT_EQ(File_lists(f), nullptr);
    EXPECT_EQ(File_listFiler(f, L"*"), nullptr);
    EXPECT_EQ(File_delete(f), 1);
    EXPECT_EQ(File_deleteOnExit(f), 0);
    Obj other(Path("other"));
    EXPECT_EQ(File_renameTo(f, other), 0);
    EXPECT_EQ(File_copyTo(f, other, 1), 0);
    // Null objects and paths count as missing.
    ExpectTests(OfObject(nullptr), {0, 0, 0, 0, 0}, "null object");
    EXPECT_EQ(isExists(nullptr), 0);
    EXPECT_EQ(File_getAttribute(nullptr), File_NO_ATTRIBUTES);
}

TEST_F(FileAttributeTest, FilesDirectoriesAndHiddenNames) {
    WriteFile(Path("a.txt"), "x");
    WriteFile(Path(".hidden"), "x");
    ASSERT_EQ(::mkdir(Path("sub").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(Path(".cache").c_str(), 0755), 0);
    struct Case {
        const char* name;
        uint32_t attributes;
        Tests tests;
    } cases[] = {
        {"a.txt", File_ARCHIVE, {1, 0, 1, 1, 0}},
        {".hidden", File_ARCHIVE | File_HIDDEN, {1, 0, 1, 1, 2}},
        {"sub", File_DIRECTORY, {1, 1, 0, 1, 0}},
        {".cache", File_DIRECTORY | File_HIDDEN, {1, 1, 0, 1, 2}},
        {"sub/../a.txt", File_ARCHIVE, {1, 0, 1, 1, 0}},
        {"missing/../a.txt", File_ARCHIVE, {1, 0, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        Obj f(Path(c.name));
        EXPECT_EQ(File_getAttribute(f), c.attributes) << c.name;
        ExpectTests(OfObject(f), c.tests, c.name);
        ExpectTests(OfPath(WPath(c.name)), c.tests, c.name);
        EXPECT_EQ(File_canRead(f), File_exists(f));
        EXPECT_EQ(canRead(WPath(c.name).c_str()), isExists(WPath(c.name).c_str()));
    }
}

TEST_F(FileAttributeTest, OtherKindsOfEntries) {
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("nowhere", Path("dangling").c_str()), 0);
    ASSERT_EQ(::symlink(dir_.c_str(), Path("link").c_str()), 0);
    Obj pipe(Path("pipe"));
    EXPECT_EQ(File_getAttribute(pipe), 0u);
    EXPECT_TRUE(File_isFile(pipe));
    // A link whose target is missing exists as the link itself; others are their target.
    Obj dangling(Path("dangling"));
    EXPECT_TRUE(File_exists(dangling));
    EXPECT_FALSE(File_isDirectory(dangling));
    Obj link(Path("link"));
    EXPECT_TRUE(File_isDirectory(link));
}

TEST_F(FileAttributeTest, ReadOnlyForTheCaller) {
    WriteFile(Path("locked.txt"), "x");
    ASSERT_EQ(::chmod(Path("locked.txt").c_str(), 0444), 0);
    const std::string path = Path("locked.txt");
    const int code = RunAsNobody([&] {
        File_T f = File_new(W(path).c_str());
        int fails = 0;
        fails += File_exists(f) != 1;
        fails += File_canWrite(f) != 0;
        fails += (File_getAttribute(f) & File_READONLY) == 0;
        fails += canWrite(W(path).c_str()) != 0;
        fails += isExists(W(path).c_str()) != 1;
        File_free(&f);
        return fails;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(FileAttributeTest, SnapshotIsNotRefreshed) {
    Obj f(Path("later.txt"));
    EXPECT_FALSE(File_exists(f));
    WriteFile(Path("later.txt"), "x");
    EXPECT_FALSE(File_exists(f)) << "the object keeps what it saw";
    EXPECT_TRUE(isExists(WPath("later.txt").c_str())) << "a plain test asks again";
}

TEST_F(FileAttributeTest, LastModifiedIn100NanosecondUnitsSince1601) {
    WriteFile(Path("a.txt"), "x");
    // 2020-01-01 00:00:00.1234567 UTC.
    const struct timespec times[2] = {{1577836800, 123456700}, {1577836800, 123456700}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path("a.txt").c_str(), times, 0), 0);
    Obj f(Path("a.txt"));
    File_Time* t = File_lastModified(f);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t, &f->lastWriteTime);
    const uint64_t ticks = (static_cast<uint64_t>(t->highDateTime) << 32) | t->lowDateTime;
    EXPECT_EQ(ticks, 132223104001234567ull);

    // Read once per object.
    const struct timespec later[2] = {{1600000000, 0}, {1600000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path("a.txt").c_str(), later, 0), 0);
    EXPECT_EQ(File_lastModified(f)->lowDateTime, t->lowDateTime);
    Obj fresh(Path("a.txt"));
    const File_Time* u = File_lastModified(fresh);
    EXPECT_EQ((static_cast<uint64_t>(u->highDateTime) << 32) | u->lowDateTime,
              (1600000000ull + 11644473600ull) * 10000000ull);

    // Directories have one too.
    Obj dir(dir_);
    EXPECT_NE(File_lastModified(dir), nullptr);
    EXPECT_EQ(File_lastModified(nullptr), nullptr);
}

TEST_F(FileAttributeTest, LastModifiedOfAPathGoneSinceIsNull) {
    WriteFile(Path("a.txt"), "x");
    Obj f(Path("a.txt"));
    ASSERT_EQ(::unlink(Path("a.txt").c_str()), 0);
    EXPECT_EQ(File_lastModified(f), nullptr);
}

}  // namespace
}  // namespace fileio_test
