// ComposeFreqCPI, IsNumber and IsEqualDouble.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "logio/host/HostFunctions.h"

namespace {

TEST(ComposeFreqCPI, KeysAreDecimalPairs) {
    EXPECT_EQ(ComposeFreqCPI(10055, 32), "10055_32");
    EXPECT_EQ(ComposeFreqCPI(-255, -255), "-255_-255");
    // Pairs that a plain concatenation would confuse stay apart.
    std::set<CString> keys;
    const int pairs[][2] = {{1, 23}, {12, 3}, {123, 0}, {0, 123}, {-1, 23}, {1, -23}, {10, 55}};
    for (const auto& p : pairs) keys.insert(ComposeFreqCPI(p[0], p[1]));
    EXPECT_EQ(keys.size(), std::size(pairs));
}

TEST(IsNumber, DecimalNumbersOnly) {
    struct Case {
        const char* text;
        bool number;
    };
    const Case cases[] = {
        {"0", true},      {"12", true},   {"-12", true},   {"+7", true},    {"3.25", true},
        {"-0.5", true},   {".5", true},   {"3.", true},    {" 42\t", true}, {"1200000000.5", true},
        {"", false},      {" ", false},   {"-", false},    {".", false},    {"+.", false},
        {"1.2.3", false}, {"1e5", false}, {"0x1F", false}, {"12a", false},  {"a12", false},
        {"1 2", false},   {"--1", false}, {"inf", false},  {"nan", false},  {"１２", false},
        {"1,5", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(IsEqualDouble, SmallAbsoluteOrRelativeTolerance) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(IsEqualDouble(1.0, 1.0));
    EXPECT_TRUE(IsEqualDouble(0.1 + 0.2, 0.3));
    EXPECT_TRUE(IsEqualDouble(-255.0, static_cast<double>(-255.0f)));
    EXPECT_TRUE(IsEqualDouble(2.5, 2.5 + 9e-7));
    EXPECT_FALSE(IsEqualDouble(2.5, 2.5 + 2e-6));
    EXPECT_FALSE(IsEqualDouble(0.0, 1e-5));
    // Large values: rounding noise is equal, a real difference is not.
    EXPECT_TRUE(IsEqualDouble(1e12, std::nextafter(1e12, 2e12)));
    EXPECT_FALSE(IsEqualDouble(1.7e9, 1.7e9 + 0.001));
    EXPECT_FALSE(IsEqualDouble(nan, nan));
    EXPECT_FALSE(IsEqualDouble(nan, 0.0));
    EXPECT_TRUE(IsEqualDouble(inf, inf));
    EXPECT_FALSE(IsEqualDouble(inf, -inf));
    EXPECT_FALSE(IsEqualDouble(inf, 1e308));
}

}  // namespace
