#pragma once

#include <cstdint>
#include <functional>

namespace nevalon::gui {

// Event codes of the queue.
enum EventCodes : int32_t {
    EventMenu = 1,
    EventCloseWindow = 2,
    EventGadget = 3,
    EventRepaint = 4,
    EventMoveWindow = 5,
    EventSizeWindow = 6,
    EventActivateWindow = 7,
    EventDeactivateWindow = 8,
    EventStatusIcon = 9,
    EventDropWindow = 10,
    EventDropGadget = 11,
    EventMinimizeWindow = 12,
    EventMaximizeWindow = 13,
    EventRestoreWindow = 14,
    EventTimer = 15,
    EventRightClick = 16,
    EventLeftClick = 17,
    EventLeftDoubleClick = 18,
    EventFirstCustom = 65536,
};

// Posting flags.
enum PostFlags : uint32_t {
    PostEvenWhenSuppressed = 1,
    PostCallbacksWhenDequeued = 2,
    PostAlwaysWake = 4,
};

// Releases an event's data when the event stops being current.
using EventDataRelease = void (*)(int64_t data);

// The one routine behind every event source: queues the event (unless suppressed or coalesced)
// and, without PostCallbacksWhenDequeued, runs its bound callbacks at once.
void PostEvent(int32_t code, int64_t object, int64_t window, int64_t type, int64_t data = 0,
               EventDataRelease release = nullptr, uint32_t flags = 0);

// Posts an application event; its callbacks run when WaitEvent takes it from the queue.
void QueueEvent(int64_t event, int64_t window = 0, int64_t object = 0, int64_t type = 0, int64_t data = 0);

// Makes the head of the queue the current event; returns its code, or 0 when the queue is empty.
int32_t DequeueEvent();

// Removes queued events that match, releasing their data.
void DeleteQueuedEvents(const std::function<bool(int32_t code, int64_t window, int64_t object)>& matches);
void DeleteQueuedEvents(const std::function<bool(int32_t code, int64_t window)>& matches);

// Number of queued events.
int64_t QueuedEventCount();

// While raised, events posted without PostEvenWhenSuppressed are dropped.
void RaiseEventSuppression();
void LowerEventSuppression();

// The current event.
int64_t EventCode();
int64_t EventWindow();
int64_t EventData();
int64_t EventGadgetNumber();
int64_t EventMenuItem();
int64_t EventTimerNumber();
int64_t EventSubtype();

// Empties the queue and resets the current event (the toolkit's start and end).
void ResetEventQueue();

} // namespace nevalon::gui
