#pragma once

#include "runtime/date/Date.h"

#include <chrono>
#include <functional>

namespace nevalon::date {

// The current local wall-clock time, cut down to the whole second it falls in.
Date CurrentDate();

// The clock CurrentDate reads in place of the system's while it is set. Only the date test seams
// (runtime/date/testing) set it; EndDates clears it.
std::function<std::chrono::system_clock::time_point()>& ClockOverride();

} // namespace nevalon::date
