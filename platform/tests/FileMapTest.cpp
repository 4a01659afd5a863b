#include "platform/FileMap.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

using namespace platform;

TEST(FileMapTest, ViewsAtGranularityOnly) {
    const CString path = CString::Formatted("/tmp/platform_map_%d.bin", ::getpid());
    const size_t g = GetAllocationGranularity();
    EXPECT_EQ(g, static_cast<size_t>(::sysconf(_SC_PAGESIZE)));
    {
        CFileMapping m;
        ASSERT_TRUE(m.Open(path, true, true, 2 * g));
        EXPECT_EQ(m.Size(), 2 * g);
        EXPECT_EQ(m.MapView(1, 16), nullptr);      // not on the granularity
        EXPECT_EQ(m.MapView(2 * g, 16), nullptr);  // past the end
        char* v = static_cast<char*>(m.MapView(g, 16));
        ASSERT_NE(v, nullptr);
        std::memcpy(v, "mapped", 6);
        CFileMapping::UnmapView(v, 16);
    }
    FILE* f = std::fopen(path, "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, static_cast<long>(g), SEEK_SET);
    char buf[7] = {};
    ASSERT_EQ(std::fread(buf, 1, 6, f), 6u);
    std::fclose(f);
    EXPECT_STREQ(buf, "mapped");
    ::unlink(path);
}
