// Listing directories as objects or names, with and without patterns.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "FileTestSupport.h"

namespace fileio_test {
namespace {

class FileListTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        for (const char* name : {"a.txt", "ab.txt", "b.log", "c", ".hidden", "README.md"})
            WriteFile(Path(name), name);
        ASSERT_EQ(::mkdir(Path("sub").c_str(), 0755), 0);
    }

    // The entries in the order the system enumerates them.
    std::vector<std::wstring> SystemOrder() const {
        std::vector<std::wstring> names;
        DIR* d = ::opendir(dir_.c_str());
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(W(name));
        }
        ::closedir(d);
        return names;
    }
};

TEST_F(FileListTest, ObjectsInTheSystemsOrderWithoutDotEntries) {
    Obj dir(dir_);
    Objs list(File_listFiles(dir));
    const std::vector<std::wstring> order = SystemOrder();
    ASSERT_EQ(list.size(), order.size());
    ASSERT_EQ(list.size(), 7u);
    for (size_t i = 0; i < order.size(); i++) {
        File_T f = list.p[i];
        EXPECT_EQ(std::wstring(f->fileName), order[i]);
        EXPECT_EQ(Text(File_getFullName(f)).str(), W(dir_ + "/") + order[i]);
        EXPECT_EQ(File_isDirectory(f), order[i] == L"sub");
        EXPECT_EQ(File_isHidden(f), order[i] == L".hidden" ? 2 : 0);
    }
    EXPECT_EQ(list.p[7], nullptr);
}

TEST_F(FileListTest, NamesInTheSystemsOrder) {
    Obj dir(dir_);
    Names names(File_lists(dir));
    EXPECT_EQ(names.list(), SystemOrder());
}

TEST_F(FileListTest, Patterns) {
    struct Case {
        const wchar_t* pattern;
        std::set<std::wstring> names;
    } cases[] = {
        {L"*.*", {L"a.txt", L"ab.txt", L"b.log", L"c", L".hidden", L"README.md", L"sub"}},
        {L"*", {L"a.txt", L"ab.txt", L"b.log", L"c", L".hidden", L"README.md", L"sub"}},
        {L"*.txt", {L"a.txt", L"ab.txt"}},
        {L"?.txt", {L"a.txt"}},
        {L"a*", {L"a.txt", L"ab.txt"}},
        {L"c.*", {L"c"}},
        {L".*", {L".hidden"}},
        {L"README.md", {L"README.md"}},
        {L"x*", {}},
        {L"", {}},
        {L"sub/*", {}},
    };
    Obj dir(dir_);
    for (const Case& c : cases) {
        Names names(File_listFiler(dir, c.pattern));
        const std::vector<std::wstring> got = names.list();
        EXPECT_EQ(std::set<std::wstring>(got.begin(), got.end()), c.names) << c.pattern;
        if (c.names.empty()) {
            EXPECT_EQ(names.p, nullptr) << c.pattern;
        }
        Objs objects(File_listFilesFiler(dir, c.pattern));
        ASSERT_EQ(objects.size(), c.names.size()) << c.pattern;
        for (size_t i = 0; i < objects.size(); i++)
            EXPECT_EQ(std::wstring(objects.p[i]->fileName), got[i]) << c.pattern;
    }
    EXPECT_EQ(File_listFiler(dir, nullptr), nullptr);
    EXPECT_EQ(File_listFilesFiler(dir, nullptr), nullptr);
}

TEST_F(FileListTest, NothingToList) {
    Obj empty(Path("sub"));
    EXPECT_EQ(File_listFiles(empty), nullptr);
    EXPECT_EQ(File_lists(empty), nullptr);
    Obj file(Path("a.txt"));
    EXPECT_EQ(File_listFiles(file), nullptr);
    EXPECT_EQ(File_lists(nullptr), nullptr);
}

TEST_F(FileListTest, FreeListSetsThePointerToNull) {
    Obj dir(dir_);
    File_T* list = File_listFiles(dir);
    ASSERT_NE(list, nullptr);
    File_freeList(&list);
    EXPECT_EQ(list, nullptr);
    File_freeList(&list);
    File_freeList(nullptr);
}

}  // namespace
}  // namespace fileio_test
