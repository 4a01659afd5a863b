#include "platform/Path.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(PathTest, SplitsEveryShapeOfName) {
    struct Case {
        const char* path;
        const char* dir;
        const char* name;
        const char* title;
        const char* ext;
    } cases[] = {
        {"/data/logs/a.log", "/data/logs/", "a.log", "a", ".log"},
        {"/data/logs/README", "/data/logs/", "README", "README", ""},
        {"/data/x.tar.gz", "/data/", "x.tar.gz", "x.tar", ".gz"},
        {"a.b.c.log", "", "a.b.c.log", "a.b.c", ".log"},
        {"/data/dir.d/", "/data/dir.d/", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.directory, c.dir) << c.path;
        EXPECT_EQ(p.fileName, c.name) << c.path;
        EXPECT_EQ(p.title, c.title) << c.path;
        EXPECT_EQ(p.extension, c.ext) << c.path;
    }
}

TEST(PathTest, JoinAndReplaceExtension) {
    EXPECT_EQ(PathJoin("/a", "b.txt"), "/a/b.txt");
    EXPECT_EQ(PathJoin("/a/", "/b.txt"), "/a/b.txt");
    EXPECT_EQ(PathJoin("", "b.txt"), "b.txt");
    EXPECT_EQ(PathReplaceExtension("/a/x.log", ".imcf"), "/a/x.imcf");
    EXPECT_EQ(PathReplaceExtension("/a.d/x", ".txt"), "/a.d/x.txt");
}
