#pragma once

#include <cstdint>

namespace nevalon::platform {

// How many platform events the application has dispatched since it started; a number that changes with
// every event, so that what is asked of the display between two events can be asked once.
uint64_t HandledPlatformEvents();

} // namespace nevalon::platform
