#include "fileio/Mem.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fileio/File.h"

namespace {

struct Place {
    std::string file;
    int line = 0;
    long size = 0;
};

std::string Report() {
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    Mem_report(out);
    std::fclose(out);
    std::string s(text, size);
    std::free(text);
    return s;
}

TEST(MemTest, CallocClearsAndFreeReleases) {
    const long before = Mem_report(nullptr);
    int* p = static_cast<int*>(Mem_calloc(16, sizeof(int), __FILE__, __LINE__));
    for (int i = 0; i < 16; i++) EXPECT_EQ(p[i], 0);
    void* q = Mem_alloc(3, __FILE__, __LINE__);
    EXPECT_EQ(Mem_report(nullptr), before + 2);
    Mem_free(p, __FILE__, __LINE__);
    Mem_free(q, __FILE__, __LINE__);
    Mem_free(nullptr, __FILE__, __LINE__);
    EXPECT_EQ(Mem_report(nullptr), before);
}

TEST(MemTest, BlocksInUseAreToldWithThePlaceOfTheirAllocation) {
    void* p = Mem_alloc(24, "caller.c", 17);
    Place found;
    std::pair<void*, Place*> target(p, &found);
    Mem_leak(
        [](const void* ptr, long size, const char* file, int line, void* cl) {
            auto* target = static_cast<std::pair<void*, Place*>*>(cl);
            if (ptr == target->first) *target->second = Place{file, line, size};
        },
        &target);
    EXPECT_EQ(found.file, "caller.c");
    EXPECT_EQ(found.line, 17);
    EXPECT_EQ(found.size, 24);
    EXPECT_NE(Report().find("24 bytes"), std::string::npos);
    EXPECT_NE(Report().find("allocated at caller.c:17 were never freed"), std::string::npos);
    Mem_free(p, __FILE__, __LINE__);
    EXPECT_EQ(Report().find("caller.c:17"), std::string::npos);
}

TEST(MemTest, AnObjectNotFreedIsReportedAsALeak) {
    const long before = Mem_report(nullptr);
    File_T f = File_new(L"/tmp/leak.txt");
    ASSERT_NE(f, nullptr);
    // The record and its two texts.
    EXPECT_EQ(Mem_report(nullptr), before + 3);
    const std::string report = Report();
    EXPECT_NE(report.find("fileio/src/File.c:"), std::string::npos) << report;
    EXPECT_NE(report.find("were never freed"), std::string::npos) << report;
    File_free(&f);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(Mem_report(nullptr), before);
    EXPECT_EQ(Report().find("fileio/src/File.c:"), std::string::npos);
}

TEST(MemTest, ReleasingABlockNotInUseRaisesBadFreeAtTheRelease) {
    int on_stack = 0;
    volatile int caught = 0;
    volatile int line = 0;
    TRY Mem_free(&on_stack, "releaser.c", 99);
    EXCEPT(Mem_BadFree)
    caught = 1;
    line = Except_frame.line;
    END_TRY;
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(line, 99);

    void* p = Mem_alloc(8, __FILE__, __LINE__);
    Mem_free(p, __FILE__, __LINE__);
    caught = 0;
    TRY Mem_free(p, __FILE__, __LINE__);
    EXCEPT(Mem_BadFree)
    caught = 1;
    END_TRY;
    EXPECT_EQ(caught, 1) << "a second release is a bad free";
}

TEST(MemTest, ImpossibleSizesRaiseMemFailed) {
    struct Case {
        long count, nbytes;
    } cases[] = {{LONG_MAX, 2}, {0, 8}, {8, 0}, {-1, 8}};
    for (const Case& c : cases) {
        volatile int caught = 0;
        TRY Mem_calloc(c.count, c.nbytes, __FILE__, __LINE__);
        EXCEPT(Mem_Failed)
        caught = 1;
        END_TRY;
        EXPECT_EQ(caught, 1) << c.count << " x " << c.nbytes;
    }
    volatile int caught = 0;
    TRY Mem_alloc(0, __FILE__, __LINE__);
    EXCEPT(Mem_Failed)
    caught = 1;
    END_TRY;
    EXPECT_EQ(caught, 1);
}

TEST(MemTest, MacrosPassTheCallersPlace) {
    int* p;
    NEW0(p);
    std::string report = Report();
    EXPECT_NE(report.find("MemTest.cpp:"), std::string::npos) << report;
    FREE(p);
    EXPECT_EQ(p, nullptr);
}

}  // namespace
