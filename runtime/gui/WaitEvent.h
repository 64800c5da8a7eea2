#pragma once

#include <cstdint>

namespace nevalon::gui {

// Waits for the next toolkit event (timeout in milliseconds; negative waits without limit).
// Returns its code; 0 when the timeout ran out; -1 when a platform event was handled that
// produced no toolkit event. First it frees what the events before it let go of: closed windows with their
// controls, freed menus, images and timers.
int64_t WaitEvent(int64_t timeout = -1);

} // namespace nevalon::gui
