#include "TimeZoneScope.h"
#include "runtime/date/Dates.h"
#include "runtime/date/testing/Clock.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>

namespace nevalon::date {
namespace {

using namespace std::chrono;
using testing::CivilSeconds;
using testing::TimeZoneScope;

TEST(MakeDate, AcceptsOnlyRealSecondsOfTheSupportedYears)
{
    using Parts = std::array<int32_t, 6>;
    const Parts valid[] = {{2024, 2, 29, 0, 0, 0},     {2000, 2, 29, 0, 0, 0},  {1601, 1, 1, 0, 0, 0},
                           {9999, 12, 31, 23, 59, 59}, {2024, 4, 30, 12, 0, 0}, {2023, 1, 31, 0, 0, 0}};
    const Parts invalid[] = {
        {2023, 2, 29, 0, 0, 0},     {1900, 2, 29, 0, 0, 0},  {2024, 4, 31, 0, 0, 0}, {2024, 6, 31, 0, 0, 0},
        {2024, 9, 31, 0, 0, 0},     {2024, 11, 31, 0, 0, 0}, {2024, 2, 30, 0, 0, 0}, {2024, 1, 32, 0, 0, 0},
        {1600, 12, 31, 23, 59, 59}, {10000, 1, 1, 0, 0, 0},  {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0},
        {2024, 1, 1, 0, 0, 60},     {2024, 1, 1, -1, 0, 0},  {2024, 1, 1, 0, -1, 0}, {2024, 1, 1, 0, 0, -1},
        {2024, 0, 1, 0, 0, 0},      {2024, 13, 1, 0, 0, 0},  {2024, 1, 0, 0, 0, 0}};
    for (const Parts& p : valid) {
        EXPECT_TRUE(std::apply(IsValidDateParts, p)) << ::testing::PrintToString(p);
        EXPECT_EQ(std::apply(MakeDate, p), std::apply(CivilSeconds, p)) << ::testing::PrintToString(p);
    }
    for (const Parts& p : invalid) {
        EXPECT_FALSE(std::apply(IsValidDateParts, p)) << ::testing::PrintToString(p);
        EXPECT_EQ(std::apply(MakeDate, p), InvalidDate) << ::testing::PrintToString(p);
    }
}

TEST(DateParts, ReadEachComponentOrFailForInvalidDate)
{
    const auto components = [](Date d) {
        return std::array{DateYear(d), DateMonth(d), DateDay(d), DateHour(d), DateMinute(d), DateSecond(d)};
    };
    EXPECT_EQ(components(MakeDate(2025, 3, 7, 9, 5, 2)), (std::array<int64_t, 6>{2025, 3, 7, 9, 5, 2}));
    for (const Date invalid : {InvalidDate, INT64_MAX, INT64_MIN}) {
        EXPECT_EQ(components(invalid), (std::array<int64_t, 6>{-1, -1, -1, -1, -1, -1})) << invalid;
        std::array<int32_t, 6> parts{7, 7, 7, 7, 7, 7};
        EXPECT_FALSE(DateParts(invalid, parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]));
        EXPECT_EQ(parts, (std::array<int32_t, 6>{7, 7, 7, 7, 7, 7}));
        EXPECT_FALSE(DateToInstant(invalid));
    }
}

TEST(TimeZones, ASkippedWallClockMovesForwardWhateverCameBefore)
{
    TimeZoneScope kathmandu("Asia/Kathmandu"); // +05:30 until 1986, then +05:45
    const Date first = MakeDate(1986, 1, 1, 0, 0, 0);
    EXPECT_EQ(first, MakeDate(1986, 1, 1, 0, 15, 0));
    MakeDate(1980, 1, 1, 0, 0, 0);
    EXPECT_EQ(MakeDate(1986, 1, 1, 0, 0, 0), first);
    TimeZoneScope dublin("Europe/Dublin"); // its summer time is the standard one, and winter the saving
    EXPECT_EQ(DateHour(MakeDate(2025, 3, 30, 1, 30, 0)), 2);
    EXPECT_EQ(DateMinute(MakeDate(2025, 3, 30, 1, 30, 0)), 30);
    // Summer time that ends at 20:00 one evening and starts again at 02:00 the next morning.
    TimeZoneScope twice("STD-1DST-2,J81/2,J80/20");
    EXPECT_EQ(DateHour(CivilSeconds(2025, 3, 22, 2, 30)), 3);
}

// Expectations that share no code with the dates: offsets from localtime_r, calendars from gmtime_r.
int64_t OffsetAt(int64_t unixSeconds)
{
    const std::time_t t = unixSeconds;
    std::tm local{};
    return localtime_r(&t, &local)->tm_gmtoff;
}

std::array<int32_t, 6> Fields(int64_t seconds)
{
    const std::time_t t = seconds;
    std::tm c{};
    gmtime_r(&t, &c);
    return {c.tm_year + 1900, c.tm_mon + 1, c.tm_mday, c.tm_hour, c.tm_min, c.tm_sec};
}

// Wall clocks just before, inside and at the end of the stretch that a change skips or repeats.
void CheckChange(int64_t change, int64_t before, int64_t after)
{
    const int64_t low = change + std::min(before, after), high = change + std::max(before, after);
    for (const int64_t wall : {low - 1, low, low + (high - low) / 2, high - 1, high}) {
        SCOPED_TRACE(::testing::Message() << "wall clock " << wall << " at change " << change);
        const int64_t shown = after > before && wall >= low && wall < high ? wall + after - before : wall;
        ASSERT_EQ(std::apply(MakeDate, Fields(wall)), shown);
        std::array<int32_t, 6> read{};
        ASSERT_TRUE(DateParts(wall, read[0], read[1], read[2], read[3], read[4], read[5]));
        ASSERT_EQ(read, Fields(shown));
        ASSERT_EQ(DateToInstant(wall).value().time_since_epoch().count(),
                  wall - (wall < high ? before : after));
    }
}

// Every zone of the system's database (a link is another name for one) at each change of 1970-2037, found by
// stepping a day at a time (the database keeps days between changes) and bisecting to the second.
TEST(TimeZones, EveryZoneMovesOnlySkippedWallClocksAndReadsRepeatedOnesAtTheirFirstInstant)
{
    const std::filesystem::path root = "/usr/share/zoneinfo";
    int changes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto zone = entry.path().lexically_relative(root).string();
        if (zone.starts_with("posix") || zone.starts_with("right") || entry.is_symlink()) continue;
        std::string magic(4, '\0');
        if (!std::ifstream(entry.path()).read(magic.data(), 4) || magic != "TZif") continue;
        SCOPED_TRACE(zone);
        TimeZoneScope scope(zone);
        EXPECT_EQ(MakeDate(1970, 1, 1, 0, 0, 0), 0);
        EXPECT_EQ(MakeDate(2000, 1, 1, 0, 0, 0), 946684800);
        for (int64_t at = 0, offset = OffsetAt(0), end = CivilSeconds(2038, 1, 1); at < end;) {
            int64_t low = at, high = at = std::min(at + 86400, end);
            if (OffsetAt(high) == offset) continue;
            while (high - low > 1) {
                const int64_t mid = low + (high - low) / 2;
                (OffsetAt(mid) == offset ? low : high) = mid;
            }
            CheckChange(at = high, offset, OffsetAt(high));
            if (HasFatalFailure()) return;
            offset = OffsetAt(high);
            ++changes;
        }
    }
    EXPECT_GT(changes, 0);
}

