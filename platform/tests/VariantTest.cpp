#include "platform/Variant.h"

#include <gtest/gtest.h>

TEST(VariantTest, SafeArrayIsZeroBasedAndBoundsChecked) {
    COleSafeArray a(3, 2);
    EXPECT_EQ(a.GetLBound(1), 0);
    EXPECT_EQ(a.GetUBound(1), 2);
    EXPECT_EQ(a.GetUBound(2), 1);
    a.PutElement(2, 1, COleVariant("小区"));
    a.PutElement(0, 0, COleVariant(42));
    EXPECT_EQ(a.GetElement(2, 1).ToString(), "小区");
    EXPECT_TRUE(a.GetElement(1, 1).IsEmpty());
    EXPECT_THROW(a.GetElement(3, 0), CSafeArrayBoundsError);
    EXPECT_THROW(a.PutElement(0, 2, COleVariant(1)), CSafeArrayBoundsError);
    EXPECT_THROW(a.GetElement(-1, 0), CSafeArrayBoundsError);
    EXPECT_THROW(a.GetUBound(3), CSafeArrayBoundsError);
    COleSafeArray empty(0, 0);
    EXPECT_EQ(empty.GetUBound(1), -1);
}

TEST(VariantTest, TextAndNumberForms) {
    double d = 0;
    EXPECT_EQ(COleVariant(2.5).ToString(), "2.5");
    EXPECT_EQ(COleVariant(7).vt(), VT_I4);
    EXPECT_TRUE(COleVariant(" 12.5 ").ToDouble(d));
    EXPECT_EQ(d, 12.5);
    EXPECT_FALSE(COleVariant("12a").ToDouble(d));
    EXPECT_FALSE(COleVariant().ToDouble(d));
    EXPECT_EQ(COleVariant::Null().vt(), VT_NULL);
}
