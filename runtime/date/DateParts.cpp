#include "runtime/date/DateParts.h"

#include "runtime/date/LocalCalendar.h"

namespace nevalon::date {

namespace {

std::optional<WallClock> WallClockOf(Date date)
{
    const auto instant = DateToInstant(date);
    if (!instant) return std::nullopt;
    return WallClockAt(instant->time_since_epoch().count());
}

// One component of the wall clock a Date shows; -1 when it shows none.
template <typename Field> int64_t Component(Date date, Field WallClock::*field)
{
    const auto wall = WallClockOf(date);
    return wall ? static_cast<int64_t>((*wall).*field) : -1;
}

} // namespace

std::optional<std::chrono::sys_seconds> DateToInstant(Date date)
{
    if (date == InvalidDate) return std::nullopt;
    const auto unixTime = UnixTimeShowing(date);
    if (!unixTime) return std::nullopt;
    return std::chrono::sys_seconds{std::chrono::seconds{*unixTime}};
}

int64_t DateYear(Date date)
{
    return Component(date, &WallClock::year);
}

int64_t DateMonth(Date date)
{
    return Component(date, &WallClock::month);
}

int64_t DateDay(Date date)
{
    return Component(date, &WallClock::day);
}

int64_t DateHour(Date date)
{
    return Component(date, &WallClock::hour);
}

int64_t DateMinute(Date date)
{
    return Component(date, &WallClock::minute);
}

int64_t DateSecond(Date date)
{
    return Component(date, &WallClock::second);
}

bool DateParts(Date date, int32_t& year, int32_t& month, int32_t& day, int32_t& hour, int32_t& minute,
               int32_t& second)
{
    const auto wall = WallClockOf(date);
    if (!wall) return false;
    year = wall->year;
    month = wall->month;
    day = wall->day;
    hour = wall->hour;
    minute = wall->minute;
    second = wall->second;
    return true;
}

} // namespace nevalon::date
