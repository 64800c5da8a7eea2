#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>

using namespace nevalon::system;

TEST(CompareStrings, OrdersUnitsAsSigned16BitValues)
{
    EXPECT_LT(CompareStrings(u"Z", u"a"), 0);
    EXPECT_LT(CompareStrings(u"\x8000", u"\x0001"), 0);
    EXPECT_LT(CompareStrings(u"ab", u"abc"), 0);
    EXPECT_GT(CompareStrings(u"ab", u"ab\xFFFF"), 0);
    EXPECT_EQ(CompareStrings(u"", String()), 0);
}
