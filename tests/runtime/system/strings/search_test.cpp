#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>

using namespace nevalon::system;

TEST(FindSubstring, FindsFromAClampedStartCountingFromTheBeginning)
{
    const String kinds = u"'APPL''caut''note''stop'";
    EXPECT_EQ(FindSubstring(kinds, u"'note'", 1), 13);
    EXPECT_EQ(FindSubstring(kinds, u"'note'", 0), 13);
    EXPECT_EQ(FindSubstring(kinds, u"'note'", -7), 13);
    EXPECT_EQ(FindSubstring(kinds, u"'note'", 13), 13);
    EXPECT_EQ(FindSubstring(kinds, u"'note'", 14), 0);
    EXPECT_EQ(FindSubstring(kinds, u"'", 2), 6);
    EXPECT_EQ(FindSubstring(kinds, u"'", 24), 24);
    EXPECT_EQ(FindSubstring(kinds, u"'", 25), 0);
    EXPECT_EQ(FindSubstring(kinds, u"'", 1000), 0);
    EXPECT_EQ(FindSubstring(kinds, u"'NOTE'", 1), 0);
    EXPECT_EQ(FindSubstring(kinds, u"", 1), 0);
    EXPECT_EQ(FindSubstring(u"", u"a", 1), 0);
}

TEST(CountSubstring, CountsNonOverlappingMatches)
{
    EXPECT_EQ(CountSubstring(u"A|B|C", u"|"), 2);
    EXPECT_EQ(CountSubstring(u"aaa", u"aa"), 1);
    EXPECT_EQ(CountSubstring(u"aaaa", u"aa"), 2);
    EXPECT_EQ(CountSubstring(u"a||b|", u"||"), 1);
    EXPECT_EQ(CountSubstring(u"", u"|"), 0);
    EXPECT_EQ(CountSubstring(u"A|B", u""), 0);
}

TEST(ReplaceSubstring, ReplacesEveryNonOverlappingMatch)
{
    EXPECT_EQ(ReplaceSubstring(u"/{appid}/x/{appid}.plist", u"{appid}", u"com.brask.Nevalon"),
              u"/com.brask.Nevalon/x/com.brask.Nevalon.plist");
    EXPECT_EQ(ReplaceSubstring(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(ReplaceSubstring(u"a, b, c", u", ", u""), u"abc");
    EXPECT_EQ(ReplaceSubstring(u"x", u"x", u"xx"), u"xx");
    EXPECT_EQ(ReplaceSubstring(u"abc", u"", u"-"), u"abc");
    EXPECT_EQ(ReplaceSubstring(u"abc", u"z", u"-"), u"abc");
    EXPECT_EQ(ReplaceSubstring(u"", u"a", u"-"), u"");
}

TEST(GetField, SplitsAtTheSeparator)
{
    const String line = u"A|B||D";
    EXPECT_EQ(GetField(line, 1, u"|"), u"A");
    EXPECT_EQ(GetField(line, 2, u"|"), u"B");
    EXPECT_EQ(GetField(line, 3, u"|"), u"");
    EXPECT_EQ(GetField(line, 4, u"|"), u"D");
    EXPECT_EQ(GetField(line, 5, u"|"), u"");
    EXPECT_EQ(GetField(line, 0, u"|"), u"");
    EXPECT_EQ(GetField(line, -1, u"|"), u"");
    EXPECT_EQ(GetField(u"A|", 2, u"|"), u"");
    EXPECT_EQ(GetField(u"|A", 1, u"|"), u"");
    EXPECT_EQ(GetField(u"|A", 2, u"|"), u"A");
    EXPECT_EQ(GetField(u"", 1, u"|"), u"");
}

TEST(GetField, MatchesALongerSeparatorAsAWhole)
{
    const String text = u"a:b::c:::d";
    EXPECT_EQ(GetField(text, 1, u"::"), u"a:b");
    EXPECT_EQ(GetField(text, 2, u"::"), u"c");
    EXPECT_EQ(GetField(text, 3, u"::"), u":d");
    EXPECT_EQ(GetField(text, 4, u"::"), u"");
    EXPECT_EQ(GetField(text, 1, u""), text);
    EXPECT_EQ(GetField(text, 2, u""), u"");
}
