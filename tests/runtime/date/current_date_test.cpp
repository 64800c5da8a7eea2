#include "TimeZoneScope.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/Dates.h"
#include "runtime/date/MakeDate.h"
#include "runtime/date/testing/Clock.h"

#include <gtest/gtest.h>

namespace nevalon::date {
namespace {

using namespace std::chrono;
using testing::kZones;
using testing::TimeZoneScope;

// Restores the system clock however the test ends.
struct ClockScope {
    explicit ClockScope(system_clock::time_point at)
    {
        SetClockForTests([at] { return at; });
    }
    ~ClockScope() { EndDates(); }
};

TEST(CurrentDate, IsTheWholeSecondOfTheLocalWallClock)
{
    for (const char* zone : kZones) {
        SCOPED_TRACE(zone);
        TimeZoneScope scope(zone);
        InitDates();
        for (const Date noon : {MakeDate(2024, 7, 1, 12, 0, 0), MakeDate(2024, 12, 1, 12, 0, 0)}) {
            const auto instant = DateToInstant(noon);
            ASSERT_TRUE(instant);
            ClockScope clock(*instant + milliseconds(900));
            EXPECT_EQ(CurrentDate(), noon);
        }
    }
}

TEST(CurrentDate, KeepsTheSecondOfAClockBefore1970)
{
    TimeZoneScope scope("UTC");
    ClockScope clock(system_clock::time_point{} - milliseconds(1500));
    EXPECT_EQ(CurrentDate(), -2);
    EXPECT_EQ(DateSecond(CurrentDate()), 58);
}

TEST(CurrentDate, FollowsTheSystemClockOnceTheTestClockIsDropped)
{
    TimeZoneScope scope("Asia/Kathmandu");
    {
        ClockScope clock(system_clock::time_point{});
        EXPECT_EQ(CurrentDate(), 19800); // Kathmandu kept +05:30 until 1986
    }
    const auto before = floor<seconds>(system_clock::now()) + hours(5) + minutes(45);
    const Date now = CurrentDate();
    const auto after = floor<seconds>(system_clock::now()) + hours(5) + minutes(45);
    EXPECT_GE(now, before.time_since_epoch().count());
    EXPECT_LE(now, after.time_since_epoch().count());
}

} // namespace
} // namespace nevalon::date
