#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "runtime/gui/EventBindings.h"
#include "runtime/gui/EventQueue.h"

#include <vector>

namespace nevalon::gui {
namespace {

using testing::SeenEvent;

std::vector<int64_t> released;
void Release(int64_t data)
{
    released.push_back(data);
}

std::vector<SeenEvent> calls;
void Record()
{
    calls.push_back({EventCode(), EventWindow(), EventGadgetNumber(), EventSubtype()});
}

class EventQueueTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        released.clear();
        calls.clear();
    }
    void TearDown() override
    {
        // Leaves no current event with data behind for the next test.
        DequeueEvent();
        ToolkitTest::TearDown();
    }
};

TEST_F(EventQueueTest, IdenticalPlatformEventsInARowCoalesce)
{
    PostEvent(EventTimer, 1, 0, 0);
    PostEvent(EventTimer, 1, 0, 0);
    EXPECT_EQ(QueuedEventCount(), 1);

    // Ticks of another timer, or of the same timer on another window or with another type, stay.
    PostEvent(EventTimer, 2, 0, 0);
    PostEvent(EventTimer, 2, 3, 0);
    PostEvent(EventTimer, 2, 3, 5);
    EXPECT_EQ(QueuedEventCount(), 4);

    // Only the last queued event is compared.
    PostEvent(EventTimer, 1, 0, 0);
    EXPECT_EQ(QueuedEventCount(), 5);

    EXPECT_EQ(TakeQueued(), (std::vector<SeenEvent>{
                                {15, 0, 1, 0}, {15, 0, 2, 0}, {15, 3, 2, 0}, {15, 3, 2, 5}, {15, 0, 1, 0}}));
    // Once the queue is empty, the same event is queued again.
    PostEvent(EventTimer, 1, 0, 0);
    EXPECT_EQ(QueuedEventCount(), 1);
}

TEST_F(EventQueueTest, FlagsTwoAndFourAndCustomCodesNeverCoalesce)
{
    PostEvent(EventTimer, 1, 0, 0, 0, nullptr, PostCallbacksWhenDequeued);
    PostEvent(EventTimer, 1, 0, 0, 0, nullptr, PostCallbacksWhenDequeued);
    EXPECT_EQ(QueuedEventCount(), 2);
    PostEvent(EventTimer, 1, 0, 0, 0, nullptr, PostAlwaysWake);
    PostEvent(EventTimer, 1, 0, 0, 0, nullptr, PostAlwaysWake);
    EXPECT_EQ(QueuedEventCount(), 4);
    TakeQueued();

    PostEvent(EventFirstCustom, 1, 0, 0);
    PostEvent(EventFirstCustom, 1, 0, 0);
    PostEvent(66036, 0, 0, 0);
    PostEvent(66036, 0, 0, 0);
    EXPECT_EQ(QueuedEventCount(), 4);
    TakeQueued();

    // The largest platform code still coalesces.
    PostEvent(EventFirstCustom - 1, 1, 0, 0);
    PostEvent(EventFirstCustom - 1, 1, 0, 0);
    EXPECT_EQ(QueuedEventCount(), 1);
    TakeQueued();

    QueueEvent(66036);
    QueueEvent(66036);
    EXPECT_EQ(QueuedEventCount(), 2);
}

