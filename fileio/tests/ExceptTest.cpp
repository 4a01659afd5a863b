#include "fileio/Except.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fileio/File.h"

namespace {

const Except_T Inner = {"Inner"};
const Except_T Outer = {"Outer"};

void Raise(const Except_T& e) { Except_raise(&e, "here.c", 42); }

TEST(ExceptTest, HandlerCatchesItsExceptionWithThePlace) {
    volatile int caught = 0;
    const char* volatile file = nullptr;
    volatile int line = 0;
    TRY Raise(Inner);
    caught = -1;
    EXCEPT(Inner)
    caught = 1;
    file = Except_frame.file;
    line = Except_frame.line;
    END_TRY;
    EXPECT_EQ(caught, 1);
    EXPECT_STREQ(file, "here.c");
    EXPECT_EQ(line, 42);
    EXPECT_EQ(Except_stack, nullptr);
}

TEST(ExceptTest, ElseCatchesWhatNoExceptClauseNames) {
    volatile int which = 0;
    TRY Raise(Outer);
    EXCEPT(Inner)
    which = 1;
    ELSE which = 2;
    END_TRY;
    EXPECT_EQ(which, 2);
}

TEST(ExceptTest, UnhandledExceptionGoesToTheEnclosingHandler) {
    volatile int inner = 0, outer = 0, finally = 0;
    TRY TRY Raise(Outer);
    EXCEPT(Inner)
    inner = 1;
    FINALLY
    finally = 1;
    END_TRY;
    EXCEPT(Outer)
    outer = 1;
    END_TRY;
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(finally, 1);
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(Except_stack, nullptr);
}

TEST(ExceptTest, ReraiseAndRaiseInsideAHandler) {
    volatile int outer = 0;
    TRY TRY Raise(Inner);
    EXCEPT(Inner)
    RERAISE;
    END_TRY;
    EXCEPT(Inner)
    outer = 1;
    END_TRY;
    EXPECT_EQ(outer, 1);

    volatile int second = 0;
    TRY TRY Raise(Inner);
    EXCEPT(Inner)
    Raise(Outer);
    END_TRY;
    EXCEPT(Outer)
    second = 1;
    END_TRY;
    EXPECT_EQ(second, 1);
}

TEST(ExceptTest, FinallyRunsWhenNothingIsRaised) {
    volatile int body = 0, finally = 0;
    TRY body = 1;
    FINALLY
    finally = 1;
    END_TRY;
    EXPECT_EQ(body, 1);
    EXPECT_EQ(finally, 1);
    EXPECT_EQ(Except_stack, nullptr);
}

int ReturnFromInside() {
    TRY RETURN 7;
    EXCEPT(Inner)
    return 0;
    END_TRY;
    return 1;
}

TEST(ExceptTest, ReturnLeavesTheHandler) {
    EXPECT_EQ(ReturnFromInside(), 7);
    EXPECT_EQ(Except_stack, nullptr);
}

TEST(ExceptTest, FileFailedIsCaughtWithTheHandlerMacros) {
    EXPECT_STREQ(File_Failed.reason, "File Failed");
    File_T volatile made = nullptr;
    volatile int caught = 0;
    const char* volatile file = nullptr;
    TRY made = File_instanceOfParent(L"/tmp", L"/etc/passwd");
    EXCEPT(File_Failed)
    caught = 1;
    file = Except_frame.file;
    END_TRY;
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(made, nullptr);
    ASSERT_NE(file, nullptr);
    EXPECT_NE(std::strstr(file, "File.c"), nullptr) << file;

    caught = 0;
    File_T parent = File_new(L"/tmp");
    TRY made = File_instanceOfParentFileT(parent, L"/x");
    EXCEPT(File_Failed)
    caught = 1;
    END_TRY;
    File_free(&parent);
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(made, nullptr);
}

TEST(ExceptDeathTest, UncaughtExceptionIsReportedAndAborts) {
    EXPECT_DEATH(File_instanceOfParent(L"/tmp", L"/x"),
                 "Uncaught exception File Failed raised at .*File\\.c:[0-9]+");
}

}  // namespace
