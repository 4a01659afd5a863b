// The automation runtime's values: coercions, references, identifiers and
// error numbers.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "ole/ComPtr.h"
#include "ole/Errors.h"
#include "ole/Guid.h"
#include "ole/Variant.h"

using namespace ole;

TEST(DioVariant, ConvertsToIntegerUnderAutomationRules) {
    struct Case {
        VARIANT in;
        HRESULT hr;
        int16_t out;
    };
    const Case cases[] = {
        {VARIANT(), S_OK, 0},
        {VARIANT::I4(-32768), S_OK, -32768},
        {VARIANT::I4(40000), DISP_E_OVERFLOW, 0},
        {VARIANT::R8(2.5), S_OK, 2},  // half to even
        {VARIANT::R8(3.5), S_OK, 4},
        {VARIANT::R8(-0.5), S_OK, 0},
        {VARIANT::Bool(true), S_OK, -1},
        {VARIANT::BStr(" 12 "), S_OK, 12},
        {VARIANT::BStr("&H46"), S_OK, 70},
        {VARIANT::BStr("&HFFFF"), S_OK, -1},
        {VARIANT::BStr("1e2"), S_OK, 100},
        {VARIANT::BStr("abc"), DISP_E_TYPEMISMATCH, 0},
        {VARIANT::BStr("0x10"), DISP_E_TYPEMISMATCH, 0},
        {VARIANT::BStr("inf"), DISP_E_TYPEMISMATCH, 0},
        {VARIANT::BStr(""), DISP_E_TYPEMISMATCH, 0},
        {VARIANT::Null(), DISP_E_TYPEMISMATCH, 0},
        {VARIANT::Error(E_FAIL), DISP_E_TYPEMISMATCH, 0},
    };
    for (const Case& c : cases) {
        int16_t out = 0;
        EXPECT_EQ(VariantToI2(c.in, out), c.hr) << VariantToText(c.in);
        if (c.hr == S_OK) {
            EXPECT_EQ(out, c.out) << VariantToText(c.in);
        }
    }
    uint8_t b = 0;
    EXPECT_EQ(VariantToUI1(VARIANT::I2(256), b), DISP_E_OVERFLOW);
    EXPECT_EQ(VariantToUI1(VARIANT::I2(-1), b), DISP_E_OVERFLOW);
    EXPECT_EQ(VariantToUI1(VARIANT::I2(255), b), S_OK);
    EXPECT_EQ(b, 255);
}

TEST(DioVariant, ConvertsToBoolean) {
    struct Case {
        VARIANT in;
        HRESULT hr;
        VARIANT_BOOL out;
    };
    const Case cases[] = {
        {VARIANT::I2(2), S_OK, VARIANT_TRUE},        {VARIANT::I2(0), S_OK, VARIANT_FALSE},
        {VARIANT::BStr("True"), S_OK, VARIANT_TRUE}, {VARIANT::BStr("false"), S_OK, VARIANT_FALSE},
        {VARIANT::BStr("-1"), S_OK, VARIANT_TRUE},   {VARIANT::BStr("yes"), DISP_E_TYPEMISMATCH, 0},
    };
    for (const Case& c : cases) {
        VARIANT_BOOL out = 5;
        EXPECT_EQ(VariantToBool(c.in, out), c.hr) << VariantToText(c.in);
        if (c.hr == S_OK) {
            EXPECT_EQ(out, c.out) << VariantToText(c.in);
        }
    }
}

TEST(DioVariant, ReferencesReadAndWriteTheCallersVariable) {
    VARIANT target = VARIANT::I2(7);
    VARIANT ref = VARIANT::ByRef(&target);
    EXPECT_EQ(ref.vt(), VT_BYREF | VT_VARIANT);
    EXPECT_EQ(ref.Deref(), VARIANT::I2(7));
    ASSERT_EQ(VariantStoreRef(ref, VARIANT::BStr("owner 3")), S_OK);
    EXPECT_EQ(target, VARIANT::BStr("owner 3"));

    VARIANT_BOOL flag = VARIANT_FALSE;
    ASSERT_EQ(VariantStoreRef(VARIANT::ByRefBool(&flag), VARIANT::I4(9)), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);
    int16_t small = 0;
    EXPECT_EQ(VariantStoreRef(VARIANT::ByRefI2(&small), VARIANT::I4(99999)), DISP_E_OVERFLOW);
    EXPECT_EQ(VariantStoreRef(VARIANT::I2(1), VARIANT::I2(2)), E_INVALIDARG);
}

TEST(DioVariant, CopiesHoldTheirOwnObjectReference) {
    auto* arbiter = new dioctl_test::RecordingArbiter;  // one reference, ours
    {
        VARIANT a = VARIANT::Dispatch(arbiter);
        VARIANT b = a;
        VARIANT c = std::move(a);
        EXPECT_EQ(arbiter->AddRef(), 4u);  // ours, b, c and this one
        arbiter->Release();
        EXPECT_TRUE(a.IsEmpty());
        EXPECT_EQ(b, c);
    }
    EXPECT_EQ(arbiter->AddRef(), 2u);
    // The second release is ours and frees the object; only make it when the
    // first did not.
    const uint32_t left = arbiter->Release();
    EXPECT_EQ(left, 1u);
    if (left == 1u) {
        EXPECT_EQ(arbiter->Release(), 0u);
    }
}

TEST(DioGuid, RoundTripsTheRegistryForm) {
    const std::string text = "{4AF5883D-4E8F-4295-ABE2-64CCACC72846}";
    std::optional<GUID> g = GUIDFromString("{4af5883d-4e8f-4295-abe2-64ccacc72846}");
    ASSERT_TRUE(g);
    EXPECT_EQ(StringFromGUID(*g), text);
    EXPECT_EQ(g->Data1, 0x4AF5883Du);
    EXPECT_EQ(g->Data4[7], 0x46);
    for (const char* bad :
         {"", "4AF5883D-4E8F-4295-ABE2-64CCACC72846", "{4AF5883D-4E8F-4295-ABE2-64CCACC7284G}",
          "{4AF5883D-4E8F-4295-ABE264CCACC72846-}", "{4AF5883D-4E8F-4295-ABE2-64CCACC728460}"})
        EXPECT_FALSE(GUIDFromString(bad)) << bad;
}

TEST(DioErrors, NumbersAndCodesMatch) {
    EXPECT_EQ(HResultFromError(kErrOverflow), CTL_E_OVERFLOW);
    EXPECT_EQ(ErrorFromHResult(CTL_E_OVERFLOW), 6);
    EXPECT_EQ(ErrorFromHResult(DISP_E_OVERFLOW), 6);
    EXPECT_EQ(ErrorFromHResult(DISP_E_TYPEMISMATCH), 13);
    EXPECT_EQ(ErrorFromHResult(DISP_E_UNKNOWNNAME), 438);
    EXPECT_EQ(ErrorFromHResult(E_FAIL), 440);
    EXPECT_EQ(RuntimeError(6).Description(), "Overflow");

    EXCEPINFO info;
    FillExcepInfo(RuntimeError(57, "port jammed", "dioctl.DIO"), info);
    RuntimeError back = ErrorFromInvoke(DISP_E_EXCEPTION, info);
    EXPECT_EQ(back.Number(), 57);
    EXPECT_EQ(back.Description(), "port jammed");
    EXPECT_EQ(back.Source(), "dioctl.DIO");
    EXPECT_EQ(ErrorFromInvoke(E_FAIL, {}).Description(), "Automation error (0x80004005)");
}
