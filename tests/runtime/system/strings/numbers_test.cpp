#include "runtime/system/strings/Strings.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace nevalon::system;

TEST(IntegerToString, WritesPlainDecimal)
{
    EXPECT_EQ(IntegerToString(0), u"0");
    EXPECT_EQ(IntegerToString(-5), u"-5");
    EXPECT_EQ(IntegerToString(1000000), u"1000000");
    EXPECT_EQ(IntegerToString(INT64_MAX), u"9223372036854775807");
    EXPECT_EQ(IntegerToString(INT64_MIN), u"-9223372036854775808");
    for (int64_t value :
         {INT64_MIN, INT64_MIN + 1, int64_t{-10}, int64_t{-1}, int64_t{9}, int64_t{10}, INT64_MAX})
        EXPECT_EQ(StringToInteger(IntegerToString(value)), value);
}

TEST(StringToInteger, ReadsBlanksSignAndDigits)
{
    EXPECT_EQ(StringToInteger(u"  -42abc"), -42);
    EXPECT_EQ(StringToInteger(u"\t+7"), 7);
    EXPECT_EQ(StringToInteger(u"12.9"), 12);
    EXPECT_EQ(StringToInteger(u"007"), 7);
    EXPECT_EQ(StringToInteger(u"- 7"), 0);
    EXPECT_EQ(StringToInteger(u"\n7"), 0);
    EXPECT_EQ(StringToInteger(u"+-7"), 0);
    EXPECT_EQ(StringToInteger(u"x1"), 0);
    EXPECT_EQ(StringToInteger(u"-"), 0);
    EXPECT_EQ(StringToInteger(u""), 0);
    EXPECT_EQ(StringToInteger(u"\xFF11"), 0);
}

TEST(StringToInteger, ReadsBinaryAndHexadecimal)
{
    EXPECT_EQ(StringToInteger(u"$ff"), 255);
    EXPECT_EQ(StringToInteger(u"$FFg1"), 255);
    EXPECT_EQ(StringToInteger(u"-$10"), -16);
    EXPECT_EQ(StringToInteger(u"%101"), 5);
    EXPECT_EQ(StringToInteger(u"%1012"), 5);
    EXPECT_EQ(StringToInteger(u"%2"), 0);
    EXPECT_EQ(StringToInteger(u"$"), 0);
    EXPECT_EQ(StringToInteger(u"$-1"), 0);
    EXPECT_EQ(StringToInteger(u"%$1"), 0);
}

TEST(StringToInteger, WrapsInUnsigned64BitArithmetic)
{
    EXPECT_EQ(StringToInteger(u"18446744073709551615"), -1);
    EXPECT_EQ(StringToInteger(u"18446744073709551617"), 1);
    EXPECT_EQ(StringToInteger(u"$8000000000000000"), INT64_MIN);
    EXPECT_EQ(StringToInteger(u"-$8000000000000000"), INT64_MIN);
    EXPECT_EQ(StringToInteger(u"$1FFFFFFFFFFFFFFFF"), -1);
}
