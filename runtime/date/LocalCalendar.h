#pragma once

// The platform's Gregorian calendar and time zone: the C library's TZ database.

#include <cstdint>
#include <optional>

namespace nevalon::date {

struct WallClock {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};

// Seconds the local time zone is ahead of UTC at the given Unix time; none when the C library cannot tell.
std::optional<int64_t> UtcOffsetAt(int64_t unixSeconds);

// The local wall clock at the given Unix time; none when the C library cannot tell.
std::optional<WallClock> WallClockAt(int64_t unixSeconds);

// The Unix time whose local wall clock shows wallSeconds (seconds since 1970-01-01 00:00:00 on that
// clock): the earlier one where a change of offset repeats it; where a change skips it, the one the offset
// before the change gives, which shows it moved forward by the skip. None when the C library cannot tell.
std::optional<int64_t> UnixTimeShowing(int64_t wallSeconds);

} // namespace nevalon::date
