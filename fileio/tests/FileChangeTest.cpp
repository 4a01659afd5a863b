// Creating, deleting and renaming.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "FileTestSupport.h"

namespace fileio_test {
namespace {

class FileChangeTest : public FileTest {};

TEST_F(FileChangeTest, CreateNewFile) {
    Obj f(Path("new.txt"));
    EXPECT_EQ(File_createNewFile(f), 1);
    EXPECT_EQ(File_getAttribute(f), static_cast<uint32_t>(File_ARCHIVE));
    EXPECT_TRUE(Exists(Path("new.txt")));
    EXPECT_EQ(File_createNewFile(f), 0) << "it exists now";
    Obj again(Path("new.txt"));
    EXPECT_EQ(File_createNewFile(again), 0);

    Obj hidden(Path(".new"));
    EXPECT_EQ(File_createNewFile(hidden), 1);
    EXPECT_EQ(File_isHidden(hidden), 2);

    Obj orphan(Path("missing/new.txt"));
    EXPECT_EQ(File_createNewFile(orphan), 0);
    EXPECT_FALSE(Exists(Path("missing")));
    EXPECT_EQ(File_createNewFile(nullptr), 0);
}

TEST_F(FileChangeTest, CreateNewFileNeverReplacesAFileMadeSinceTheSnapshot) {
    Obj f(Path("race.txt"));
    WriteFile(Path("race.txt"), "theirs");
    EXPECT_EQ(File_createNewFile(f), 0);
    EXPECT_EQ(ReadFile(Path("race.txt")), "theirs");
}

TEST_F(FileChangeTest, Mkdir) {
    Obj d(Path("d"));
    EXPECT_EQ(File_mkdir(d), 1);
    EXPECT_EQ(File_getAttribute(d), static_cast<uint32_t>(File_DIRECTORY));
    EXPECT_TRUE(File_isDirectory(d));
    EXPECT_EQ(File_mkdir(d), 0) << "the path exists";
    Obj deep(Path("x/y"));
    EXPECT_EQ(File_mkdir(deep), 0) << "its parent is missing";
    EXPECT_FALSE(File_exists(deep));
    EXPECT_EQ(File_mkdir(nullptr), 0);
}

TEST_F(FileChangeTest, MkdirFailsWhenTheSystemRefuses) {
    // Under a regular file: the system says "not a directory", not "not found".
    WriteFile(Path("file"), "x");
    Obj under(Path("file/sub"));
    EXPECT_EQ(File_mkdir(under), 0);
    EXPECT_EQ(File_mkdirs(under), 0);
    EXPECT_FALSE(File_exists(under));

    // Without permission to write the parent.
    ASSERT_EQ(::mkdir(Path("locked").c_str(), 0555), 0);
    const std::string path = Path("locked/denied");
    const int code = RunAsNobody([&] {
        File_T f = File_new(W(path).c_str());
        File_T g = File_new(W(path + "/a/b").c_str());
        const int fails = (File_mkdir(f) != 0) + (File_mkdirs(g) != 0) + File_exists(f);
        File_free(&f);
        File_free(&g);
        return fails;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(Exists(path));
}

TEST_F(FileChangeTest, MkdirsMakesEveryLevel) {
    Obj c(Path("a/b/c"));
    EXPECT_EQ(File_mkdirs(c), 1);
    EXPECT_EQ(File_getAttribute(c), static_cast<uint32_t>(File_DIRECTORY));
    for (const char* level : {"a", "a/b", "a/b/c"}) EXPECT_TRUE(isDirectory(WPath(level).c_str()));
    EXPECT_EQ(File_mkdir(c), 0);
    EXPECT_EQ(File_mkdirs(c), 0);
    Obj more(Path("a/b/c/d/e"));
    EXPECT_EQ(File_mkdirs(more), 1) << "levels that exist are passed over";
    EXPECT_TRUE(isDirectory(WPath("a/b/c/d/e").c_str()));
}

TEST_F(FileChangeTest, DeleteAFile) {
    WriteFile(Path("a.txt"), "x");
    Obj f(Path("a.txt"));
    EXPECT_EQ(File_delete(f), 1);
    EXPECT_FALSE(File_exists(f));
    EXPECT_EQ(File_getAttribute(f), File_NO_ATTRIBUTES);
    EXPECT_FALSE(Exists(Path("a.txt")));
    EXPECT_EQ(File_delete(f), 1) << "a missing path counts as deleted";
    EXPECT_EQ(File_delete(nullptr), 0);
}

TEST_F(FileChangeTest, DeleteADirectoryWithEverythingInIt) {
    for (const char* d : {"tree", "tree/sub", "tree/sub/deeper", "tree/empty"})
        ASSERT_EQ(::mkdir(Path(d).c_str(), 0755), 0);
    for (const char* f : {"tree/a.txt", "tree/.hidden", "tree/sub/b.txt", "tree/sub/deeper/c"})
        WriteFile(Path(f), f);
    ASSERT_EQ(::mkfifo(Path("tree/sub/pipe").c_str(), 0644), 0);
    Obj tree(Path("tree"));
    EXPECT_EQ(File_delete(tree), 1);
    EXPECT_FALSE(Exists(Path("tree")));
    EXPECT_FALSE(File_exists(tree));
}

TEST_F(FileChangeTest, DeleteNeverFollowsALink) {
    ASSERT_EQ(::mkdir(Path("keep").c_str(), 0755), 0);
    WriteFile(Path("keep/precious.txt"), "x");
    ASSERT_EQ(::mkdir(Path("tree").c_str(), 0755), 0);
    ASSERT_EQ(::symlink(Path("keep").c_str(), Path("tree/link").c_str()), 0);
    ASSERT_EQ(::symlink(Path("keep").c_str(), Path("toplink").c_str()), 0);

    Obj tree(Path("tree"));
    EXPECT_EQ(File_delete(tree), 1);
    Obj top(Path("toplink"));
    EXPECT_TRUE(File_isDirectory(top));
    EXPECT_EQ(File_delete(top), 1);
    EXPECT_FALSE(Exists(Path("toplink")));
    EXPECT_TRUE(Exists(Path("keep/precious.txt")));
}

TEST_F(FileChangeTest, DeleteStopsAtTheFirstFailure) {
    ASSERT_EQ(::mkdir(Path("tree").c_str(), 0755), 0);
    WriteFile(Path("tree/a.txt"), "x");
    ASSERT_EQ(::chmod(Path("tree").c_str(), 0555), 0);
    const std::string path = Path("tree");
    const int code = RunAsNobody([&] {
        File_T f = File_new(W(path).c_str());
        const int result = File_delete(f);
        const int fails = (result != 0) + (File_exists(f) != 1);
        File_free(&f);
        return fails;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(Exists(Path("tree/a.txt")));
    ::chmod(Path("tree").c_str(), 0755);
}

TEST_F(FileChangeTest, DeleteOnExitWaitsForTheExit) {
    ASSERT_EQ(::mkdir(Path("tree").c_str(), 0755), 0);
    WriteFile(Path("tree/a.txt"), "x");
    WriteFile(Path("b.txt"), "x");
    const pid_t pid = ::fork();
    if (pid == 0) {
        File_T tree = File_new(WPath("tree").c_str());
        File_T b = File_new(WPath("b.txt").c_str());
        File_T missing = File_new(WPath("missing").c_str());
        int fails = (File_deleteOnExit(tree) != 1) + (File_deleteOnExit(b) != 1) +
                    (File_deleteOnExit(missing) != 0);
        // Still there, and still there after a forked child of this one exits.
        fails += !Exists(Path("tree/a.txt")) + !Exists(Path("b.txt")) + File_exists(missing);
        const pid_t grandchild = ::fork();
        if (grandchild == 0) std::exit(0);
        ::waitpid(grandchild, nullptr, 0);
        fails += !Exists(Path("tree/a.txt")) + !Exists(Path("b.txt"));
        File_free(&tree);
        File_free(&b);
        File_free(&missing);
        std::exit(fails);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(Exists(Path("tree")));
    EXPECT_FALSE(Exists(Path("b.txt")));
    EXPECT_EQ(File_deleteOnExit(nullptr), 0);
}

TEST_F(FileChangeTest, RenameMovesAndKeepsTheSnapshots) {
    WriteFile(Path("a.txt"), "content");
    Obj from(Path("a.txt"));
    Obj to(Path("b.txt"));
    EXPECT_EQ(File_renameTo(from, to), 1);
    EXPECT_FALSE(Exists(Path("a.txt")));
    EXPECT_EQ(ReadFile(Path("b.txt")), "content");
    EXPECT_TRUE(File_exists(from)) << "the object still reports its old snapshot";
    EXPECT_FALSE(File_exists(to));

    ASSERT_EQ(::mkdir(Path("dir").c_str(), 0755), 0);
    WriteFile(Path("dir/inside"), "x");
    Obj dir(Path("dir"));
    Obj moved(Path("moved"));
    EXPECT_EQ(File_renameTo(dir, moved), 1);
    EXPECT_TRUE(Exists(Path("moved/inside")));
}

TEST_F(FileChangeTest, RenameNeverReplacesATarget) {
    WriteFile(Path("a.txt"), "mine");
    WriteFile(Path("b.txt"), "theirs");
    Obj from(Path("a.txt"));
    Obj existing(Path("b.txt"));
    EXPECT_EQ(File_renameTo(from, existing), 0);
    // Not even one that appeared after the target object was made.
    Obj late(Path("c.txt"));
    WriteFile(Path("c.txt"), "late");
    EXPECT_EQ(File_renameTo(from, late), 0);
    EXPECT_EQ(ReadFile(Path("a.txt")), "mine");
    EXPECT_EQ(ReadFile(Path("b.txt")), "theirs");
    EXPECT_EQ(ReadFile(Path("c.txt")), "late");

    Obj missing(Path("missing"));
    Obj free_name(Path("free"));
    EXPECT_EQ(File_renameTo(missing, free_name), 0);
    EXPECT_EQ(File_renameTo(nullptr, free_name), 0);
    EXPECT_EQ(File_renameTo(from, nullptr), 0);
}

// A directory on another file system than the test directory, or "".
std::string OtherFileSystem(const std::string& dir) {
    struct stat here;
    if (::stat(dir.c_str(), &here) != 0) return "";
    for (const char* candidate : {"/dev/shm", "/run", "/var/tmp", "/tmp"}) {
        struct stat there;
        if (::stat(candidate, &there) == 0 && S_ISDIR(there.st_mode) &&
            there.st_dev != here.st_dev && ::access(candidate, W_OK) == 0)
            return candidate;
    }
    return "";
}

TEST_F(FileChangeTest, RenameMovesAFileToAnotherFileSystem) {
    const std::string other = OtherFileSystem(dir_);
    if (other.empty()) GTEST_SKIP() << "no second file system to move to";
    char name[128];
    std::snprintf(name, sizeof name, "%s/fileio_move_XXXXXX", other.c_str());
    ASSERT_NE(::mkdtemp(name), nullptr);
    const std::string there = name;

    WriteFile(Path("a.txt"), "content");
    ASSERT_EQ(::chmod(Path("a.txt").c_str(), 0640), 0);
    Obj from(Path("a.txt"));
    Obj to(there + "/a.txt");
    EXPECT_EQ(File_renameTo(from, to), 1);
    EXPECT_FALSE(Exists(Path("a.txt")));
    EXPECT_EQ(ReadFile(there + "/a.txt"), "content");
    struct stat st;
    ASSERT_EQ(::stat((there + "/a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // Never onto a file that is there, and not a directory (as the system's move).
    WriteFile(Path("b.txt"), "mine");
    Obj b(Path("b.txt"));
    Obj late(there + "/b.txt");
    WriteFile(there + "/b.txt", "theirs");
    EXPECT_EQ(File_renameTo(b, late), 0);
    EXPECT_EQ(ReadFile(Path("b.txt")), "mine");
    EXPECT_EQ(ReadFile(there + "/b.txt"), "theirs");
    ASSERT_EQ(::mkdir(Path("dir").c_str(), 0755), 0);
    Obj dir(Path("dir"));
    Obj dir_there(there + "/dir");
    EXPECT_EQ(File_renameTo(dir, dir_there), 0);
    EXPECT_TRUE(Exists(Path("dir")));

    std::error_code ec;
    std::filesystem::remove_all(there, ec);
}

}  // namespace
}  // namespace fileio_test
