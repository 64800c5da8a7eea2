#pragma once

#include "runtime/gui/ObjectTable.h"
#include "runtime/gui/WindowRecord.h"

namespace nevalon::gui {

// The window table (growth step 8, free routine DestroyWindow).
ObjectTable<WindowRecord>& Windows();

// Everything a closing window leaves behind: its shortcuts, its queued events and its number.
void TearDownWindow(int64_t window);

} // namespace nevalon::gui
