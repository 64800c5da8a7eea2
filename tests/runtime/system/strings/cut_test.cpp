#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>

using namespace nevalon::system;

TEST(InsertSubstring, ClampsThePositionToTheText)
{
    EXPECT_EQ(InsertSubstring(u"abc", u"X", 2), u"aXbc");
    EXPECT_EQ(InsertSubstring(u"abc", u"X", 1), u"Xabc");
    EXPECT_EQ(InsertSubstring(u"abc", u"X", 0), u"Xabc");
    EXPECT_EQ(InsertSubstring(u"abc", u"X", INT64_MIN), u"Xabc");
    EXPECT_EQ(InsertSubstring(u"abc", u"X", 4), u"abcX");
    EXPECT_EQ(InsertSubstring(u"abc", u"X", 10), u"abcX");
    EXPECT_EQ(InsertSubstring(u"", u"XY", 3), u"XY");
    EXPECT_EQ(InsertSubstring(u"abc", u"", 2), u"abc");
}

TEST(LeftAndRightPart, ClampTheCount)
{
    EXPECT_EQ(LeftPart(u"Holiday", 3), u"Hol");
    EXPECT_EQ(RightPart(u"Holiday", 3), u"day");
    EXPECT_EQ(LeftPart(u"Holiday", 0), u"");
    EXPECT_EQ(RightPart(u"Holiday", -2), u"");
    EXPECT_EQ(LeftPart(u"Holiday", 99), u"Holiday");
    EXPECT_EQ(RightPart(u"Holiday", INT64_MAX), u"Holiday");
    EXPECT_EQ(LeftPart(String(), 2), u"");
}

TEST(PadLeft, FillsOrCutsToTheLength)
{
    EXPECT_EQ(PadLeft(IntegerToString(7), 2, u"0"), u"07");
    EXPECT_EQ(PadLeft(IntegerToString(123), 2, u"0"), u"12");
    EXPECT_EQ(PadLeft(u"5", 4, u"*-"), u"***5");
    EXPECT_EQ(PadLeft(u"", 3, u" "), u"   ");
    EXPECT_EQ(PadLeft(u"12", 2, u"0"), u"12");
    EXPECT_EQ(PadLeft(u"5", 2, u""), u"");
    EXPECT_EQ(PadLeft(u"5", 0, u"0"), u"");
    EXPECT_EQ(PadLeft(u"5", -3, u"0"), u"");
}
