#pragma once

#include "runtime/date/Date.h"

#include <chrono>
#include <functional>

namespace nevalon::date {

// The current local wall-clock time, cut down to the whole second it falls in.
Date CurrentDate();

// Tests and tools only: CurrentDate reads this clock instead of the system's; an empty one restores it.
void SetClockForTests(std::function<std::chrono::system_clock::time_point()> clock);

} // namespace nevalon::date
