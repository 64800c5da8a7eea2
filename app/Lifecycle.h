#pragma once

#include "app/AppState.h"

#include <cstdint>

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

// Closes everything, ends the runtime libraries and exits with code 0.
[[noreturn]] void Shutdown();

} // namespace nevalon::app
