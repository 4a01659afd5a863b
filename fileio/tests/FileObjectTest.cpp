// Making objects from paths, their names, parents, clones and release.
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <string>

#include "FileTestSupport.h"

namespace fileio_test {
namespace {

class FileObjectTest : public FileTest {};

// Changes the current directory for one test.
struct InDirectory {
    std::string previous;
    explicit InDirectory(const std::string& dir) {
        char* cwd = ::getcwd(nullptr, 0);
        previous = cwd;
        std::free(cwd);
        EXPECT_EQ(::chdir(dir.c_str()), 0);
    }
    ~InDirectory() { EXPECT_EQ(::chdir(previous.c_str()), 0); }
};

struct Parts {
    std::wstring directory, name, full;
    int absolute;
};

Parts PartsOf(File_T f) {
    return {Text(File_getDirectoryName(f)).str(), Text(File_getFileName(f)).str(),
            Text(File_getFullName(f)).str(), File_isAbsolute(f)};
}

TEST_F(FileObjectTest, NamePartsOfRootedPaths) {
    struct Case {
        const wchar_t* path;
        const wchar_t* directory;
        const wchar_t* name;
        const wchar_t* full;
    } cases[] = {
        {L"/data/a.txt", L"/data/", L"a.txt", L"/data/a.txt"},
        {L"/a/./b/../c.txt", L"/a/", L"c.txt", L"/a/c.txt"},
        {L"//a//b//", L"/a/", L"b", L"/a/b"},
        {L"/a/b/..", L"/", L"a", L"/a"},
        {L"/a/b/.", L"/a/", L"b", L"/a/b"},
        {L"/..", L"/", L"", L"/"},
        {L"/../../x", L"/", L"x", L"/x"},
        {L"/", L"/", L"", L"/"},
        {L"/a/...", L"/a/", L"...", L"/a/..."},
        {L"/a/.b.c", L"/a/", L".b.c", L"/a/.b.c"},
        {L"/\u6570\u636e/\u00e9.txt", L"/\u6570\u636e/", L"\u00e9.txt",
         L"/\u6570\u636e/\u00e9.txt"},
    };
    for (const Case& c : cases) {
        Obj f(File_new(c.path));
        ASSERT_NE(f.f, nullptr) << c.path;
        const Parts p = PartsOf(f);
        EXPECT_EQ(p.directory, c.directory) << c.path;
        EXPECT_EQ(p.name, c.name) << c.path;
        EXPECT_EQ(p.full, c.full) << c.path;
        EXPECT_EQ(p.absolute, 1) << c.path;
        EXPECT_EQ(f->directorySize, static_cast<int32_t>(wcslen(c.directory)) + 1);
        EXPECT_EQ(f->fileNameSize, static_cast<int32_t>(wcslen(c.name)) + 1);
        EXPECT_EQ(f->lastWriteTime.lowDateTime, 0u);
        EXPECT_EQ(f->lastWriteTime.highDateTime, 0u);
    }
}

TEST_F(FileObjectTest, RelativePathsAreCompletedWithTheCurrentDirectory) {
    ASSERT_EQ(::mkdir(Path("work").c_str(), 0755), 0);
    InDirectory in(Path("work"));
    const std::wstring work = WPath("work");
    struct Case {
        const wchar_t* path;
        std::wstring full;
    } cases[] = {
        {L"./x/y.txt", work + L"/x/y.txt"},
        {L".", work},
        {L"..", W(dir_)},
        {L"../z", WPath("z")},
        {L"./../work/./q", work + L"/q"},
        {L".hidden", work + L"/.hidden"},
        {L"plain/name", work + L"/plain/name"},
    };
    for (const Case& c : cases) {
        Obj f(File_new(c.path));
        ASSERT_NE(f.f, nullptr) << c.path;
        const Parts p = PartsOf(f);
        EXPECT_EQ(p.full, c.full) << c.path;
        EXPECT_EQ(p.absolute, 0) << c.path;
    }
    Obj dot(File_new(L"."));
    EXPECT_TRUE(File_isDirectory(dot));
}

TEST_F(FileObjectTest, PathsThatCannotBePreparedGiveNull) {
    EXPECT_EQ(File_new(nullptr), nullptr);
    EXPECT_EQ(File_new(L""), nullptr);
    const wchar_t surrogate[] = {L'/', static_cast<wchar_t>(0xD800), 0};
    EXPECT_EQ(File_new(surrogate), nullptr);
    // The system takes no path of PATH_MAX bytes or more; one byte less still works.
    std::wstring longest = L"/";
    while (longest.size() < PATH_MAX - 1) longest += (longest.size() % 200 == 0) ? L'/' : L'a';
    Obj fits(File_new(longest.c_str()));
    EXPECT_NE(fits.f, nullptr);
    EXPECT_FALSE(File_exists(fits));
    longest += L'a';
    EXPECT_EQ(File_new(longest.c_str()), nullptr);
}

TEST_F(FileObjectTest, ChildOfADirectoryText) {
    for (const std::string& parent : {dir_, dir_ + "/"}) {
        Obj f(File_instanceOfParent(W(parent).c_str(), L"a.txt"));
        EXPECT_EQ(f.full(), WPath("a.txt"));
    }
    Obj nested(File_instanceOfParent(W(dir_).c_str(), L"x/../b.txt"));
    EXPECT_EQ(nested.full(), WPath("b.txt"));
    EXPECT_EQ(File_instanceOfParent(nullptr, L"a"), nullptr);
    EXPECT_EQ(File_instanceOfParent(L"/tmp", nullptr), nullptr);
}

TEST_F(FileObjectTest, ChildOfAnObject) {
    Obj parent(dir_);
    Obj f(File_instanceOfParentFileT(parent, L"a.txt"));
    EXPECT_EQ(f.full(), WPath("a.txt"));
    Obj root(File_new(L"/"));
    Obj top(File_instanceOfParentFileT(root, L"etc"));
    EXPECT_EQ(top.full(), L"/etc");
    EXPECT_TRUE(File_isDirectory(top));
    EXPECT_EQ(File_instanceOfParentFileT(nullptr, L"a"), nullptr);
    EXPECT_EQ(File_instanceOfParentFileT(parent, nullptr), nullptr);
}

TEST_F(FileObjectTest, ParentAndClone) {
    WriteFile(Path("a.txt"), "x");
    Obj f(Path("a.txt"));
    Obj parent(File_getParent(f));
    EXPECT_EQ(parent.full(), W(dir_));
    EXPECT_TRUE(File_isDirectory(parent));
    Obj clone(File_clone(f));
    EXPECT_EQ(clone.full(), f.full());
    EXPECT_EQ(File_getAttribute(clone), File_getAttribute(f));
    EXPECT_NE(clone->fileName, f->fileName);

    Obj root(File_new(L"/"));
    Obj above_root(File_getParent(root));
    EXPECT_EQ(above_root.full(), L"/");
    EXPECT_EQ(File_getParent(nullptr), nullptr);
    EXPECT_EQ(File_clone(nullptr), nullptr);
}

TEST_F(FileObjectTest, FreeSetsThePointerToNull) {
    File_T f = File_new(L"/tmp");
    ASSERT_NE(f, nullptr);
    File_free(&f);
    EXPECT_EQ(f, nullptr);
    File_free(&f);
    File_free(nullptr);
}

TEST_F(FileObjectTest, NullObjectsGiveNullNames) {
    EXPECT_EQ(File_getFileName(nullptr), nullptr);
    EXPECT_EQ(File_getDirectoryName(nullptr), nullptr);
    EXPECT_EQ(File_getFullName(nullptr), nullptr);
    EXPECT_EQ(File_isAbsolute(nullptr), 0);
}

TEST_F(FileObjectTest, NamesThatAreNotUtf8RoundTrip) {
    const std::string raw = Path("bad\xff\xfe.txt");
    WriteFile(raw, "content");
    Obj parent(dir_);
    Names names(File_lists(parent));
    ASSERT_EQ(names.list().size(), 1u);
    const std::wstring name = names.list()[0];
    EXPECT_EQ(name, std::wstring(L"bad") + static_cast<wchar_t>(0xDCFF) +
                        static_cast<wchar_t>(0xDCFE) + L".txt");
    Obj f(File_instanceOfParentFileT(parent, name.c_str()));
    EXPECT_TRUE(File_isFile(f));
    EXPECT_EQ(File_delete(f), 1);
    EXPECT_FALSE(Exists(raw));
}

}  // namespace
}  // namespace fileio_test
