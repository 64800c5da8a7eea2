#include "runtime/system/process/ParameterSplit.h"

#include <gtest/gtest.h>

using Tokens = std::vector<std::string>;

TEST(ParameterSplit, BlanksSeparateTokensAndDoubleQuotesKeepThemInside)
{
    // Quotes inside a plain token stay; a quoted token ends at its closing quote, or at the end of its line.
    const std::pair<std::string, Tokens> cases[] = {
        {" \t\n ", {}},
        {"  load  now \t\nlater ", {"load", "now", "later"}},
        {"load \"/Users/a b/My Agent.plist\"", {"load", "/Users/a b/My Agent.plist"}},
        {"\"a\tb\nc\"d \"\" \xC3\xA9", {"a\tb\nc", "d", "", "\xC3\xA9"}},
        {"ab\"c d\"", {"ab\"c", "d\""}},
        {"a \"b c\nd e", {"a", "b c", "d", "e"}},
        {"\"", {""}}};
    for (const auto& [parameters, tokens] : cases)
        EXPECT_EQ(nevalon::system::SplitParameters(parameters), tokens) << parameters;
}
