#include "runtime/date/LocalCalendar.h"

#include <algorithm>
#include <ctime>
#include <limits>

namespace nevalon::date {

namespace {

// Beyond any zone's offset: the TZ database's stay within 16 hours, and its file format keeps them under 26.
constexpr int64_t kOffsetBound = 26 * 3600;
// Offsets are probed this far apart and every change met is bisected to the second. A change undone within
// a step would go unseen; the TZ database keeps days between its changes.
constexpr int64_t kProbeStep = 6 * 3600;
// Beyond any year the C library can express, and far from overflowing the sums below.
constexpr int64_t kFarthest = int64_t{1} << 60;

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

std::optional<int64_t> UnixTimeShowing(int64_t wallSeconds)
{
    if (wallSeconds < -kFarthest || wallSeconds > kFarthest) return std::nullopt;
    // Walk the stretches of constant offset from before the earliest instant that can show the wall clock;
    // the stretch from `start` with offset o shows the wall clocks from start + o on, so it shows
    // wallSeconds at wallSeconds - o unless it ends first.
    int64_t start = wallSeconds - kOffsetBound;
    auto offset = UtcOffsetAt(start);
    std::optional<int64_t> previous;
    for (int64_t probe = start; offset;) {
        const int64_t showing = wallSeconds - *offset;
        // A stretch that starts past the wall clock follows a change that skipped it.
        if (showing < start) return previous ? std::optional(wallSeconds - *previous) : std::nullopt;
        if (showing <= probe) return showing;
        const int64_t next = std::min(probe + kProbeStep, showing);
        const auto nextOffset = UtcOffsetAt(next);
        if (!nextOffset) return std::nullopt;
        if (*nextOffset == *offset) {
            probe = next;
            continue;
        }
        // Bisect to the first second of the next stretch.
        int64_t low = probe, high = next;
        while (high - low > 1) {
            const int64_t mid = low + (high - low) / 2;
            const auto midOffset = UtcOffsetAt(mid);
            if (!midOffset) return std::nullopt;
            (*midOffset == *offset ? low : high) = mid;
        }
        previous = offset;
        start = probe = high;
        offset = UtcOffsetAt(high);
    }
    return std::nullopt;
}

} // namespace nevalon::date
