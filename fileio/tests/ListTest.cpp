#include "fileio/List.h"

#include <gtest/gtest.h>

#include "fileio/Mem.h"

namespace {

TEST(ListTest, PushReverseAndArrayKeepTheOrder) {
    const long before = Mem_report(nullptr);
    int values[] = {1, 2, 3};
    List_T list = nullptr;
    for (int& v : values) list = List_push(list, &v);
    EXPECT_EQ(List_length(list), 3);
    EXPECT_EQ(list->first, &values[2]);
    list = List_reverse(list);
    EXPECT_EQ(list->first, &values[0]);
    int end = 0;
    void** array = List_toArray(list, &end);
    EXPECT_EQ(array[0], &values[0]);
    EXPECT_EQ(array[1], &values[1]);
    EXPECT_EQ(array[2], &values[2]);
    EXPECT_EQ(array[3], &end);
    Mem_free(array, __FILE__, __LINE__);
    List_free(&list);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(Mem_report(nullptr), before);
}

TEST(ListTest, EmptyList) {
    EXPECT_EQ(List_length(nullptr), 0);
    EXPECT_EQ(List_reverse(nullptr), nullptr);
    void** array = List_toArray(nullptr, nullptr);
    EXPECT_EQ(array[0], nullptr);
    Mem_free(array, __FILE__, __LINE__);
    List_T list = nullptr;
    List_free(&list);
    List_free(nullptr);
}

}  // namespace
