#include "runtime/gui/EventQueue.h"

#include "platform/Application.h"
#include "runtime/gui/EventBindings.h"

#include <cassert>
#include <memory>
#include <vector>

namespace nevalon::gui {
namespace {

struct EventNode {
    EventNode* next = nullptr;
    int32_t code = 0;
    uint32_t flags = 0;
    int64_t object = 0;
    int64_t window = 0;
    int64_t type = -1;
    int64_t data = 0;
    EventDataRelease release = nullptr;
};

// Nodes are recycled through a free chain; blocks are kept until the toolkit ends.
class NodePool {
public:
    EventNode* Take()
    {
        if (!free_) {
            blocks_.push_back(std::make_unique<EventNode[]>(kBlock));
            for (size_t i = 0; i < kBlock; ++i)
                Give(&blocks_.back()[i]);
        }
        EventNode* node = free_;
        free_ = node->next;
        *node = EventNode{};
        return node;
    }
    void Give(EventNode* node)
    {
        node->next = free_;
        free_ = node;
    }

private:
    static constexpr size_t kBlock = 64;
    std::vector<std::unique_ptr<EventNode[]>> blocks_;
    EventNode* free_ = nullptr;
};

struct CurrentEvent {
    int32_t code = 0;
    int64_t window = 0;
    int64_t object = 0;
    int64_t type = -1;
    int64_t data = 0;
    EventDataRelease release = nullptr;
    // A dequeued event owns its data. While callbacks run at posting, the queued node owns it, and a
    // callback that waits for events meanwhile must not release it, nor the data of the event it hides.
    bool ownsData = false;
};

NodePool pool;
EventNode* head = nullptr;
EventNode* tail = nullptr;
int64_t queued = 0;
int suppression = 0;
CurrentEvent current;

// The current event stops being current: its data goes if it owns it.
void LetGoOfCurrentData()
{
    if (current.ownsData && current.data && current.release) current.release(current.data);
    current.data = 0;
    current.release = nullptr;
    current.ownsData = false;
}

void RunCallbacksAsCurrent(CurrentEvent event)
{
    CurrentEvent saved = current;
    event.ownsData = false;
    current = event;
    RunEventCallbacks(event.code, event.window, event.object, event.type);
    // A callback that waited for events made others current; the last of them ends here.
    LetGoOfCurrentData();
    current = saved;
}

} // namespace

void PostEvent(int32_t code, int64_t object, int64_t window, int64_t type, int64_t data,
               EventDataRelease release, uint32_t flags)
{
    if (!(flags & PostEvenWhenSuppressed) && suppression != 0) {
        if (release && data) release(data);
        return;
    }
    if (code == EventMenu ||
        (code != EventRepaint && ((flags & PostAlwaysWake) || !platform::HasPendingPlatformEvents())))
        platform::WakeUp();

    bool coalesce = !(flags & (PostCallbacksWhenDequeued | PostAlwaysWake)) && code < EventFirstCustom;
    if (coalesce && tail && tail->code == code && tail->object == object && tail->window == window &&
        tail->type == type) {
        if (release && data) release(data);
        return;
    }
    EventNode* node = pool.Take();
    *node = EventNode{nullptr, code, flags, object, window, type, data, release};
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++queued;
    if (flags & PostCallbacksWhenDequeued) return;
    RunCallbacksAsCurrent(CurrentEvent{code, window, object, type, data, release, false});
}

void QueueEvent(int64_t event, int64_t window, int64_t object, int64_t type, int64_t data)
{
    PostEvent(static_cast<int32_t>(event), object, window, type, data, nullptr,
              PostEvenWhenSuppressed | PostCallbacksWhenDequeued | PostAlwaysWake);
}

int32_t DequeueEvent()
{
    current.code = 0;
    LetGoOfCurrentData();
    current.type = -1;
    if (!head) return 0;
    EventNode* node = head;
    head = node->next;
    if (!head) tail = nullptr;
    --queued;
    assert(queued >= 0 && (queued == 0) == (head == nullptr) && "the count follows the chain");
    current =
        CurrentEvent{node->code, node->window, node->object, node->type, node->data, node->release, true};
    uint32_t flags = node->flags;
    pool.Give(node);
    if (flags & PostCallbacksWhenDequeued) RunCallbacksAsCurrent(current);
    return current.code;
}

void DeleteQueuedEvents(const std::function<bool(int32_t code, int64_t window, int64_t object)>& matches)
{
    EventNode** link = &head;
    tail = nullptr;
    while (EventNode* node = *link) {
        if (matches(node->code, node->window, node->object)) {
            *link = node->next;
            if (node->release && node->data) node->release(node->data);
            pool.Give(node);
            --queued;
            assert(queued >= 0 && "the count follows the chain");
        } else {
            tail = node;
            link = &node->next;
        }
    }
}

void DeleteQueuedEvents(const std::function<bool(int32_t code, int64_t window)>& matches)
{
    DeleteQueuedEvents([&matches](int32_t code, int64_t window, int64_t) { return matches(code, window); });
}

int64_t QueuedEventCount()
{
    return queued;
}

void RaiseEventSuppression()
{
    ++suppression;
}

void LowerEventSuppression()
{
    if (suppression > 0) --suppression;
}

int64_t EventCode()
{
    return current.code;
}
int64_t EventWindow()
{
    return current.window;
}
int64_t EventData()
{
    return current.data;
}
int64_t EventGadgetNumber()
{
    return current.object;
}
int64_t EventMenuItem()
{
    return current.object;
}
int64_t EventTimerNumber()
{
    return current.object;
}
int64_t EventSubtype()
{
    return current.type;
}

void ResetEventQueue()
{
    DeleteQueuedEvents([](int32_t, int64_t) { return true; });
    assert(queued == 0 && !head && !tail && "an emptied queue holds nothing");
    LetGoOfCurrentData();
    current = CurrentEvent{};
    suppression = 0;
}

} // namespace nevalon::gui
