#include "TimeZoneScope.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"

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

// The offset is taken at the Unix time equal to the Date, so for a while around a change the components
// are those of the wall clock the other offset gives.
TEST(DateParts, NearAnOffsetChangeUseTheOffsetAtTheValue)
{
    struct Case {
        const char* zone;
        Wall made, read;
    };
    const Case cases[] = {
        // Berlin switches at 01:00 UTC.
        {"Europe/Berlin", {2024, 3, 31, 0, 59, 59}, {2024, 3, 31, 0, 59, 59}},
        {"Europe/Berlin", {2024, 3, 31, 1, 30, 0}, {2024, 3, 31, 0, 30, 0}},
        {"Europe/Berlin", {2024, 3, 31, 3, 0, 0}, {2024, 3, 31, 3, 0, 0}},
        {"Europe/Berlin", {2024, 10, 27, 1, 30, 0}, {2024, 10, 27, 2, 30, 0}},
        {"Europe/Berlin", {2024, 10, 27, 2, 30, 0}, {2024, 10, 27, 2, 30, 0}},
        // New York switches at 07:00 and 06:00 UTC, so the shifted stretch lasts the whole offset.
        {"America/New_York", {2024, 3, 10, 1, 59, 59}, {2024, 3, 10, 1, 59, 59}},
        {"America/New_York", {2024, 3, 10, 3, 30, 0}, {2024, 3, 10, 4, 30, 0}},
        {"America/New_York", {2024, 3, 10, 6, 59, 59}, {2024, 3, 10, 7, 59, 59}},
        {"America/New_York", {2024, 3, 10, 7, 0, 0}, {2024, 3, 10, 7, 0, 0}},
        {"America/New_York", {2024, 11, 3, 1, 59, 59}, {2024, 11, 3, 1, 59, 59}},
        {"America/New_York", {2024, 11, 3, 2, 0, 0}, {2024, 11, 3, 1, 0, 0}},
        {"America/New_York", {2024, 11, 3, 5, 59, 59}, {2024, 11, 3, 4, 59, 59}},
        {"America/New_York", {2024, 11, 3, 6, 0, 0}, {2024, 11, 3, 6, 0, 0}},
        // Lord Howe moves by half an hour at 15:30 UTC the day before.
        {"Australia/Lord_Howe", {2024, 10, 5, 15, 29, 59}, {2024, 10, 5, 15, 29, 59}},
        {"Australia/Lord_Howe", {2024, 10, 5, 18, 0, 0}, {2024, 10, 5, 17, 30, 0}},
        {"Australia/Lord_Howe", {2024, 10, 6, 2, 30, 0}, {2024, 10, 6, 2, 30, 0}},
        // Kathmandu moved from +05:30 to +05:45 at 18:30 UTC.
        {"Asia/Kathmandu", {1985, 12, 31, 18, 29, 59}, {1985, 12, 31, 18, 29, 59}},
        {"Asia/Kathmandu", {1985, 12, 31, 23, 0, 0}, {1985, 12, 31, 22, 45, 0}},
        {"Asia/Kathmandu", {1986, 1, 1, 0, 15, 0}, {1986, 1, 1, 0, 15, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.zone << " " << c.made);
        TimeZoneScope scope(c.zone);
        const Date date = MakeDate(c.made.y, c.made.m, c.made.d, c.made.h, c.made.i, c.made.s);
        EXPECT_EQ(date, CivilSeconds(c.made.y, c.made.m, c.made.d, c.made.h, c.made.i, c.made.s));
        EXPECT_EQ(PartsOf(date), c.read);
    }
}

} // namespace
} // namespace nevalon::date
