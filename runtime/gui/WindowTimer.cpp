#include "runtime/gui/WindowTimer.h"

#include "runtime/gui/EventQueue.h"
#include "runtime/gui/WindowRecord.h"

#include <algorithm>

namespace nevalon::gui {

void KxTimerEvents::TimerFireEvent() const
{
    PostEvent(EventTimer, timerID_, windowID_, 0);
}

int64_t StartWindowTimer(int64_t window, int64_t timer, int64_t period)
{
    StopWindowTimer(window, timer);
    WindowRecord* record = FindWindowRecord(window);
    if (period < 1 || !record) return 0;
    KxTimerEvents events(window, timer);
    // The platform timer keeps its own copy of the numbers: a tick may close the window.
    auto created = platform::Ref<platform::Timer>::Adopt(
        platform::CreateRepeatingTimer(period, [events] { events.TimerFireEvent(); }));
    if (!created) return 0;
    if (record->timers.empty()) record->timers.reserve(2);
    record->timers.push_back(WindowTimer{std::move(created), events});
    return 1;
}

void StopWindowTimer(int64_t window, int64_t timer)
{
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return;
    auto& timers = record->timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [timer](const WindowTimer& t) { return t.events.TimerID() == timer; });
    if (it == timers.end()) return;
    it->timer->Invalidate();
    timers.erase(it);
    DeleteQueuedEvents([window, timer](int32_t code, int64_t w, int64_t object) {
        return code == EventTimer && w == window && object == timer;
    });
}

void InvalidateWindowTimers(std::vector<WindowTimer>& timers)
{
    for (WindowTimer& t : timers)
        t.timer->Invalidate();
    timers.clear();
}

} // namespace nevalon::gui
