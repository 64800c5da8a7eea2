// MakeDate, the components and month and year shifts against the civil calendar of <chrono>, over dates
// drawn from the whole supported range, in UTC and in Europe/Berlin.

#include "TimeZoneScope.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"
#include "runtime/date/ShiftDate.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace nevalon::date {
namespace {

using namespace std::chrono;
using testing::TimeZoneScope;

constexpr int kSamples = 20000;

struct Wall {
    year_month_day ymd;
    seconds time; // since midnight
};

int64_t Seconds(const Wall& w)
{
    return (sys_days{w.ymd}.time_since_epoch() + w.time).count();
}

Wall Decompose(int64_t value)
{
    const seconds s{value};
    const auto day = floor<days>(s);
    return {year_month_day{sys_days{day}}, s - day};
}

std::string Text(const Wall& w)
{
    const hh_mm_ss hms{w.time};
    return std::to_string(int{w.ymd.year()}) + "-" + std::to_string(unsigned{w.ymd.month()}) + "-" +
           std::to_string(unsigned{w.ymd.day()}) + " " + std::to_string(hms.hours().count()) + ":" +
           std::to_string(hms.minutes().count()) + ":" + std::to_string(hms.seconds().count());
}

Date Make(const Wall& w)
{
    const hh_mm_ss hms{w.time};
    return MakeDate(int{w.ymd.year()}, static_cast<int32_t>(unsigned{w.ymd.month()}),
                    static_cast<int32_t>(unsigned{w.ymd.day()}), static_cast<int32_t>(hms.hours().count()),
                    static_cast<int32_t>(hms.minutes().count()), static_cast<int32_t>(hms.seconds().count()));
}

std::optional<Wall> Read(Date date)
{
    int32_t y, m, d, h, i, s;
    if (!DateParts(date, y, m, d, h, i, s)) return std::nullopt;
    return Wall{year{y} / month(m) / day(d), hours{h} + minutes{i} + seconds{s}};
}

sys_seconds LastSundayAt1Utc(year y, month m)
{
    return sys_days{y / m / Sunday[last]} + hours{1};
}

// Europe/Berlin where its rules are simple: local mean time (+00:53:28) until 1893-03-31 23:06:32 UTC,
// and from 1996 on CET, with CEST from 01:00 UTC on the last Sunday of March to that of October.
std::optional<int64_t> BerlinOffset(int64_t unixSeconds)
{
    if (unixSeconds < testing::CivilSeconds(1893, 3, 31, 23, 6, 32)) return 3208;
    if (unixSeconds < testing::CivilSeconds(1996, 1, 1)) return std::nullopt;
    const sys_seconds at{seconds{unixSeconds}};
    const year y = year_month_day{floor<days>(at)}.year();
    return at >= LastSundayAt1Utc(y, March) && at < LastSundayAt1Utc(y, October) ? 7200 : 3600;
}

// Between 1893 and 1996 Berlin changed its offset only between 22:00 and 05:00 wall-clock time.
bool AwayFromBerlinChanges(seconds time)
{
    return time >= hours{6} && time < hours{22};
}

class Samples {
public:
    Wall AnyWall()
    {
        const year y{static_cast<int>(Draw(1601, 9999))};
        const month m(static_cast<unsigned>(Draw(1, 12)));
        const unsigned last = unsigned{year_month_day_last{y, month_day_last{m}}.day()};
        return {y / m / day(static_cast<unsigned>(Draw(1, last))), seconds{Draw(0, 86399)}};
    }
    // Early hours of a day on which Berlin changes its offset.
    Wall BerlinChangeWall()
    {
        const year y{static_cast<int>(Draw(1996, 9999))};
        const month m = Draw(0, 1) ? March : October;
        return {year_month_day{sys_days{y / m / Sunday[last]}}, seconds{Draw(0, 5 * 3600)}};
    }
    int64_t Draw(int64_t low, int64_t high)
    {
        return std::uniform_int_distribution<int64_t>{low, high}(engine_);
    }

private:
    std::mt19937_64 engine_{20240229};
};

bool InBerlinSpringGap(const Wall& w)
{
    return int{w.ymd.year()} >= 1996 && w.ymd.month() == March && w.time >= hours{2} && w.time < hours{3} &&
           sys_days{w.ymd} == sys_days{w.ymd.year() / March / Sunday[last]};
}

// A wall clock the spring change skips reads as the hour after it.
Wall PastBerlinGap(Wall w)
{
    if (InBerlinSpringGap(w)) w.time += hours{1};
    return w;
}

TEST(ChronoCrossCheck, MakeDateCountsCivilSeconds)
{
    Samples samples;
    {
        TimeZoneScope scope("UTC");
        for (int n = 0; n < kSamples; ++n) {
            const Wall w = samples.AnyWall();
            ASSERT_EQ(Make(w), Seconds(w)) << Text(w);
        }
    }
    TimeZoneScope scope("Europe/Berlin");
    for (int n = 0; n < kSamples; ++n) {
        Wall w = n % 4 == 0 ? samples.BerlinChangeWall() : samples.AnyWall();
        const int y = int{w.ymd.year()};
        if (y >= 1893 && y < 1996 && !AwayFromBerlinChanges(w.time)) w.time = seconds{12 * 3600 + n};
        const Date made = Make(w);
        if (InBerlinSpringGap(w)) {
            ASSERT_TRUE(made == Seconds(w) + 3600 || made == Seconds(w) - 3600) << Text(w);
        } else {
            ASSERT_EQ(made, Seconds(w)) << Text(w);
        }
    }
}

TEST(ChronoCrossCheck, ComponentsAreTheCivilTimeOfTheInstant)
{
    Samples samples;
    {
        TimeZoneScope scope("UTC");
        for (int n = 0; n < kSamples; ++n) {
            const Date date = samples.Draw(kFirstDate, kLastDate);
            if (date == InvalidDate) continue;
            const auto read = Read(date);
            ASSERT_TRUE(read) << date;
            ASSERT_EQ(Seconds(*read), date) << Text(*read);
        }
    }
    TimeZoneScope scope("Europe/Berlin");
    int checkedInGaps = 0;
    for (int n = 0; n < kSamples; ++n) {
        const Date date =
            n % 4 == 0 ? Seconds(samples.BerlinChangeWall()) : samples.Draw(kFirstDate, kLastDate);
        if (date == InvalidDate) continue;
        const auto read = Read(date);
        ASSERT_TRUE(read) << date;
        const Wall wall = Decompose(date);
        if (BerlinOffset(date) || AwayFromBerlinChanges(wall.time)) {
            checkedInGaps += InBerlinSpringGap(wall);
            ASSERT_EQ(Seconds(*read), Seconds(PastBerlinGap(wall))) << Text(wall);
        }
    }
    EXPECT_GT(checkedInGaps, 100);
}

std::optional<year_month_day> AddMonths(year_month_day from, int64_t count)
{
    const year_month target = year_month{from.year(), from.month()} + months{count};
    if (target.year() < year{1601} || target.year() > year{9999}) return std::nullopt;
    return target /
           std::min(from.day(), year_month_day_last{target.year(), month_day_last{target.month()}}.day());
}

std::optional<year_month_day> AddYears(year_month_day from, int64_t count)
{
    year_month_day moved = from + years{count};
    if (moved.year() < year{1601} || moved.year() > year{9999}) return std::nullopt;
    if (!moved.ok()) moved = year_month_day_last{moved.year(), month_day_last{moved.month()}};
    return moved;
}

// Whether the cross-check knows Berlin's offsets around the wall clock.
bool BerlinModelled(const Wall& w)
{
    const int y = int{w.ymd.year()};
    return y < 1893 || y >= 1996 || AwayFromBerlinChanges(w.time);
}

// In Berlin every fourth start is drawn from the night of a change; a start or a result Berlin changed
// around before 1996 is left out.
void CheckShifts(Samples& samples, bool inBerlin)
{
    for (int n = 0; n < kSamples; ++n) {
        Wall w = inBerlin && n % 4 == 0 ? samples.BerlinChangeWall() : samples.AnyWall();
        if (inBerlin && !BerlinModelled(w)) w.time = seconds{samples.Draw(6 * 3600, 22 * 3600 - 1)};
        // A skipped start reads, and so moves, as the hour after the skip.
        const auto shown = [&](const Wall& at) { return inBerlin ? PastBerlinGap(at) : at; };
        const seconds time = shown(w).time;
        const auto check = [&](Date shifted, std::optional<year_month_day> ymd, int64_t count) {
            if (!ymd) {
                ASSERT_EQ(shifted, InvalidDate) << Text(w) << " + " << count;
            } else if (!inBerlin || BerlinModelled({*ymd, time})) {
                ASSERT_EQ(shifted, Seconds(shown({*ymd, time}))) << Text(w) << " + " << count;
            }
        };
        const int64_t count = n % 10 == 0 ? samples.Draw(-12 * 8400, 12 * 8400) : samples.Draw(-1200, 1200);
        check(ShiftDate(Make(w), kMonthUnit, count), AddMonths(w.ymd, count), count);
        check(ShiftDate(Make(w), kYearUnit, count / 4), AddYears(w.ymd, count / 4), count / 4);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(ChronoCrossCheck, MonthAndYearShiftsFollowCivilArithmetic)
{
    Samples samples;
    {
        TimeZoneScope scope("UTC");
        CheckShifts(samples, false);
    }
    TimeZoneScope scope("Europe/Berlin");
    CheckShifts(samples, true);
}

} // namespace
} // namespace nevalon::date
