#pragma once

#include "runtime/date/Date.h"

#include <cstdint>

namespace nevalon::date {

// The unit codes of ShiftDate.
enum DateUnit : uint32_t {
    kYearUnit = 0,   // 12 months
    kMonthUnit = 1,  // calendar months, the day clamped to the target month's last day
    kWeekUnit = 2,   // 604,800 seconds
    kDayUnit = 3,    // 86,400 seconds
    kHourUnit = 4,   // 3,600 seconds
    kMinuteUnit = 5, // 60 seconds
    kSecondUnit = 6,
};

// The Date moved by amount units, or InvalidDate when the result leaves 1601-01-01 .. 9999-12-31 23:59:59;
// an unknown unit leaves the Date as it is.
Date ShiftDate(Date date, uint32_t unit, int64_t amount);

} // namespace nevalon::date
