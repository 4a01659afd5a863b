#include "logio/host/MemDataRow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
constexpr int kText = 90001, kInt = 90002, kFloat = 90003, kShort = 90004, kBool = 90005;

struct TypesFixture : ::testing::Test {
    void SetUp() override {
        g_memDataType.SetType(kText, MEMTABLE_FIELD_TEXT);
        g_memDataType.SetType(kInt, MEMTABLE_FIELD_INT);
        g_memDataType.SetType(kFloat, MEMTABLE_FIELD_FLOAT);
        g_memDataType.SetType(kShort, MEMTABLE_FIELD_SHORT);
        g_memDataType.SetType(kBool, MEMTABLE_FIELD_BOOL);
    }
};
}  // namespace

TEST_F(TypesFixture, RowOwnsItsTextsThroughReplaceRemoveAndCopy) {
    CMemDataRow row;
    row.QuickAddIE(kText, MakeTextFieldValue("RRC Connection Setup"));
    row.QuickAddIE(kInt, IntFieldValue(-75));
    EXPECT_TRUE(row.AddIE(
        kText, MakeTextFieldValue("Measurement Report")));  // replaces, frees the old text
    EXPECT_EQ(row.GetIECount(), 2);
    EXPECT_FALSE(row.AddIE(-3, IntFieldValue(1)));

    std::unique_ptr<CMemDataRow> copy(row.Copy());
    row.RemoveIE(kText);
    EXPECT_FALSE(row.HasIE(kText));
    CString text;
    ASSERT_TRUE(copy->GetIEValueText(kText, text));
    EXPECT_EQ(text, "Measurement Report");  // the copy has its own buffer
    EXPECT_EQ(copy->GetParamID(1), kInt);
    EXPECT_EQ(copy->GetParamValue(1).iValue, -75);

    CMemDataRow assigned;
    assigned = *copy;
    copy.reset();
    ASSERT_TRUE(assigned.GetIEValueText(kText, text));
    EXPECT_EQ(text, "Measurement Report");
    // The sanitizer build turns any double free or leak above into a failure.
}

TEST_F(TypesFixture, EmptyValuesAndTextsPerFieldType) {
    struct Case {
        MemTableFieldTypeEnum type;
        const char* text;
    } cases[] = {{MEMTABLE_FIELD_SHORT, "-255"},
                 {MEMTABLE_FIELD_INT, "-255"},
                 {MEMTABLE_FIELD_FLOAT, "-255"},
                 {MEMTABLE_FIELD_TEXT, "-255"},
                 {MEMTABLE_FIELD_BOOL, "0"}};
    for (const Case& c : cases) {
        uniFieldValue v;
        v.raw = 12345;
        InitMemTableFieldByType(c.type, v);
        EXPECT_EQ(FieldValueToText(c.type, v), c.text) << c.type;
    }
    EXPECT_EQ(FieldValueToText(MEMTABLE_FIELD_FLOAT, FloatFieldValue(116.3975f)), "116.3975");
    EXPECT_EQ(FieldValueToText(MEMTABLE_FIELD_FLOAT, FloatFieldValue(-0.1f)), "-0.1");

    CMemDataRow row;
    uniFieldValue v;
    EXPECT_EQ(row.GetIEValueByID(kInt, v), 0);
    row.QuickAddIE(kShort, ShortFieldValue(-90));
    row.QuickAddIE(kBool, BoolFieldValue(true));
    EXPECT_EQ(row.GetIEValueByID(kShort, v), 1);
    EXPECT_EQ(v.sValue, -90);
}

TEST_F(TypesFixture, StorageIsCompactAfterShrink) {
    CMemDataRow row;
    row.Reserve(3);
    for (int i = 0; i < 100; ++i) row.QuickAddIE(1000 + i, IntFieldValue(i));
    row.Shrink();
    // 4 bytes of number and 8 of value per IE, plus the row itself.
    EXPECT_EQ(row.MemoryUsage(), sizeof(CMemDataRow) + 100 * 12);
    for (int i = 0; i < 100; ++i) {
        uniFieldValue v;
        ASSERT_EQ(row.GetIEValueByID(1000 + i, v), 1);
        EXPECT_EQ(v.iValue, i);
    }
    row.RemoveIE(1000);
    EXPECT_EQ(row.GetParamID(0), 1001);
    row.InitFilterByIENumber(99, true);
    row.SetFilter(70, false);
    EXPECT_TRUE(row.GetFilter(69));
    EXPECT_FALSE(row.GetFilter(70));
    EXPECT_FALSE(row.GetFilter(99));
    row.Release();
    EXPECT_EQ(row.GetIECount(), 0);
}
