#pragma once

#include <cstdint>

namespace nevalon::date {

// Whole seconds since 1970-01-01 00:00:00, counted on the local wall clock.
using Date = int64_t;

// The failure value of every date operation; 1969-12-31 23:59:59 is therefore not representable.
constexpr Date InvalidDate = -1;

constexpr Date kFirstDate = -11644473600; // 1601-01-01 00:00:00
constexpr Date kLastDate = 253402300799;  // 9999-12-31 23:59:59
constexpr int32_t kFirstYear = 1601;
constexpr int32_t kLastYear = 9999;

// The date itself when it lies in the supported range, else InvalidDate.
constexpr Date InSupportedRange(Date date)
{
    return date >= kFirstDate && date <= kLastDate ? date : InvalidDate;
}

} // namespace nevalon::date
