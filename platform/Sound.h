#pragma once

#include <cstdint>

namespace nevalon::platform {

// The system sound played before a reminder.
inline constexpr int64_t kReminderSound = 22;

// Starts a system sound and returns at once, whether or not anything can be heard. kReminderSound is
// the desktop's "message" sound, or the display's bell where that cannot play; other numbers name no
// sound and play nothing.
void PlaySystemSound(int64_t sound);

} // namespace nevalon::platform
