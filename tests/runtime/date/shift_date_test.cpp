#include "TimeZoneScope.h"
#include "runtime/date/DateMask.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"
#include "runtime/date/ShiftDate.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <limits>

namespace nevalon::date {
namespace {

using testing::CivilSeconds;
using testing::TimeZoneScope;

TEST(ShiftDate, ClampsTheDayToTheTargetMonth)
{
    struct Case {
        int from[3];
        uint32_t unit;
        int64_t amount;
        int to[3];
    };
    const Case cases[] = {
        {{2024, 1, 31}, kMonthUnit, 1, {2024, 2, 29}},    {{2023, 1, 31}, kMonthUnit, 1, {2023, 2, 28}},
        {{2024, 2, 29}, kYearUnit, 1, {2025, 2, 28}},     {{2024, 2, 29}, kYearUnit, 4, {2028, 2, 29}},
        {{2025, 1, 15}, kMonthUnit, -13, {2023, 12, 15}}, {{2025, 3, 31}, kMonthUnit, 3, {2025, 6, 30}},
        {{2024, 3, 31}, kMonthUnit, -1, {2024, 2, 29}},   {{2023, 3, 31}, kMonthUnit, -1, {2023, 2, 28}},
        {{2024, 5, 31}, kMonthUnit, -1, {2024, 4, 30}},   {{1900, 3, 29}, kMonthUnit, -1, {1900, 2, 28}},
        {{2000, 3, 30}, kMonthUnit, -1, {2000, 2, 29}},   {{2024, 12, 31}, kMonthUnit, 2, {2025, 2, 28}},
        {{2024, 1, 31}, kMonthUnit, -2, {2023, 11, 30}},  {{2024, 8, 31}, kMonthUnit, 12, {2025, 8, 31}},
        {{2024, 8, 31}, kMonthUnit, 0, {2024, 8, 31}},    {{2024, 1, 1}, kMonthUnit, -1, {2023, 12, 1}},
        {{2024, 12, 1}, kMonthUnit, 1, {2025, 1, 1}},     {{2024, 6, 15}, kYearUnit, -423, {1601, 6, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from[0] << "-" << c.from[1] << "-" << c.from[2] << " by "
                                          << c.amount << " in unit " << c.unit);
        const Date from = MakeDate(c.from[0], c.from[1], c.from[2], 10, 20, 30);
        EXPECT_EQ(ShiftDate(from, c.unit, c.amount), CivilSeconds(c.to[0], c.to[1], c.to[2], 10, 20, 30));
    }
}

TEST(ShiftDate, AddsFixedUnitsAsSeconds)
{
    TimeZoneScope scope("America/New_York");
    const Date start = MakeDate(2024, 3, 9, 12, 0, 0);
    EXPECT_EQ(ShiftDate(start, kDayUnit, 1), MakeDate(2024, 3, 10, 12, 0, 0));
    EXPECT_EQ(ShiftDate(start, kDayUnit, 1) - start, 86400);
    EXPECT_EQ(ShiftDate(start, kWeekUnit, 2), MakeDate(2024, 3, 23, 12, 0, 0));
    EXPECT_EQ(ShiftDate(start, kWeekUnit, -1), MakeDate(2024, 3, 2, 12, 0, 0));
    EXPECT_EQ(ShiftDate(start, kHourUnit, -13), MakeDate(2024, 3, 8, 23, 0, 0));
    EXPECT_EQ(ShiftDate(start, kMinuteUnit, 90), MakeDate(2024, 3, 9, 13, 30, 0));
    EXPECT_EQ(ShiftDate(start, kSecondUnit, -1), MakeDate(2024, 3, 9, 11, 59, 59));
    EXPECT_EQ(ShiftDate(start, kSecondUnit, 0), start);
}

TEST(ShiftDate, KeepsTheWallClockOfAnOffsetChangeDay)
{
    struct Start {
        const char* zone;
        int y, m, d, h, i;
        const char16_t* time;
    };
    // Times the clock shows once, on change days or, for Lord Howe, on the evening before one.
    const Start starts[] = {{"America/New_York", 2024, 3, 10, 5, 0, u"05:00"},
                            {"America/New_York", 2024, 11, 3, 4, 30, u"04:30"},
                            {"Europe/Berlin", 2024, 3, 31, 1, 30, u"01:30"},
                            {"Australia/Lord_Howe", 2024, 10, 5, 18, 0, u"18:00"}};
    for (const auto& s : starts) {
        SCOPED_TRACE(::testing::Message() << s.zone << " " << s.y << "-" << s.m << "-" << s.d);
        TimeZoneScope scope(s.zone);
        const Date start = MakeDate(s.y, s.m, s.d, s.h, s.i, 0);
        EXPECT_EQ(DateToText(u"%hh:%ii", start), s.time);
        for (int months = -3; months <= 12; ++months) {
            SCOPED_TRACE(months);
            const std::chrono::year_month target =
                std::chrono::year{s.y} / std::chrono::month(static_cast<unsigned>(s.m)) +
                std::chrono::months{months};
            const unsigned last = unsigned{
                std::chrono::year_month_day_last{target.year(), std::chrono::month_day_last{target.month()}}
                    .day()};
            const Date shifted = ShiftDate(start, kMonthUnit, months);
            EXPECT_EQ(shifted, CivilSeconds(int{target.year()}, unsigned{target.month()},
                                            std::min(static_cast<unsigned>(s.d), last), s.h, s.i));
            EXPECT_EQ(DateToText(u"%hh:%ii", shifted), s.time);
            if (static_cast<unsigned>(s.d) <= last) {
                EXPECT_EQ(ShiftDate(shifted, kMonthUnit, -months), start);
            }
        }
    }
}

TEST(ShiftDate, StaysInsideTheSupportedRange)
{
    const Date start = MakeDate(2024, 5, 5, 5, 5, 5);
    for (uint32_t unit = 0; unit <= 8; ++unit) {
        EXPECT_EQ(ShiftDate(InvalidDate, unit, 1), InvalidDate) << unit;
    }
    EXPECT_EQ(ShiftDate(start, 7, 5), start);
    EXPECT_EQ(ShiftDate(start, std::numeric_limits<uint32_t>::max(), 5), start);
    EXPECT_EQ(ShiftDate(kLastDate + 1, 7, 5), InvalidDate);
    EXPECT_EQ(ShiftDate(kFirstDate - 1, 7, 5), InvalidDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 12, 31, 0, 0, 0), kDayUnit, 1), InvalidDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 12, 31, 0, 0, 0), kSecondUnit, 86399), kLastDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 6, 15, 0, 0, 0), kYearUnit, 1), InvalidDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 12, 15, 0, 0, 0), kMonthUnit, 1), InvalidDate);
    EXPECT_EQ(ShiftDate(MakeDate(1601, 1, 31, 0, 0, 0), kMonthUnit, -1), InvalidDate);
    EXPECT_EQ(ShiftDate(kFirstDate, kSecondUnit, -1), InvalidDate);
    EXPECT_EQ(ShiftDate(kFirstDate, kDayUnit, 0), kFirstDate);
    EXPECT_EQ(ShiftDate(1, kSecondUnit, -2), InvalidDate);
    // Amounts whose product or sum leaves 64 bits, or whose month count leaves 32 bits, are out of range
    // rather than wrapped back into it.
    const int64_t big = std::numeric_limits<int64_t>::max();
    const int64_t small = std::numeric_limits<int64_t>::min();
    for (uint32_t unit = kYearUnit; unit <= kSecondUnit; ++unit) {
        EXPECT_EQ(ShiftDate(start, unit, big), InvalidDate) << unit;
        EXPECT_EQ(ShiftDate(start, unit, small), InvalidDate) << unit;
    }
    EXPECT_EQ(ShiftDate(start, kMonthUnit, (int64_t{1} << 32) + 1), InvalidDate);
    EXPECT_EQ(ShiftDate(start, kYearUnit, (int64_t{1} << 32) / 12 + 1), InvalidDate);
    EXPECT_EQ(ShiftDate(start, kDayUnit, big / 86400 - 1000), InvalidDate);
}

} // namespace
} // namespace nevalon::date
