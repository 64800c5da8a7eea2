#include "TimeZoneScope.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <limits>

namespace nevalon::date {
namespace {

using testing::CivilSeconds;
using testing::kZones;
using testing::TimeZoneScope;

struct Wall {
    int32_t y, m, d, h, i, s;
    bool operator==(const Wall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Wall& w)
{
    return out << w.y << "-" << w.m << "-" << w.d << " " << w.h << ":" << w.i << ":" << w.s;
}

Wall Decompose(int64_t seconds)
{
    const std::chrono::sys_seconds at{std::chrono::seconds{seconds}};
    const auto day = std::chrono::floor<std::chrono::days>(at);
    const std::chrono::year_month_day ymd{day};
    const std::chrono::hh_mm_ss time{at - day};
    return {int32_t{ymd.year()},
            static_cast<int32_t>(unsigned{ymd.month()}),
            static_cast<int32_t>(unsigned{ymd.day()}),
            static_cast<int32_t>(time.hours().count()),
            static_cast<int32_t>(time.minutes().count()),
            static_cast<int32_t>(time.seconds().count())};
}

Wall PartsOf(Date date)
{
    Wall w{};
    EXPECT_TRUE(DateParts(date, w.y, w.m, w.d, w.h, w.i, w.s)) << date;
    return w;
}

TEST(DateParts, ReadTheWallClockBackInEveryZone)
{
    const Wall samples[] = {{2025, 3, 7, 9, 5, 2},     {1601, 1, 1, 0, 0, 0},      {9999, 12, 31, 23, 59, 59},
                            {2024, 2, 29, 12, 34, 56}, {1969, 12, 31, 23, 59, 58}, {1970, 1, 1, 0, 0, 0},
                            {2024, 7, 1, 18, 0, 0}};
    for (const char* zone : kZones) {
        SCOPED_TRACE(zone);
        TimeZoneScope scope(zone);
        for (const auto& w : samples) {
            SCOPED_TRACE(::testing::Message() << w);
            const Date date = MakeDate(w.y, w.m, w.d, w.h, w.i, w.s);
            EXPECT_EQ(PartsOf(date), w);
            EXPECT_EQ(DateYear(date), w.y);
            EXPECT_EQ(DateMonth(date), w.m);
            EXPECT_EQ(DateDay(date), w.d);
            EXPECT_EQ(DateHour(date), w.h);
            EXPECT_EQ(DateMinute(date), w.i);
            EXPECT_EQ(DateSecond(date), w.s);
        }
    }
}

TEST(DateParts, FailForInvalidDate)
{
    for (const Date date :
         {InvalidDate, std::numeric_limits<Date>::max(), std::numeric_limits<Date>::min()}) {
        SCOPED_TRACE(date);
        EXPECT_EQ(DateYear(date), -1);
        EXPECT_EQ(DateMonth(date), -1);
        EXPECT_EQ(DateDay(date), -1);
        EXPECT_EQ(DateHour(date), -1);
        EXPECT_EQ(DateMinute(date), -1);
        EXPECT_EQ(DateSecond(date), -1);
        Wall w{7, 7, 7, 7, 7, 7};
        EXPECT_FALSE(DateParts(date, w.y, w.m, w.d, w.h, w.i, w.s));
        EXPECT_EQ(w, (Wall{7, 7, 7, 7, 7, 7}));
        EXPECT_FALSE(DateToInstant(date).has_value());
    }
}

// Every quarter hour of a change day and the day before: each value made from a wall clock reads back as
// that wall clock, except where the change skips it, and stands for the instant that shows it.
TEST(DateParts, ReadTheWallClockBackAcrossOffsetChanges)
{
    struct Change {
        const char* zone;
        int y, m, d;
        int at;                // wall-clock second of the day at which the clock jumps, as shown before
        int64_t before, after; // UTC offsets
    };
    const Change changes[] = {
        {"America/New_York", 2024, 3, 10, 2 * 3600, -18000, -14400},
        {"America/New_York", 2024, 11, 3, 2 * 3600, -14400, -18000},
        {"Europe/Berlin", 2024, 3, 31, 2 * 3600, 3600, 7200},
        {"Europe/Berlin", 2024, 10, 27, 3 * 3600, 7200, 3600},
        {"Australia/Lord_Howe", 2024, 10, 6, 2 * 3600, 37800, 39600},
        {"Australia/Lord_Howe", 2024, 4, 7, 2 * 3600, 39600, 37800},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(::testing::Message() << c.zone << " " << c.y << "-" << c.m << "-" << c.d);
        TimeZoneScope scope(c.zone);
        const int64_t jump = CivilSeconds(c.y, c.m, c.d) + c.at;
        const int64_t skipped = std::max<int64_t>(c.after - c.before, 0);
        for (int64_t wall = CivilSeconds(c.y, c.m, c.d) - 86400; wall < jump - c.at + 86400; wall += 900) {
            const Wall w = Decompose(wall);
            SCOPED_TRACE(::testing::Message() << w);
            const bool inGap = wall >= jump && wall < jump + skipped;
            const Wall shown = Decompose(inGap ? wall + skipped : wall);
            EXPECT_EQ(PartsOf(wall), shown);
            EXPECT_EQ(DateHour(wall), shown.h);
            EXPECT_EQ(DateMinute(wall), shown.i);
            EXPECT_EQ(DateDay(wall), shown.d);
            const Date made = MakeDate(w.y, w.m, w.d, w.h, w.i, w.s);
            EXPECT_EQ(made, inGap ? wall + skipped : wall);
            EXPECT_EQ(PartsOf(made), shown);
            const auto instant = DateToInstant(wall);
            ASSERT_TRUE(instant.has_value());
            EXPECT_EQ(instant->time_since_epoch().count(),
                      wall - (wall < jump + skipped ? c.before : c.after));
        }
    }
}

} // namespace
} // namespace nevalon::date
