#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "platform/Foundation.h"

#include <array>

namespace nevalon::gui {
namespace {

using testing::kApplicationEvent;

using EventQueueTest = testing::ToolkitTest;
using WaitEventTest = testing::ToolkitTest;
using testing::Events;

std::vector<int64_t> released;
Events calls;

TEST_F(EventQueueTest, OnlyAPlatformEventIdenticalToTheLastQueuedOneCoalesces)
{
    // After a timer tick: (object, window, type, flags) of another one, and how many stay queued.
    using Case = std::array<int64_t, 5>;
    const Case cases[] = {Case{1, 0, 0, 0, 1},
                          Case{2, 0, 0, 0, 2},
                          Case{1, 3, 0, 0, 2},
                          Case{1, 0, 5, 0, 2},
                          Case{1, 0, 0, PostCallbacksWhenDequeued, 2},
                          Case{1, 0, 0, PostAlwaysWake, 2}};
    for (const auto& c : cases) {
        PostEvent(EventTimer, 1, 0, 0);
        PostEvent(EventTimer, c[0], c[1], c[2], 0, nullptr, static_cast<uint32_t>(c[3]));
        EXPECT_EQ(static_cast<int64_t>(TakeQueued().size()), c[4]) << c[0] << c[1] << c[2] << c[3];
    }
    // Custom codes never coalesce; and only the last queued event is compared.
    for (int32_t code :
         {EventFirstCustom - 1, EventFirstCustom - 1, int32_t{EventFirstCustom}, int32_t{EventFirstCustom},
          int32_t{EventTimer}, int32_t{EventGadget}, int32_t{EventTimer}})
        PostEvent(code, 1, 0, 0);
    EXPECT_EQ(QueuedEventCount(), 6);
}

TEST_F(EventQueueTest, CallbacksRunAtPostingOrWhenDequeuedUnlessSuppressed)
{
    calls.clear();
    released.clear();
    AddEventCallback(EventGadget, [] { calls.push_back(Current()); });
    AddEventCallback(kApplicationEvent, [] { calls.push_back(Current()); });
    PostEvent(EventTimer, 9, 9, 0);
    ASSERT_EQ(DequeueEvent(), EventTimer);
    PostEvent(EventGadget, 4, 2, 768);
    QueueEvent(kApplicationEvent, 1, 2, 3, 4);
    // The posted event is current while its callbacks run; the previous one is current again after.
    EXPECT_EQ(calls, (Events{{EventGadget, 2, 4, 768}}));
    EXPECT_EQ(EventTimerNumber(), 9);
    ASSERT_EQ(DequeueEvent(), EventGadget);
    ASSERT_EQ(DequeueEvent(), kApplicationEvent);
    EXPECT_EQ(calls.back(), (testing::SeenEvent{kApplicationEvent, 1, 2, 3}));
    EXPECT_EQ(EventData(), 4);
    // Suppression (it nests) drops events, their callbacks and their data, unless PostEvenWhenSuppressed.
    RaiseEventSuppression();
    RaiseEventSuppression();
    LowerEventSuppression();
    PostEvent(EventGadget, 1, 1, 0, 41, [](int64_t data) { released.push_back(data); });
    PostEvent(EventMoveWindow, 1, 1, 0, 0, nullptr, PostEvenWhenSuppressed);
    LowerEventSuppression();
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_EQ(released, std::vector<int64_t>{41});
    EXPECT_EQ(TakeQueued(), (Events{{EventMoveWindow, 1, 1, 0}}));
}

TEST_F(EventQueueTest, EventDataIsReleasedOnceWhenItsEventStopsBeingCurrentOrIsDropped)
{
    released.clear();
    auto release = [](int64_t data) { released.push_back(data); };
    for (int64_t data : {10, 20, 21, 30, 0, 50}) // 21 coalesces into 20
        PostEvent(EventDropWindow, data / 10, data / 10, 0, data, release);
    DeleteQueuedEvents([](int32_t, int64_t window) { return window == 3 || window == 5; });
    EXPECT_EQ(released, (std::vector<int64_t>{21, 30, 50}));
    ASSERT_EQ(DequeueEvent(), EventDropWindow);
    ASSERT_EQ(DequeueEvent(), EventDropWindow);
    // A new event goes behind the ones kept, even after the last node was deleted.
    PostEvent(EventMoveWindow, 6, 6, 0, 60, release);
    EXPECT_EQ(TakeQueued(), (Events{{EventDropWindow, 0, 0, 0}, {EventMoveWindow, 6, 6, 0}}));
    EXPECT_EQ(DequeueEvent(), 0);
    EXPECT_EQ(released, (std::vector<int64_t>{21, 30, 50, 10, 20, 60}));
    EXPECT_EQ(EventCode() + EventData(), 0);
    EXPECT_EQ(EventSubtype(), -1);
}

TEST_F(EventQueueTest, PostingWakesThePlatformLoopExceptForRepaints)
{
    TakeQueued(true);
    PostEvent(EventRepaint, 2, 2, 0, 0, nullptr, PostAlwaysWake);
    EXPECT_FALSE(platform::HasPendingPlatformEvents());
    for (int32_t code : {int32_t{EventMoveWindow}, int32_t{EventMenu}, kApplicationEvent}) {
        PostEvent(code, 1, 1, 0);
        EXPECT_TRUE(platform::HasPendingPlatformEvents()) << code;
        TakeQueued(true);
    }
}

TEST_F(WaitEventTest, QueuedEventsComeFirstAndAPlatformEventOfNoMeaningAnswersMinusOne)
{
    EXPECT_EQ(WaitEvent(30), 0);
    OpenKey(1);
    platform::PostPointerMoveForTests(*PlatformWindowOf(1), {10, 10});
    EXPECT_EQ(WaitEvent(1000), -1);
    EXPECT_EQ(EventCode(), 0);
    platform::PostClickForTests(*PlatformWindowOf(1), {5, 5}, 1, false, 0);
    QueueEvent(kApplicationEvent, 1, 2, 3);
    // Without limit, and yet at once: the queue is not empty.
    EXPECT_EQ(WaitEvent(), kApplicationEvent);
    EXPECT_EQ(EventSubtype(), 3);
    // Only now is the click dispatched, and the event it posts comes out of the same call.
    EXPECT_EQ(WaitEvent(1000), EventLeftClick);
}

TEST_F(WaitEventTest, ACallbackThatWaitsForEventsLeavesEveryEventsDataReleasedOnceAfterItsLastUse)
{
    // On the heap, so that a release too many or too early is a fault AddressSanitizer reports.
    released.clear();
    auto release = [](int64_t data) {
        released.push_back(*reinterpret_cast<int64_t*>(data));
        delete reinterpret_cast<int64_t*>(data);
    };
    auto data = [](int64_t value) { return reinterpret_cast<int64_t>(new int64_t(value)); };
    static int64_t seen = 0;
    AddEventCallback(kApplicationEvent, [] { WaitEvent(0); });
    AddEventCallback(EventGadget, [] {
        WaitEvent(0);
        seen = *reinterpret_cast<int64_t*>(EventData());
    });
    // Dequeued with its callbacks: the callback takes the next event, and the first is current again.
    PostEvent(kApplicationEvent, 0, 0, 0, data(1), release, PostCallbacksWhenDequeued);
    PostEvent(66037, 0, 0, 0, data(2), release, PostCallbacksWhenDequeued);
    EXPECT_EQ(WaitEvent(0), kApplicationEvent);
    EXPECT_EQ(released, std::vector<int64_t>{2});
    EXPECT_EQ(*reinterpret_cast<int64_t*>(EventData()), 1);
    // Posted with its callbacks at once, hiding the current event: the callback takes it from the queue.
    PostEvent(EventGadget, 5, 0, 0, data(3), release);
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(EventCode(), kApplicationEvent);
    EXPECT_EQ(DequeueEvent(), 0);
    EXPECT_EQ(released, (std::vector<int64_t>{2, 3, 1}));
}

TEST_F(WaitEventTest, EachCallDrainsTheAutoreleasePool)
{
    int64_t text = platform::MakeString(u"short-lived");
    ASSERT_NE(platform::ObjectFromHandle(text), nullptr);
    WaitEvent(0);
    EXPECT_EQ(platform::ObjectFromHandle(text), nullptr);
}

TEST_F(WaitEventTest, TheCloseBoxAndTheDesktopOnlyAskToCloseOrQuit)
{
    // WaitEvent answers -1 for each platform event that posts nothing, then the request.
    auto next = [] {
        while (WaitEvent(1000) == -1) {
        }
        return Current();
    };
    OpenKey(1);
    platform::PostCloseRequestForTests(*PlatformWindowOf(1));
    EXPECT_EQ(next(), (testing::SeenEvent{EventCloseWindow, 1, 1, 0}));
    platform::PostQuitRequestForTests();
    EXPECT_EQ(next(), (testing::SeenEvent{EventMenu, -1, -4, 0}));
    EXPECT_TRUE(PlatformWindowOf(1)->IsVisible());
}

} // namespace
} // namespace nevalon::gui
