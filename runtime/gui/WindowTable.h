#pragma once

#include "runtime/gui/ObjectTable.h"
#include "runtime/gui/WindowRecord.h"

namespace nevalon::gui {

// The window table (growth step 8, free routine DestroyWindow).
ObjectTable<WindowRecord>& Windows();

// Everything a closing window leaves behind: its timers, its shortcuts, its queued events and its number. Its
// delegate lives on until FreeRetiredDelegates.
void TearDownWindow(int64_t window);

// Frees the delegates of windows torn down since the last call (WaitEvent and the toolkit's end).
void FreeRetiredDelegates();

} // namespace nevalon::gui
