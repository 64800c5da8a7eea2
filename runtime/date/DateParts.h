#pragma once

#include "runtime/date/Date.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace nevalon::date {

// The instant whose local wall clock shows the Date (the earlier one when the clock shows it twice, the
// instant a skipped wall time would have been had the clock not jumped); none for InvalidDate.
std::optional<std::chrono::sys_seconds> DateToInstant(Date date);

// The calendar year of the Date, or -1 for InvalidDate.
int64_t DateYear(Date date);
// The month 1 to 12, or -1 for InvalidDate.
int64_t DateMonth(Date date);
// The day of the month 1 to 31, or -1 for InvalidDate.
int64_t DateDay(Date date);
// The hour 0 to 23, or -1 for InvalidDate.
int64_t DateHour(Date date);
// The minute 0 to 59, or -1 for InvalidDate.
int64_t DateMinute(Date date);
// The second 0 to 59, or -1 for InvalidDate.
int64_t DateSecond(Date date);

// Fills the six components and returns true, or returns false for InvalidDate and leaves them alone.
bool DateParts(Date date, int32_t& year, int32_t& month, int32_t& day, int32_t& hour, int32_t& minute,
               int32_t& second);

} // namespace nevalon::date