// The second the clock has reached, before 1970 as after; the end of the dates brings the system clock back.
TEST(CurrentDate, IsTheWholeSecondOfTheLocalWallClock)
{
    TimeZoneScope kathmandu("Asia/Kathmandu");
    const Date noon = MakeDate(2024, 12, 1, 12, 0, 0);
    SetClockForTests([noon] { return DateToInstant(noon).value() + milliseconds(900); });
    EXPECT_EQ(CurrentDate(), noon);
    SetClockForTests([] { return system_clock::time_point{} - milliseconds(1500); });
    EXPECT_EQ(CurrentDate(), MakeDate(1970, 1, 1, 5, 29, 58)); // Kathmandu kept +05:30 until 1986
    EndDates();
    const auto before = system_clock::to_time_t(system_clock::now());
    EXPECT_GE(CurrentDate(), before);
}

// Months and years keep the wall clock and clamp the day; fixed units keep it across summer-time changes too.
TEST(ShiftDate, MovesByCalendarUnits)
{
    TimeZoneScope scope("America/New_York");
    const struct {
        DateUnit unit;
        int64_t amount;
        int from[3], to[3];
    } cases[] = {
        {kMonthUnit, 1, {2024, 1, 31}, {2024, 2, 29}},     {kMonthUnit, 1, {2023, 1, 31}, {2023, 2, 28}},
        {kYearUnit, 1, {2024, 2, 29}, {2025, 2, 28}},      {kYearUnit, 4, {2024, 2, 29}, {2028, 2, 29}},
        {kMonthUnit, 3, {2025, 3, 31}, {2025, 6, 30}},     {kMonthUnit, 2, {2024, 12, 31}, {2025, 2, 28}},
        {kMonthUnit, 12, {2024, 8, 31}, {2025, 8, 31}},    {kMonthUnit, -1, {2024, 1, 1}, {2023, 12, 1}},
        {kMonthUnit, -13, {2025, 1, 15}, {2023, 12, 15}},  {kYearUnit, -423, {2024, 6, 15}, {1601, 6, 15}},
        {kWeekUnit, -2, {2024, 3, 9}, {2024, 2, 24}},      {kDayUnit, 3, {2024, 3, 9}, {2024, 3, 12}},
        {kHourUnit, 48, {2024, 3, 9}, {2024, 3, 11}},      {kMinuteUnit, -1440, {2024, 3, 9}, {2024, 3, 8}},
        {kSecondUnit, 86400, {2024, 11, 2}, {2024, 11, 3}}};
    const auto at = [](const int(&day)[3]) { return CivilSeconds(day[0], day[1], day[2], 10, 20, 30); };
    for (const auto& c : cases) {
        EXPECT_EQ(ShiftDate(at(c.from), c.unit, c.amount), at(c.to)) << &c - cases;
    }
}

