#include "TimeZoneScope.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"

#include <gtest/gtest.h>

namespace nevalon::date {
namespace {

using testing::CivilSeconds;
using testing::kZones;
using testing::TimeZoneScope;

TEST(MakeDate, AcceptsOnlyRealSecondsOfTheSupportedYears)
{
    struct Parts {
        int32_t y, m, d, h, i, s;
    };
    const Parts valid[] = {{2024, 2, 29, 0, 0, 0},     {2000, 2, 29, 0, 0, 0},  {1601, 1, 1, 0, 0, 0},
                           {9999, 12, 31, 23, 59, 59}, {2024, 4, 30, 12, 0, 0}, {2023, 1, 31, 0, 0, 0},
                           {2024, 2, 28, 23, 59, 59}};
    const Parts invalid[] = {
        {2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},  {2024, 4, 31, 0, 0, 0}, {2024, 6, 31, 0, 0, 0},
        {2024, 9, 31, 0, 0, 0}, {2024, 11, 31, 0, 0, 0}, {2024, 2, 30, 0, 0, 0}, {1600, 12, 31, 23, 59, 59},
        {10000, 1, 1, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},  {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
        {2024, 1, 1, -1, 0, 0}, {2024, 1, 1, 0, -1, 0},  {2024, 1, 1, 0, 0, -1}, {2024, 0, 1, 0, 0, 0},
        {2024, 13, 1, 0, 0, 0}, {2024, 1, 0, 0, 0, 0},   {2024, 1, 32, 0, 0, 0}, {-2024, 1, 1, 0, 0, 0}};
    for (const auto& p : valid) {
        SCOPED_TRACE(::testing::Message()
                     << p.y << "-" << p.m << "-" << p.d << " " << p.h << ":" << p.i << ":" << p.s);
        EXPECT_TRUE(IsValidDateParts(p.y, p.m, p.d, p.h, p.i, p.s));
        EXPECT_EQ(MakeDate(p.y, p.m, p.d, p.h, p.i, p.s), CivilSeconds(p.y, p.m, p.d, p.h, p.i, p.s));
    }
    for (const auto& p : invalid) {
        SCOPED_TRACE(::testing::Message()
                     << p.y << "-" << p.m << "-" << p.d << " " << p.h << ":" << p.i << ":" << p.s);
        EXPECT_FALSE(IsValidDateParts(p.y, p.m, p.d, p.h, p.i, p.s));
        EXPECT_EQ(MakeDate(p.y, p.m, p.d, p.h, p.i, p.s), InvalidDate);
    }
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(1600));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
}

TEST(MakeDate, CountsWallClockSecondsInEveryZone)
{
    // Days on which the zones change their offset, plus their neighbours.
    const int days[][3] = {{2024, 3, 9},   {2024, 3, 10}, {2024, 3, 11},  {2024, 11, 3}, {2024, 3, 31},
                           {2024, 10, 27}, {2024, 4, 7},  {2024, 10, 5},  {2024, 10, 6}, {1986, 1, 1},
                           {1985, 12, 31}, {1893, 4, 1},  {1883, 11, 18}, {1970, 1, 1},  {1969, 12, 31}};
    for (const char* zone : kZones) {
        SCOPED_TRACE(zone);
        TimeZoneScope scope(zone);
        EXPECT_EQ(MakeDate(1970, 1, 1, 0, 0, 0), 0);
        EXPECT_EQ(MakeDate(2000, 1, 1, 0, 0, 0), 946684800);
        EXPECT_EQ(MakeDate(1601, 1, 1, 0, 0, 0), kFirstDate);
        EXPECT_EQ(MakeDate(9999, 12, 31, 23, 59, 59), kLastDate);
        EXPECT_EQ(MakeDate(1969, 12, 31, 23, 59, 58), -2);
        for (const auto& d : days) {
            SCOPED_TRACE(::testing::Message() << d[0] << "-" << d[1] << "-" << d[2]);
            const Date noon = MakeDate(d[0], d[1], d[2], 12, 0, 0);
            EXPECT_EQ(noon, CivilSeconds(d[0], d[1], d[2], 12));
            EXPECT_EQ(MakeDate(d[0], d[1], d[2], 23, 59, 59) - noon, 43199);
        }
    }
}

TEST(MakeDate, StandsForTheInstantOfTheZone)
{
    struct Expected {
        const char* zone;
        int64_t januaryOffset, julyOffset;
    };
    const Expected zones[] = {{"UTC", 0, 0},
                              {"America/New_York", -18000, -14400},
                              {"Europe/Berlin", 3600, 7200},
                              {"Asia/Kathmandu", 20700, 20700},
                              {"Australia/Lord_Howe", 39600, 37800}};
    for (const auto& z : zones) {
        SCOPED_TRACE(z.zone);
        TimeZoneScope scope(z.zone);
        const auto january = DateToInstant(MakeDate(2024, 1, 15, 12, 0, 0));
        const auto july = DateToInstant(MakeDate(2024, 7, 15, 12, 0, 0));
        ASSERT_TRUE(january && july);
        EXPECT_EQ(january->time_since_epoch().count(), CivilSeconds(2024, 1, 15, 12) - z.januaryOffset);
        EXPECT_EQ(july->time_since_epoch().count(), CivilSeconds(2024, 7, 15, 12) - z.julyOffset);
    }
}

TEST(MakeDate, GivesAWallClockBesideADaylightSavingGapAndTheSameOneInAnOverlap)
{
    struct Change {
        const char* zone;
        int y, m, d, h, i;
        int64_t size;
    };
    // Local times that do not exist: the platform's calendar picks a neighbour across the gap.
    const Change gaps[] = {{"Europe/Berlin", 2024, 3, 31, 2, 30, 3600},
                           {"America/New_York", 2024, 3, 10, 2, 30, 3600},
                           {"Australia/Lord_Howe", 2024, 10, 6, 2, 15, 1800},
                           {"Asia/Kathmandu", 1986, 1, 1, 0, 10, 900}};
    for (const auto& g : gaps) {
        SCOPED_TRACE(g.zone);
        TimeZoneScope scope(g.zone);
        const Date made = MakeDate(g.y, g.m, g.d, g.h, g.i, 0);
        const int64_t civil = CivilSeconds(g.y, g.m, g.d, g.h, g.i);
        EXPECT_TRUE(made == civil + g.size || made == civil - g.size) << made - civil;
    }
    // Local times that happen twice: either instant shows the same wall clock.
    const Change overlaps[] = {{"Europe/Berlin", 2024, 10, 27, 2, 30, 3600},
                               {"America/New_York", 2024, 11, 3, 1, 30, 3600},
                               {"Australia/Lord_Howe", 2024, 4, 7, 1, 45, 1800}};
    for (const auto& o : overlaps) {
        SCOPED_TRACE(o.zone);
        TimeZoneScope scope(o.zone);
        EXPECT_EQ(MakeDate(o.y, o.m, o.d, o.h, o.i, 0), CivilSeconds(o.y, o.m, o.d, o.h, o.i));
    }
}

} // namespace
} // namespace nevalon::date
