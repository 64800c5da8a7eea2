#pragma once

#include "app/AppState.h"

#include <cstdint>
#include <optional>

namespace nevalon::app {

// The program entry: a command-line request is answered and exits; otherwise, unless the program already
// runs, start-up, then the main loop, which ends through Shutdown.
[[noreturn]] void Main(int argc, char** argv);

// Start-up steps up to (not including) the main loop. Exits the process when the program
// cannot run here (no display: code 1; an operating system that is too old: code 0).
void Startup(int argc, char** argv);

// Runs the minute check at once whenever the machine wakes or the clock or the time zone changes.
void FollowClockChanges();

// The main loop: waits for every event and dispatches it. Never returns.
[[noreturn]] void RunMainLoop();

// Dispatches the current event (the code WaitEvent returned).
void DispatchEvent(int64_t code);

// Tears the list window down (and the editor with it).
void CloseListWindow();

// Builds the list window again from Events without reading the events file.
void RefreshListWindow();

// Whether the point lies on the desktop, its edges included.
bool DesktopContains(int64_t desktop, int64_t x, int64_t y);

// Index of the desktop under the pointer, searching from the last; 0 when none, -1 without desktops.
int64_t DesktopUnderMouse();

// The left edge at which the list window opens under the point (x, y): centred on it, kept on its screen.
int64_t ListWindowXAt(int64_t x, int64_t y);
int64_t ListWindowXUnderMouse();

// The free part of the screen under the point (the main one when none is), resting on its bottom edge for a
// point in the lower half of that screen; none without screens.
std::optional<ListWindowPlace> ListWindowPlaceAt(int64_t x, int64_t y);
std::optional<ListWindowPlace> ListWindowPlaceUnderMouse();

// Shows the next event to come and its countdown as the status icon's tooltip; "Nevalon" alone when no
// event lies ahead.
void UpdateStatusIconToolTip();

// Closes everything, ends the runtime libraries and exits with code 0.
[[noreturn]] void Shutdown();

} // namespace nevalon::app
