#include "ToolkitFixture.h"
#include "platform/Foundation.h"
#include "platform/Object.h"
#include "platform/testing/TestSeams.h"

namespace nevalon::gui {
namespace {

using testing::ToolkitTest;

std::vector<int64_t> released;
void Release(int64_t data)
{
    released.push_back(data);
}

TEST_F(ToolkitTest, WaitEventReturnsZeroWhenTheTimeRunsOutWithNothingHappening)
{
    EXPECT_EQ(WaitEvent(0), 0);
    EXPECT_EQ(WaitEvent(30), 0);
    EXPECT_EQ(EventCode(), 0);
    EXPECT_EQ(EventSubtype(), -1);
}

TEST_F(ToolkitTest, WaitEventReturnsMinusOneForAPlatformEventThatMeansNothingToTheToolkit)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 200, 100, u"moves", WindowCloseBox), 0);
    Drain();
    platform::PostPointerMoveForTests(*PlatformWindowOf(1), {10, 10});
    EXPECT_EQ(WaitEvent(1000), -1);
    EXPECT_EQ(EventCode(), 0);
    EXPECT_EQ(WaitEvent(0), 0);
}

TEST_F(ToolkitTest, WaitEventTakesQueuedEventsBeforeAskingThePlatform)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 200, 100, u"clicks", WindowCloseBox), 0);
    Drain();
    platform::PostClickForTests(*PlatformWindowOf(1), {5, 5}, 1, false, 0);
    QueueEvent(66036, 1, 2, 3);
    QueueEvent(66037);
    // Waiting without limit returns at once: the queue is not empty.
    EXPECT_EQ(WaitEvent(), 66036);
    EXPECT_EQ(EventWindow(), 1);
    EXPECT_EQ(EventGadgetNumber(), 2);
    EXPECT_EQ(EventSubtype(), 3);
    EXPECT_EQ(WaitEvent(), 66037);
    // Only now does the click get dispatched, and the event it posted comes out of the same call.
    EXPECT_EQ(WaitEvent(1000), EventLeftClick);
    EXPECT_EQ(EventWindow(), 1);
}

TEST_F(ToolkitTest, WaitEventReleasesThePreviousEventsDataAndTheAutoreleasePool)
{
    released.clear();
    PostEvent(EventDropWindow, 1, 1, 0, 5, Release);
    ASSERT_EQ(WaitEvent(0), EventDropWindow);
    EXPECT_TRUE(released.empty());
    int64_t text = platform::MakeString(u"short-lived");
    ASSERT_NE(platform::ObjectFromHandle(text), nullptr);

    // The posting woke the platform loop: this call may see that wake-up, and returns no event.
    EXPECT_LE(WaitEvent(0), 0);
    EXPECT_EQ(released, std::vector<int64_t>{5});
    EXPECT_EQ(platform::ObjectFromHandle(text), nullptr);
}

TEST_F(ToolkitTest, WaitEventWithoutLimitReturnsWhenAPlatformEventPostsOne)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 200, 100, u"closing", WindowCloseBox), 0);
    Drain();
    platform::PostCloseRequestForTests(*PlatformWindowOf(1));
    // Every platform event that produces no toolkit event returns -1; the close request then arrives.
    int64_t code;
    while ((code = WaitEvent()) == -1) {
    }
    EXPECT_EQ(code, EventCloseWindow);
    EXPECT_EQ(EventWindow(), 1);
}

} // namespace
} // namespace nevalon::gui
