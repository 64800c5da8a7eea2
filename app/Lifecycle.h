#pragma once

#include "app/AppState.h"

#include <cstdint>
#include <optional>

namespace nevalon::app {

// The program entry: answers a command-line request, or, unless the program already runs, starts up and
// runs the main loop until a quit. Returns the process's exit code; never exits on its own.
[[nodiscard]] int Main(int argc, char** argv);

// Start-up steps up to (not including) the main loop. Nothing when the program runs on; else the exit code
// of a program that cannot run here: 1 without a display, 0 on an operating system that is too old (after
// saying so, with the runtime ended again).
[[nodiscard]] std::optional<int> Startup(int argc, char** argv);

// Runs the minute check at once whenever the machine wakes or the clock or the time zone changes.
void FollowClockChanges();

// The main loop: waits for every event and dispatches it until one asks to quit (the Quit item, the
// desktop's quit request, a signal), then shuts down. Returns the exit code.
[[nodiscard]] int RunMainLoop();

// Dispatches the current event (the code WaitEvent returned). A quit only sets QuitRequested: the caller's
// loop ends.
void DispatchEvent(int64_t code);

// Closes the windows and the status icon, saves what a failed save left, and ends the runtime libraries.
// The exit code: 0.
[[nodiscard]] int Shutdown();

} // namespace nevalon::app
