#include "runtime/date/LocalCalendar.h"

#include <ctime>
#include <limits>

namespace nevalon::date {

namespace {

bool LocalTime(int64_t unixSeconds, std::tm& out)
{
    const auto t = static_cast<std::time_t>(unixSeconds);
    return static_cast<int64_t>(t) == unixSeconds && localtime_r(&t, &out) != nullptr;
}

} // namespace

std::optional<int64_t> UtcOffsetAt(int64_t unixSeconds)
{
    std::tm local{};
    if (!LocalTime(unixSeconds, local)) return std::nullopt;
    return local.tm_gmtoff;
}

std::optional<WallClock> WallClockAt(int64_t unixSeconds)
{
    std::tm local{};
    if (!LocalTime(unixSeconds, local) || local.tm_year > std::numeric_limits<int32_t>::max() - 1900) {
        return std::nullopt;
    }
    WallClock wall;
    wall.year = local.tm_year + 1900;
    wall.month = local.tm_mon + 1;
    wall.day = local.tm_mday;
    wall.hour = local.tm_hour;
    wall.minute = local.tm_min;
    wall.second = local.tm_sec;
    return wall;
}

std::optional<int64_t> UnixTimeOf(const WallClock& wall)
{
    std::tm local{};
    local.tm_year = wall.year - 1900;
    local.tm_mon = wall.month - 1;
    local.tm_mday = wall.day;
    local.tm_hour = wall.hour;
    local.tm_min = wall.minute;
    local.tm_sec = wall.second;
    local.tm_isdst = -1;
    // mktime's -1 is also a valid time; a success always fills in the weekday.
    local.tm_wday = -1;
    const std::time_t t = std::mktime(&local);
    if (local.tm_wday < 0) return std::nullopt;
    return static_cast<int64_t>(t);
}

} // namespace nevalon::date
