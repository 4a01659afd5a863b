// Copying files and directory trees.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FileTestSupport.h"

namespace fileio_test {
namespace {

class FileCopyTest : public FileTest {};

TEST_F(FileCopyTest, FileWithAndWithoutOverwrite) {
    WriteFile(Path("a.txt"), "new");
    WriteFile(Path("b.txt"), "old, and longer");
    Obj a(Path("a.txt"));
    Obj b(Path("b.txt"));
    EXPECT_EQ(File_copyTo(a, b, 0), 0);
    EXPECT_EQ(ReadFile(Path("b.txt")), "old, and longer");
    EXPECT_EQ(File_copyTo(a, b, 2), 0) << "only a flag of exactly 1 replaces";
    EXPECT_EQ(File_copyTo(a, b, 1), 1);
    EXPECT_EQ(ReadFile(Path("b.txt")), "new");

    Obj c(Path("c.txt"));
    EXPECT_EQ(File_copyTo(a, c, 0), 1);
    EXPECT_EQ(ReadFile(Path("c.txt")), "new");
    EXPECT_EQ(ReadFile(Path("a.txt")), "new");
}

TEST_F(FileCopyTest, CopyKeepsPermissionsAndLastWriteTime) {
    std::string big(300000, 'x');
    for (size_t i = 0; i < big.size(); i++) big[i] = static_cast<char>('a' + i % 26);
    WriteFile(Path("a.bin"), big);
    ASSERT_EQ(::chmod(Path("a.bin").c_str(), 0751), 0);
    const struct timespec times[2] = {{1500000000, 0}, {1500000000, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path("a.bin").c_str(), times, 0), 0);
    Obj a(Path("a.bin"));
    Obj b(Path("b.bin"));
    EXPECT_EQ(File_copyTo(a, b, 0), 1);
    EXPECT_EQ(ReadFile(Path("b.bin")), big);
    struct stat st;
    ASSERT_EQ(::stat(Path("b.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0751u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1500000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500);
}

TEST_F(FileCopyTest, NeverOntoItselfNorFromWhatIsMissing) {
    WriteFile(Path("a.txt"), "content");
    Obj a(Path("a.txt"));
    Obj same(Path("sub/../a.txt"));
    EXPECT_EQ(File_copyTo(a, same, 1), 0);
    ASSERT_EQ(::symlink(Path("a.txt").c_str(), Path("link").c_str()), 0);
    Obj link(Path("link"));
    EXPECT_EQ(File_copyTo(a, link, 1), 0);
    EXPECT_EQ(ReadFile(Path("a.txt")), "content");

    Obj missing(Path("missing"));
    Obj target(Path("target"));
    EXPECT_EQ(File_copyTo(missing, target, 1), 0);
    EXPECT_EQ(File_copyTo(nullptr, target, 1), 0);
    EXPECT_EQ(File_copyTo(a, nullptr, 1), 0);
    EXPECT_FALSE(Exists(Path("target")));
}

// Builds src/ with a file, a hidden file and a nested directory.
void MakeTree(const std::string& root) {
    ::mkdir(root.c_str(), 0755);
    ::mkdir((root + "/sub").c_str(), 0755);
    ::mkdir((root + "/sub/deeper").c_str(), 0755);
    ::mkdir((root + "/empty").c_str(), 0755);
    WriteFile(root + "/a.txt", "a");
    WriteFile(root + "/.hidden", "h");
    WriteFile(root + "/sub/b.txt", "b");
    WriteFile(root + "/sub/deeper/c.txt", "c");
}

TEST_F(FileCopyTest, DirectoryRecursively) {
    MakeTree(Path("src"));
    Obj src(Path("src"));
    Obj dst(Path("dst"));
    EXPECT_EQ(File_copyTo(src, dst, 0), 1);
    EXPECT_TRUE(File_isDirectory(dst)) << "the target was made with File_mkdir";
    EXPECT_EQ(ReadFile(Path("dst/a.txt")), "a");
    EXPECT_EQ(ReadFile(Path("dst/.hidden")), "h");
    EXPECT_EQ(ReadFile(Path("dst/sub/b.txt")), "b");
    EXPECT_EQ(ReadFile(Path("dst/sub/deeper/c.txt")), "c");
    EXPECT_TRUE(isDirectory(WPath("dst/empty").c_str()));
}

TEST_F(FileCopyTest, DirectoryOntoAnExistingOne) {
    MakeTree(Path("src"));
    MakeTree(Path("dst"));
    WriteFile(Path("dst/sub/b.txt"), "kept");
    WriteFile(Path("dst/own.txt"), "own");
    Obj src(Path("src"));
    Obj dst(Path("dst"));
    EXPECT_EQ(File_copyTo(src, dst, 0), 1) << "existing files are left alone";
    EXPECT_EQ(ReadFile(Path("dst/sub/b.txt")), "kept");
    EXPECT_EQ(File_copyTo(src, dst, 1), 1);
    EXPECT_EQ(ReadFile(Path("dst/sub/b.txt")), "b");
    EXPECT_EQ(ReadFile(Path("dst/own.txt")), "own");
}

TEST_F(FileCopyTest, DirectoryRefusals) {
    MakeTree(Path("src"));
    Obj src(Path("src"));
    Obj orphan(Path("missing/dst"));
    EXPECT_EQ(File_copyTo(src, orphan, 1), 0) << "the target's parent must exist";
    WriteFile(Path("file"), "x");
    Obj file(Path("file"));
    EXPECT_EQ(File_copyTo(src, file, 1), 0) << "a target that is a file";
    Obj under_file(Path("file/dst"));
    EXPECT_EQ(File_copyTo(src, under_file, 1), 0) << "a parent that is a file";

    // Into itself, which would copy forever.
    Obj inside(Path("src/sub/copy"));
    EXPECT_EQ(File_copyTo(src, inside, 1), 0);
    EXPECT_FALSE(Exists(Path("src/sub/copy")));
    Obj itself(Path("src"));
    EXPECT_EQ(File_copyTo(src, itself, 1), 0);
    ASSERT_EQ(::symlink(Path("src/sub").c_str(), Path("alias").c_str()), 0);
    Obj through_link(Path("alias/copy"));
    EXPECT_EQ(File_copyTo(src, through_link, 1), 0);
    EXPECT_FALSE(Exists(Path("src/sub/copy")));
}

TEST_F(FileCopyTest, DirectoryCopyStopsAtAnEntryItCannotCopy) {
    ASSERT_EQ(::mkdir(Path("src").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(Path("src/pipe").c_str(), 0644), 0);
    Obj src(Path("src"));
    Obj dst(Path("dst"));
    EXPECT_EQ(File_copyTo(src, dst, 1), 0);
}

}  // namespace
}  // namespace fileio_test