TEST_F(EventQueueTest, SuppressionDropsEventsUnlessPostedWithFlagOne)
{
    RaiseEventSuppression();
    PostEvent(EventMoveWindow, 1, 1, 0, 41, Release);
    PostEvent(EventMoveWindow, 1, 1, 0, 0, nullptr, PostEvenWhenSuppressed);
    QueueEvent(66036, 1);
    // Dropped events do not run their callbacks either.
    AddEventCallback(EventSizeWindow, Record);
    PostEvent(EventSizeWindow, 1, 1, 0);
    EXPECT_TRUE(calls.empty());
    // Suppression nests.
    RaiseEventSuppression();
    LowerEventSuppression();
    PostEvent(EventSizeWindow, 1, 1, 0);
    LowerEventSuppression();

    // The data of a dropped event is released at once: nobody else will see it.
    EXPECT_EQ(released, std::vector<int64_t>{41});
    EXPECT_EQ(TakeQueued(), (std::vector<SeenEvent>{{5, 1, 1, 0}, {66036, 1, 0, 0}}));

    PostEvent(EventSizeWindow, 1, 1, 0);
    EXPECT_EQ(QueuedEventCount(), 1);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(EventQueueTest, CallbacksRunAtPostingOrAtDequeuingWithFlagTwo)
{
    AddEventCallback(EventGadget, Record);
    AddEventCallback(66036, Record);

    // Flags 0: at once, with the posted event current, and the previous current event restored after.
    PostEvent(EventTimer, 9, 9, 0);
    ASSERT_EQ(DequeueEvent(), EventTimer);
    PostEvent(EventGadget, 4, 2, 768);
    EXPECT_EQ(calls, (std::vector<SeenEvent>{{3, 2, 4, 768}}));
    EXPECT_EQ(EventCode(), EventTimer);
    EXPECT_EQ(EventTimerNumber(), 9);

    // Flags 2 (QueueEvent uses 7): not at posting, but when the event is taken from the queue.
    calls.clear();
    QueueEvent(66036, 1, 2, 3, 4);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(DequeueEvent(), EventGadget);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(DequeueEvent(), 66036);
    EXPECT_EQ(calls, (std::vector<SeenEvent>{{66036, 1, 2, 3}}));
    EXPECT_EQ(EventData(), 4);
}

TEST_F(EventQueueTest, DequeuingMakesTheHeadTheCurrentEvent)
{
    PostEvent(EventGadget, 12, 3, 256, 77);
    PostEvent(EventMenu, -4, -1, 0);
    ASSERT_EQ(DequeueEvent(), EventGadget);
    EXPECT_EQ(EventCode(), EventGadget);
    EXPECT_EQ(EventGadgetNumber(), 12);
    EXPECT_EQ(EventWindow(), 3);
    EXPECT_EQ(EventSubtype(), 256);
    EXPECT_EQ(EventData(), 77);

    ASSERT_EQ(DequeueEvent(), EventMenu);
    EXPECT_EQ(EventMenuItem(), -4);
    EXPECT_EQ(EventWindow(), -1);
    EXPECT_EQ(EventSubtype(), 0);
    EXPECT_EQ(EventData(), 0);

    // An empty queue leaves no event current: code 0, type -1.
    EXPECT_EQ(DequeueEvent(), 0);
    EXPECT_EQ(EventCode(), 0);
    EXPECT_EQ(EventSubtype(), -1);
    EXPECT_EQ(QueuedEventCount(), 0);
}

TEST_F(EventQueueTest, DataIsReleasedWhenItsEventStopsBeingCurrent)
{
    PostEvent(EventDropWindow, 1, 1, 0, 100, Release);
    PostEvent(EventDropWindow, 2, 2, 0, 200, Release);
    PostEvent(EventDropWindow, 3, 3, 0, 0, Release); // no data: nothing to release

    ASSERT_EQ(DequeueEvent(), EventDropWindow);
    EXPECT_TRUE(released.empty());
    EXPECT_EQ(EventData(), 100);
    ASSERT_EQ(DequeueEvent(), EventDropWindow);
    EXPECT_EQ(released, std::vector<int64_t>{100});
    ASSERT_EQ(DequeueEvent(), EventDropWindow);
    EXPECT_EQ(released, (std::vector<int64_t>{100, 200}));
    EXPECT_EQ(DequeueEvent(), 0);
    EXPECT_EQ(released, (std::vector<int64_t>{100, 200}));

    // The last event's data goes even when nothing follows it, and only once.
    PostEvent(EventDropWindow, 1, 1, 0, 300, Release);
    ASSERT_EQ(DequeueEvent(), EventDropWindow);
    EXPECT_EQ(DequeueEvent(), 0);
    EXPECT_EQ(DequeueEvent(), 0);
    EXPECT_EQ(released, (std::vector<int64_t>{100, 200, 300}));
    EXPECT_EQ(EventData(), 0);
}

TEST_F(EventQueueTest, DeletedAndCoalescedEventsReleaseTheirData)
{
    PostEvent(EventDropWindow, 1, 1, 0, 10, Release);
    PostEvent(EventDropWindow, 2, 2, 0, 20, Release);
    PostEvent(EventDropWindow, 2, 2, 0, 21, Release); // coalesced into the one before
    PostEvent(EventDropWindow, 1, 1, 0, 30, Release);
    EXPECT_EQ(released, std::vector<int64_t>{21});

    DeleteQueuedEvents([](int32_t, int64_t window) { return window == 1; });
    EXPECT_EQ(released, (std::vector<int64_t>{21, 10, 30}));
    EXPECT_EQ(QueuedEventCount(), 1);

    // The queue's tail is still right after deleting the last node: a new event is appended.
    PostEvent(EventMoveWindow, 4, 4, 0);
    EXPECT_EQ(TakeQueued(), (std::vector<SeenEvent>{{10, 2, 2, 0}, {5, 4, 4, 0}}));
}

TEST_F(EventQueueTest, DeletingFromTheMiddleKeepsTheOrder)
{
    for (int64_t w = 1; w <= 5; ++w)
        PostEvent(EventMoveWindow, w, w, 0);
    DeleteQueuedEvents([](int32_t, int64_t window) { return window % 2 == 0; });
    PostEvent(EventMoveWindow, 6, 6, 0);
    std::vector<int64_t> windows;
    for (const SeenEvent& e : TakeQueued())
        windows.push_back(e.window);
    EXPECT_EQ(windows, (std::vector<int64_t>{1, 3, 5, 6}));
}

TEST_F(EventQueueTest, PostingWakesThePlatformLoopExceptForRepaints)
{
    PumpPlatform();
    ASSERT_FALSE(platform::HasPendingPlatformEvents());
    PostEvent(EventRepaint, 1, 1, 0);
    EXPECT_FALSE(platform::HasPendingPlatformEvents());
    PostEvent(EventRepaint, 2, 2, 0, 0, nullptr, PostAlwaysWake);
    EXPECT_FALSE(platform::HasPendingPlatformEvents());

    PostEvent(EventMoveWindow, 1, 1, 0);
    EXPECT_TRUE(platform::HasPendingPlatformEvents());
    PumpPlatform();
    EXPECT_FALSE(platform::HasPendingPlatformEvents());
    PostEvent(EventMenu, 1, 1, 0);
    EXPECT_TRUE(platform::HasPendingPlatformEvents());
    PumpPlatform();
    QueueEvent(66036);
    EXPECT_TRUE(platform::HasPendingPlatformEvents());
}

} // namespace
} // namespace nevalon::gui
