#include "runtime/system/process/ParameterSplit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using nevalon::system::SplitParameters;
using testing::ElementsAre;
using testing::IsEmpty;

TEST(ParameterSplit, BlanksSeparateTokensWithoutEmptyOnes)
{
    EXPECT_THAT(SplitParameters(""), IsEmpty());
    EXPECT_THAT(SplitParameters(" \t\n "), IsEmpty());
    EXPECT_THAT(SplitParameters("a"), ElementsAre("a"));
    EXPECT_THAT(SplitParameters("  load  now \t\nlater "), ElementsAre("load", "now", "later"));
}

TEST(ParameterSplit, QuotedTokenKeepsItsBlanksAndLosesItsQuotes)
{
    EXPECT_THAT(SplitParameters("load \"/Users/a b/My Agent.plist\""),
                ElementsAre("load", "/Users/a b/My Agent.plist"));
    EXPECT_THAT(SplitParameters("\"a\tb\nc\""), ElementsAre("a\tb\nc"));
    // A token ends at its closing quote even when no blank follows.
    EXPECT_THAT(SplitParameters("\"a b\"c"), ElementsAre("a b", "c"));
    EXPECT_THAT(SplitParameters("x \"\" y"), ElementsAre("x", "", "y"));
}

TEST(ParameterSplit, QuotesInsideAPlainTokenStay)
{
    EXPECT_THAT(SplitParameters("ab\"c d\""), ElementsAre("ab\"c", "d\""));
    EXPECT_THAT(SplitParameters("-b com.apple.iCal /tmp/X.ics"),
                ElementsAre("-b", "com.apple.iCal", "/tmp/X.ics"));
}

TEST(ParameterSplit, UnclosedQuoteRunsToTheEndOfItsLine)
{
    EXPECT_THAT(SplitParameters("a \"b c"), ElementsAre("a", "b c"));
    EXPECT_THAT(SplitParameters("a \"b c\nd e"), ElementsAre("a", "b c", "d", "e"));
    EXPECT_THAT(SplitParameters("\""), ElementsAre(""));
}

TEST(ParameterSplit, MultiByteTextIsKeptWhole)
{
    EXPECT_THAT(SplitParameters("\xC3\xA9t\xC3\xA9 \"\xE2\x82\xAC 5\""),
                ElementsAre("\xC3\xA9t\xC3\xA9", "\xE2\x82\xAC 5"));
}
