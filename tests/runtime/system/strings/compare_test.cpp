#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>

using namespace nevalon::system;

TEST(CompareStrings, OrdersUnitsAsSigned16BitValues)
{
    for (char16_t upper = u'A'; upper <= u'Z'; ++upper)
        for (char16_t lower = u'a'; lower <= u'z'; ++lower)
            EXPECT_LT(CompareStrings(String(1, upper), String(1, lower)), 0);
    for (char16_t ascii = 1; ascii < 0x80; ++ascii) {
        EXPECT_LT(CompareStrings(u"\x8000", String(1, ascii)), 0);
        EXPECT_GT(CompareStrings(String(1, ascii), u"\xFFFF"), 0);
    }
    EXPECT_EQ(CompareStrings(u"B", u"a"), 'B' - 'a');
    EXPECT_EQ(CompareStrings(u"abc", u"abc"), 0);
    EXPECT_EQ(CompareStrings(u"", String()), 0);
}

TEST(CompareStrings, TakesTheEndOfTheShorterStringAsZero)
{
    EXPECT_LT(CompareStrings(u"ab", u"abc"), 0);
    EXPECT_GT(CompareStrings(u"abc", u"ab"), 0);
    EXPECT_LT(CompareStrings(u"", u"a"), 0);
    // A continuation of 0x8000 or above is negative, so the longer string orders first.
    EXPECT_GT(CompareStrings(u"ab", u"ab\x8000"), 0);
    EXPECT_LT(CompareStrings(u"ab\xE000", u"ab"), 0);
    EXPECT_GT(CompareStrings(u"ab\x7FFF", u"ab"), 0);
}

TEST(CompareStringsNoCase, ComparesLowerCasedUnits)
{
    InitStrings();
    EXPECT_EQ(CompareStringsNoCase(u"Meeting", u"mEETING"), 0);
    EXPECT_EQ(CompareStringsNoCase(u"\xC4RGER", u"\xE4rger"), 0);
    EXPECT_LT(CompareStringsNoCase(u"a", u"B"), 0);
    EXPECT_GT(CompareStrings(u"a", u"B"), 0);
    EXPECT_LT(CompareStringsNoCase(u"ABC", u"abcd"), 0);
    EXPECT_NE(CompareStringsNoCase(u"a", u"b"), 0);
}

TEST(LowerCase, MapsEachUnitThroughTheLocale)
{
    InitStrings();
    EXPECT_EQ(LowerCase(u"Birthday"), u"birthday");
    EXPECT_EQ(LowerCase(u"\xC4\x3A3\x416 1|"), u"\xE4\x3C3\x436 1|");
    // Surrogates are units of their own and stay as they are.
    EXPECT_EQ(LowerCase(u"\xD801\xDC00"), u"\xD801\xDC00");
    EXPECT_EQ(LowerCase(String()), u"");
}