// Amounts whose product or sum leaves 64 bits, or whose month count leaves 32, are out of range, not wrapped.
TEST(ShiftDate, StaysInsideTheSupportedRange)
{
    const Date start = MakeDate(2024, 5, 5, 5, 5, 5);
    for (uint32_t unit = 0; unit <= 8; ++unit) {
        EXPECT_EQ(ShiftDate(InvalidDate, unit, 1), InvalidDate) << unit;
        EXPECT_EQ(ShiftDate(start, unit, INT64_MAX), unit > kSecondUnit ? start : InvalidDate) << unit;
        EXPECT_EQ(ShiftDate(start, unit, INT64_MIN), unit > kSecondUnit ? start : InvalidDate) << unit;
    }
    EXPECT_EQ(ShiftDate(start, kMonthUnit, (int64_t{1} << 32) + 1), InvalidDate);
    EXPECT_EQ(ShiftDate(start, kDayUnit, INT64_MAX / 86400 - 1000), InvalidDate);
    EXPECT_EQ(ShiftDate(kLastDate + 1, 7, 5), InvalidDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 12, 31, 0, 0, 0), kDayUnit, 1), InvalidDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 12, 31, 0, 0, 0), kSecondUnit, 86399), kLastDate);
    EXPECT_EQ(ShiftDate(MakeDate(9999, 6, 15, 0, 0, 0), kYearUnit, 1), InvalidDate);
    EXPECT_EQ(ShiftDate(kFirstDate, kSecondUnit, -1), InvalidDate);
    EXPECT_EQ(ShiftDate(kFirstDate, kDayUnit, 0), kFirstDate);
}

} // namespace
} // namespace nevalon::date
