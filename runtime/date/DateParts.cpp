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

} // namespace

std::optional<std::chrono::sys_seconds> DateToInstant(Date date)
{
    if (date == InvalidDate) return std::nullopt;
    const auto offset = UtcOffsetAt(date);
    if (!offset) return std::nullopt;
    return std::chrono::sys_seconds{std::chrono::seconds{date - *offset}};
}

int64_t DateYear(Date date)
{
    const auto wall = WallClockOf(date);
    return wall ? wall->year : -1;
}

int64_t DateMonth(Date date)
{
    const auto wall = WallClockOf(date);
    return wall ? wall->month : -1;
}

int64_t DateDay(Date date)
{
    const auto wall = WallClockOf(date);
    return wall ? wall->day : -1;
}

int64_t DateHour(Date date)
{
    const auto wall = WallClockOf(date);
    return wall ? wall->hour : -1;
}

int64_t DateMinute(Date date)
{
    const auto wall = WallClockOf(date);
    return wall ? wall->minute : -1;
}

int64_t DateSecond(Date date)
{
    const auto wall = WallClockOf(date);
    return wall ? wall->second : -1;
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
