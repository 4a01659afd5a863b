// Drives and volumes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <set>

#include "FileTestSupport.h"

namespace fileio_test {
namespace {

// Sets or clears SystemDrive for one test.
struct SystemDriveVariable {
    std::string previous;
    bool had;
    explicit SystemDriveVariable(const char* value) {
        const char* old = std::getenv("SystemDrive");
        had = old != nullptr;
        if (had) previous = old;
        if (value != nullptr)
            ::setenv("SystemDrive", value, 1);
        else
            ::unsetenv("SystemDrive");
    }
    ~SystemDriveVariable() {
        if (had)
            ::setenv("SystemDrive", previous.c_str(), 1);
        else
            ::unsetenv("SystemDrive");
    }
};

class FileDriveTest : public FileTest {};

TEST_F(FileDriveTest, SystemDriveIsTheRootUnlessTheVariableSaysOtherwise) {
    {
        SystemDriveVariable unset(nullptr);
        EXPECT_EQ(Text(File_systemDrive()).str(), L"/");
        EXPECT_EQ(File_systemDriveVolumeSerial(), File_volumeSerial(L"/"));
    }
    {
        SystemDriveVariable set("/srv");
        EXPECT_EQ(Text(File_systemDrive()).str(), L"/srv");
    }
    {
        SystemDriveVariable empty("");
        EXPECT_EQ(Text(File_systemDrive()).str(), L"/");
    }
}

TEST_F(FileDriveTest, AllDrivesAreMountPointsOfRealFileSystems) {
    Names drives(File_allDrive());
    const std::vector<std::wstring> list = drives.list();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0], L"/");
    EXPECT_EQ(std::set<std::wstring>(list.begin(), list.end()).size(), list.size());
    for (const std::wstring& drive : list) {
        EXPECT_EQ(drive.back(), L'/') << drive;
        EXPECT_TRUE(isDirectory(drive.c_str()));
        for (const wchar_t* pseudo : {L"/proc/", L"/sys/", L"/dev/", L"/dev/shm/", L"/dev/pts/"})
            EXPECT_NE(drive, pseudo);
    }
}

TEST_F(FileDriveTest, VolumeNameIsTheSameForEveryWayOfWritingTheRoot) {
    auto name = [](const std::wstring& root) { return Text(File_volumeName(root.c_str())).str(); };
    EXPECT_EQ(name(L"/"), name(L""));
    EXPECT_EQ(name(W(dir_)), name(W(dir_ + "/")));
    EXPECT_EQ(name(W(dir_)), name(L"/tmp"));
    EXPECT_EQ(File_volumeName(WPath("missing").c_str()), nullptr);
    WriteFile(Path("file"), "x");
    EXPECT_EQ(File_volumeName(WPath("file").c_str()), nullptr) << "a root is a directory";
    EXPECT_EQ(File_volumeName(nullptr), nullptr);
}

TEST_F(FileDriveTest, VolumeSerialIdentifiesTheFileSystem) {
    const uint32_t root = File_volumeSerial(L"/");
    EXPECT_NE(root, 0u);
    EXPECT_EQ(File_volumeSerial(L""), root);
    EXPECT_EQ(File_volumeSerial(W(dir_).c_str()), File_volumeSerial(W(dir_ + "/").c_str()));
    EXPECT_EQ(File_volumeSerial(WPath("missing").c_str()), 0u);
    EXPECT_EQ(File_volumeSerial(nullptr), 0u);

    struct stat a, b;
    if (::stat("/", &a) == 0 && ::stat("/proc", &b) == 0 && a.st_dev != b.st_dev) {
        EXPECT_NE(File_volumeSerial(L"/proc"), root);
    }
}

}  // namespace
}  // namespace fileio_test
