#pragma once

#include <chrono>
#include <functional>

namespace nevalon::date {

// Test seam: CurrentDate reads this clock instead of the system's; an empty one restores it.
void SetClockForTests(std::function<std::chrono::system_clock::time_point()> clock);

} // namespace nevalon::date
