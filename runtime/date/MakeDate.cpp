#include "runtime/date/MakeDate.h"

#include "runtime/date/LocalCalendar.h"

#include <chrono>

namespace nevalon::date {

bool IsLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsValidDateParts(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second)
{
    if (year < kFirstYear || year > kLastYear) return false;
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
    if (day == 31 && (month == 4 || month == 6 || month == 9 || month == 11)) return false;
    if (month == 2 && (day > 29 || (day == 29 && !IsLeapYear(year)))) return false;
    return true;
}

Date MakeDate(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second)
{
    if (!IsValidDateParts(year, month, day, hour, minute, second)) return InvalidDate;
    const std::chrono::sys_days days{std::chrono::year{year} / month / day};
    const int64_t wallSeconds =
        int64_t{days.time_since_epoch().count()} * 86400 + int64_t{hour} * 3600 + minute * 60 + second;
    const auto unixTime = UnixTimeShowing(wallSeconds);
    if (!unixTime) return InvalidDate;
    const auto offset = UtcOffsetAt(*unixTime);
    if (!offset) return InvalidDate;
    return *unixTime + *offset;
}

} // namespace nevalon::date
