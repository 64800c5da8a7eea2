#include "runtime/system/strings/Strings.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace nevalon::system;

TEST(InitStrings, TakesAUtf8LocaleWithCNumbers)
{
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(InitStrings(), 1);
    std::string ctype = std::setlocale(LC_CTYPE, nullptr);
    EXPECT_TRUE(ctype == "en_US.UTF-8" || ctype == "C.UTF-8" || ctype == "C.utf8") << ctype;
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 2.5);
    EXPECT_STREQ(number, "2.5");
    EXPECT_EQ(LowerCase(u"\xC9T\xC9"), u"\xE9t\xE9");
    EndStrings();
}
