#pragma once

#include <functional>

namespace nevalon::platform {

// Calls `changed` on the main thread after the machine woke from sleep (logind's PrepareForSleep(false) on
// the system bus), after the wall clock was set and after the time zone file (/etc/localtime) was replaced.
// Without a system bus or logind only the clock and the zone are followed, silently. Nothing is polled: the
// program wakes only when one of these happens. Needs StartApplication; a second call replaces `changed`.
void SetClockChangeHandler(std::function<void()> changed);

} // namespace nevalon::platform
