#include "runtime/date/DateMask.h"
#include "runtime/date/MakeDate.h"

#include <array>
#include <gtest/gtest.h>
#include <string_view>

namespace nevalon::date {
namespace {

using system::String;
using namespace std::string_view_literals;

// A "%" that starts no token is written as it stands and the unit after it is read again.
TEST(DateToText, WritesTheTokensOfTheMaskAndCopiesTheRest)
{
    EXPECT_EQ(
        DateToText(u"%yyyy%mm%ddT%hh%ii%ss %YYYY-%Mm-%dD %Hh:%iI:%SS %yy %x %%yyyy %y%m %yyy \u00e9t\u00e9 %",
                   MakeDate(2025, 3, 7, 9, 5, 2)),
        u"20250307T090502 2025-03-07 09:05:02 25 %x %2025 %y%m 25y \u00e9t\u00e9 %");
    EXPECT_EQ(DateToText(u"%yy %yyyy/%mm/%dd %hh:%ii:%ss", kFirstDate), u"01 1601/01/01 00:00:00");
    EXPECT_EQ(DateToText(u"%yyyy-%mm-%dd %hh:%ii:%ss", kLastDate), u"9999-12-31 23:59:59");
}

// The text is cut to fit and always ends in a zero; nothing past it is touched.
TEST(DateToText, FillsACallersBufferWithinItsSize)
{
    const String mask = u"%yyyy/%mm/%dd %hh:%ii";
    std::array<char16_t, 32> buffer;
    const auto fill = [&](size_t size, Date date, const String& m) {
        buffer.fill(u'#');
        return DateToText(m, date, std::span(buffer).first(size));
    };
    EXPECT_EQ(fill(mask.size() + 1, MakeDate(2025, 3, 7, 9, 5, 2), mask), 16);
    EXPECT_EQ(std::u16string_view(buffer.data(), 18), u"2025/03/07 09:05\0#"sv);
    EXPECT_EQ(fill(5, MakeDate(2025, 3, 7, 9, 5, 2), mask), 4);
    EXPECT_EQ(std::u16string_view(buffer.data(), 6), u"2025\0#"sv);
    EXPECT_EQ(fill(32, InvalidDate, mask), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(fill(0, kFirstDate, mask), 0);
    EXPECT_EQ(buffer[0], u'#');
    // Far outside the supported range a year has more digits than its token has units.
    EXPECT_EQ(fill(6, int64_t{200000} * 366 * 86400, u"%yyyy"), 5);
    EXPECT_EQ(std::u16string_view(buffer.data(), 7), u"20238\0#"sv);
}

// Digits are taken greedily; "%" with any other unit, or alone at the end, stands for one unit of the text.
TEST(TextToDate, ReadsTheFieldsOfTheMask)
{
    EXPECT_EQ(TextToDate(u"%yyyy/%mm/%dd %hh:%ii", u"2025/3/7 9:05"), MakeDate(2025, 3, 7, 9, 5, 0));
    EXPECT_EQ(TextToDate(u"%YYYY%Mm%dDT%Hh%iI%Ss", u"20250307T090502"), MakeDate(2025, 3, 7, 9, 5, 2));
    EXPECT_EQ(TextToDate(u"%yy", u"69"), MakeDate(2069, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yy", u"70"), MakeDate(1970, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%mm%dd", u"1231"), MakeDate(1970, 12, 31, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%mm%dd", u"123"), MakeDate(1970, 12, 3, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yyyy%mm", u"202503"), MakeDate(2025, 3, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yyyy%q%mm", u"2025x03"), MakeDate(2025, 3, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%%%yyyy%", u"%2025!"), MakeDate(2025, 1, 1, 0, 0, 0));
}

TEST(TextToDate, RejectsMismatchesLeftoversAndDatesThatDoNotExist)
{
    const String day = u"%yyyy/%mm/%dd";
    for (const char16_t* text : {u"2025-03-07", u"2025/03/07 ", u"2025/02/30", u"2025/03/", u"2025/03",
                                 u"\uff12\uff10\uff12\uff15/03/07"}) {
        EXPECT_EQ(TextToDate(day, text), InvalidDate) << ::testing::PrintToString(String(text));
    }
    EXPECT_EQ(TextToDate(u"%yyyy%mm%ddT%hh", u"20250307t09"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy", u"12"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy%q%mm", u"2025"), InvalidDate);
    EXPECT_EQ(TextToDate(u"", u""), InvalidDate);
}

} // namespace
} // namespace nevalon::date
