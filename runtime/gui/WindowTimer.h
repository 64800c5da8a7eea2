#pragma once

#include "platform/Object.h"
#include "platform/Timer.h"

#include <cstdint>
#include <vector>

namespace nevalon::gui {

// Starts timer `timer` of the window: from now on a timer event (EventTimer, object = timer, window =
// window) every `period` milliseconds while the program waits in WaitEvent, none while a modal alert
// is open. A running timer of that number is stopped first. Returns 1 when started, 0 for a period
// below 1 or a window that does not exist.
int64_t StartWindowTimer(int64_t window, int64_t timer, int64_t period);

// Stops the window's timer and deletes its queued events; does nothing when it does not run.
void StopWindowTimer(int64_t window, int64_t timer);

// What a window timer's platform timer calls: posts the tick of one timer of one window.
class KxTimerEvents {
public:
    KxTimerEvents(int64_t windowID, int64_t timerID) : windowID_(windowID), timerID_(timerID) {}
    int64_t WindowID() const { return windowID_; }
    int64_t TimerID() const { return timerID_; }

    // Posts with no posting flags: bound callbacks run at once, and a tick identical to the last
    // queued event is not queued twice.
    void TimerFireEvent() const;

private:
    int64_t windowID_;
    int64_t timerID_;
};

// A running window timer, as the window record keeps it.
struct WindowTimer {
    platform::Ref<platform::Timer> timer;
    KxTimerEvents events;
};

// Invalidates and frees every timer of a closing window.
void InvalidateWindowTimers(std::vector<WindowTimer>& timers);

} // namespace nevalon::gui
