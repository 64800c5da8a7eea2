#pragma once

#include "runtime/date/Date.h"

#include <cstdint>

namespace nevalon::date {

// True for Gregorian leap years: divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int64_t year);

// True when the six parts name a real second of the years 1601 to 9999.
bool IsValidDateParts(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second);

// The Date of the given local wall-clock time, or InvalidDate for parts that IsValidDateParts rejects; a
// time that a change of the zone's offset skips moves forward by the skip.
Date MakeDate(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second);

} // namespace nevalon::date
