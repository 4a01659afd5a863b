// Which mount points of a mount table are drives.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FileInternal.h"

namespace {

std::vector<std::wstring> Drives(const std::string& mountinfo, const char* filesystems) {
    wchar_t** drives = File_drivesOf(mountinfo.c_str(), filesystems);
    std::vector<std::wstring> out;
    for (wchar_t** d = drives; *d != nullptr; d++) {
        out.emplace_back(*d);
        Mem_free(*d, __FILE__, __LINE__);
    }
    Mem_free(drives, __FILE__, __LINE__);
    return out;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

const char kFilesystems[] =
    "nodev\tsysfs\nnodev\ttmpfs\nnodev\tproc\n\text4\nnodev\tcgroup2\n\txfs\nnodev\tfuse\n"
    "\tfuseblk\nnodev\toverlay\nnodev\tnfs4\n";

class FileDriveTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/fileio_drives_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        for (const char* d : {"data", "with space", "nfs", "ssh", "usb", "tmp", "over"})
            std::filesystem::create_directory(dir_ + "/" + d);
        std::ofstream(dir_ + "/hosts") << "x";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string dir_;
};

TEST_F(FileDriveTableTest, RealFileSystemsOnDirectoriesOnceEach) {
    const std::string d = dir_;
    const std::string table =
        "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
        "28 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "30 28 254:1 / " +
        d +
        "/data rw,relatime shared:5 - xfs /dev/vdb1 rw\n"
        "31 28 254:2 / " +
        d +
        "/with\\040space rw - ext4 /dev/vdc rw\n"
        "32 28 0:40 / " +
        d +
        "/nfs rw - nfs4 server:/export rw\n"
        "33 28 0:41 / " +
        d +
        "/ssh rw - fuse.sshfs me@host: rw\n"
        "34 28 8:17 / " +
        d +
        "/usb rw - fuseblk /dev/sdb1 rw\n"
        "35 28 0:42 / " +
        d +
        "/tmp rw - tmpfs tmpfs rw\n"
        "36 28 0:43 / " +
        d +
        "/over rw - overlay overlay rw\n"
        "37 28 254:0 /etc/hosts " +
        d +
        "/hosts rw - ext4 /dev/vda rw\n"
        "38 30 254:1 / " +
        d +
        "/data rw - xfs /dev/vdb1 rw\n"
        "39 28 254:3 / " +
        d +
        "/gone rw - ext4 /dev/vdd rw\n"
        "a broken line\n"
        "40 28 254:3 / /x rw\n";
    const std::vector<std::wstring> want = {L"/",
                                            Wide(d + "/data/"),
                                            Wide(d + "/with space/"),
                                            Wide(d + "/nfs/"),
                                            Wide(d + "/ssh/"),
                                            Wide(d + "/usb/")};
    EXPECT_EQ(Drives(table, kFilesystems), want);
}

TEST_F(FileDriveTableTest, TheRootAloneWithoutATable) {
    wchar_t** drives = File_drivesOf(nullptr, nullptr);
    ASSERT_NE(drives[0], nullptr);
    EXPECT_STREQ(drives[0], L"/");
    EXPECT_EQ(drives[1], nullptr);
    Mem_free(drives[0], __FILE__, __LINE__);
    Mem_free(drives, __FILE__, __LINE__);
    EXPECT_EQ(Drives("", kFilesystems), std::vector<std::wstring>{L"/"});
}

}  // namespace
