#include "runtime/date/DateMask.h"
#include "runtime/date/MakeDate.h"

#include <array>
#include <gtest/gtest.h>

namespace nevalon::date {
namespace {

using system::String;

TEST(DateToText, WritesTheTokensOfTheMask)
{
    const Date date = MakeDate(2025, 3, 7, 9, 5, 2);
    EXPECT_EQ(DateToText(u"%yyyy-%mm-%dd", date), u"2025-03-07");
    EXPECT_EQ(DateToText(u"%hh:%ii", date), u"09:05");
    EXPECT_EQ(DateToText(u"%yyyy%mm%ddT%hh%ii%ss", date), u"20250307T090502");
    EXPECT_EQ(DateToText(u"%yy", date), u"25");
    EXPECT_EQ(DateToText(u"%yy", MakeDate(1601, 12, 31, 23, 59, 59)), u"01");
    EXPECT_EQ(DateToText(u"%YYYY-%MM-%DD %Hh:%iI:%Ss", date), u"2025-03-07 09:05:02");
    EXPECT_EQ(DateToText(u"%yyyy/%mm/%dd %hh:%ii", MakeDate(1601, 1, 1, 0, 0, 0)), u"1601/01/01 00:00");
    EXPECT_EQ(DateToText(u"%yyyy-%mm-%dd %hh:%ii:%ss", kLastDate), u"9999-12-31 23:59:59");
    // A "%" that starts no token is written as it stands and the unit after it is read again.
    EXPECT_EQ(DateToText(u"%x", date), u"%x");
    EXPECT_EQ(DateToText(u"%%yyyy", date), u"%2025");
    EXPECT_EQ(DateToText(u"%y%m", date), u"%y%m");
    EXPECT_EQ(DateToText(u"%yyy", date), u"25y");
    EXPECT_EQ(DateToText(u"at %", date), u"at %");
    EXPECT_EQ(DateToText(u"\u00e9t\u00e9 %yyyy", date), u"\u00e9t\u00e9 2025");
    EXPECT_EQ(DateToText(u"", date), u"");
    EXPECT_EQ(DateToText(u"%yyyy", InvalidDate), u"");
    EXPECT_EQ(DateToText(u"plain", InvalidDate), u"");
}

TEST(DateToText, FillsACallersBufferWithinItsSize)
{
    const String mask = u"%yyyy/%mm/%dd %hh:%ii";
    const Date date = MakeDate(2025, 3, 7, 9, 5, 2);
    std::array<char16_t, 32> buffer;
    buffer.fill(u'#');
    const auto exact = std::span(buffer).first(mask.size() + 1);
    EXPECT_EQ(DateToText(mask, date, exact), 16);
    EXPECT_EQ(String(buffer.data()), u"2025/03/07 09:05");
    EXPECT_EQ(buffer[exact.size()], u'#');

    buffer.fill(u'#');
    EXPECT_EQ(DateToText(mask, date, std::span(buffer).first(5)), 4);
    EXPECT_EQ(String(buffer.data()), u"2025");
    EXPECT_EQ(buffer[5], u'#');

    buffer.fill(u'#');
    EXPECT_EQ(DateToText(mask, InvalidDate, buffer), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(DateToText(mask, date, std::span<char16_t>()), 0);

    // Far outside the supported range a year has more digits than its token has units.
    buffer.fill(u'#');
    const Date farFuture = int64_t{200000} * 366 * 86400;
    EXPECT_EQ(DateToText(u"%yyyy", farFuture, std::span(buffer).first(6)), 5);
    EXPECT_EQ(buffer[5], u'\0');
    EXPECT_EQ(buffer[6], u'#');
}

TEST(TextToDate, ReadsTheFieldsOfTheMask)
{
    EXPECT_EQ(TextToDate(u"%yyyy/%mm/%dd %hh:%ii", u"2025/3/7 9:05"), MakeDate(2025, 3, 7, 9, 5, 0));
    EXPECT_EQ(TextToDate(u"%yyyy%mm%ddT%hh%ii%ss", u"20250307T090502"), MakeDate(2025, 3, 7, 9, 5, 2));
    EXPECT_EQ(TextToDate(u"%YYYY-%MM-%DD", u"2025-03-07"), MakeDate(2025, 3, 7, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yy", u"69"), MakeDate(2069, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yy", u"70"), MakeDate(1970, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yy", u"5"), MakeDate(2005, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yy", u"99"), MakeDate(1999, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%hh", u"23"), MakeDate(1970, 1, 1, 23, 0, 0));
    // Digits are taken greedily, without looking ahead.
    EXPECT_EQ(TextToDate(u"%mm%dd", u"1231"), MakeDate(1970, 12, 31, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%mm%dd", u"123"), MakeDate(1970, 12, 3, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yyyy%mm", u"202503"), MakeDate(2025, 3, 1, 0, 0, 0));
    // "%" with any other unit, or alone at the end, stands for one unit of the text.
    EXPECT_EQ(TextToDate(u"%yyyy%q%mm", u"2025x03"), MakeDate(2025, 3, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%yyyy%", u"2025!"), MakeDate(2025, 1, 1, 0, 0, 0));
    EXPECT_EQ(TextToDate(u"%%%yyyy", u"%2025"), MakeDate(2025, 1, 1, 0, 0, 0));
}

TEST(TextToDate, RejectsMismatchesAndLeftovers)
{
    const String day = u"%yyyy/%mm/%dd";
    EXPECT_EQ(TextToDate(day, u"2025-03-07"), InvalidDate);
    EXPECT_EQ(TextToDate(day, u"2025/03/07 "), InvalidDate);
    EXPECT_EQ(TextToDate(day, u"2025/02/30"), InvalidDate);
    EXPECT_EQ(TextToDate(day, u"2025/03/"), InvalidDate);
    EXPECT_EQ(TextToDate(day, u"2025/03"), InvalidDate);
    EXPECT_EQ(TextToDate(day, u"2025/x3/07"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%hh:%ii", u":30"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yy-%mm", u"-05"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy %ss", u"2025 "), InvalidDate);
    EXPECT_EQ(TextToDate(day, u"\uff12\uff10\uff12\uff15/03/07"), InvalidDate);
    EXPECT_EQ(TextToDate(day, u""), InvalidDate);
    EXPECT_EQ(TextToDate(u"", u"2025/03/07"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%hh", u"24"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy", u"12"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy", u"20251"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%mm", u"123"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy%mm%ddT%hh", u"20250307t09"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy%q%mm", u"2025"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy%q%mm", u"2025x"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy%", u"2025"), InvalidDate);
    EXPECT_EQ(TextToDate(u"%yyyy", u"-2025"), InvalidDate);
}

} // namespace
} // namespace nevalon::date
