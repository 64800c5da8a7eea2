#include "runtime/date/CurrentDate.h"

#include "runtime/date/LocalCalendar.h"

namespace nevalon::date {

std::function<std::chrono::system_clock::time_point()>& ClockOverride()
{
    static std::function<std::chrono::system_clock::time_point()> clock;
    return clock;
}

Date CurrentDate()
{
    using namespace std::chrono;
    const auto& clock = ClockOverride();
    const auto now = clock ? clock() : system_clock::now();
    // Flooring keeps a clock set before 1970 in the second it shows; truncation would round it up.
    const auto unixSeconds = floor<seconds>(now.time_since_epoch()).count();
    const auto offset = UtcOffsetAt(unixSeconds);
    return unixSeconds + offset.value_or(0);
}

} // namespace nevalon::date
