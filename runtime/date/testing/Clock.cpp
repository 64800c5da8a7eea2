#include "runtime/date/testing/Clock.h"

#include "runtime/date/CurrentDate.h"

namespace nevalon::date {

void SetClockForTests(std::function<std::chrono::system_clock::time_point()> clock)
{
    ClockOverride() = std::move(clock);
}

} // namespace nevalon::date
