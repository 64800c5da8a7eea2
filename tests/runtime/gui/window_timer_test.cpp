#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/WindowTimer.h"

#include <chrono>
#include <thread>
#include <tuple>

namespace nevalon::gui {
namespace {

using namespace std::chrono;
using testing::Events;
using testing::SeenEvent;

class WindowTimerTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(CreateWindow(1, 0, 0, 50, 50, u"timers", WindowInvisible), 0);
        Drain();
    }
    // Lets the platform run for `ms`, or until a toolkit event is queued, without taking any.
    static void Pump(int ms, bool untilQueued = false)
    {
        auto end = steady_clock::now() + milliseconds(ms);
        for (auto now = steady_clock::now(); now < end && !(untilQueued && QueuedEventCount() > 0);
             now = steady_clock::now())
            platform::ProcessPlatformEvents(duration_cast<milliseconds>(end - now).count() + 1);
    }
    static int64_t NextEvent()
    {
        int64_t code;
        while ((code = WaitEvent(5000)) == -1) {
        }
        return code;
    }
};

TEST_F(WindowTimerTest, ATickIsATimerEventOfItsTimerAndWindow)
{
    int64_t dynamic = CreateWindow(-1, 0, 0, 50, 50, u"dynamic", WindowInvisible);
    for (int64_t window : {int64_t{1}, dynamic}) {
        ASSERT_EQ(StartWindowTimer(window, 7, 20), 1);
        EXPECT_EQ(NextEvent(), EventTimer);
        EXPECT_EQ((SeenEvent{EventCode(), EventWindow(), EventTimerNumber(), EventSubtype()}),
                  (SeenEvent{EventTimer, window, 7, 0}));
        StopWindowTimer(window, 7);
    }
}

TEST_F(WindowTimerTest, StartingReplacesTheTimerOfThatNumberAndStartsNoneForABadPeriodOrWindow)
{
    // The first period, then the window and period of a second start with the same number: its answer
    // and whether a tick comes.
    for (auto [first, window, period, started, ticks] :
         {std::tuple{20, 1, 60000, 1, false}, std::tuple{60000, 1, 20, 1, true},
          std::tuple{20, 1, 0, 0, false}, std::tuple{60000, 9, 20, 0, false}}) {
        ASSERT_EQ(StartWindowTimer(1, 3, first), 1);
        EXPECT_EQ(StartWindowTimer(window, 3, period), started) << first << " " << period;
        Pump(ticks ? 5000 : 300, true);
        EXPECT_EQ(TakeQueued(), (ticks ? Events{{EventTimer, 1, 3, 0}} : Events{})) << first << " " << period;
        StopWindowTimer(1, 3);
    }
}

TEST_F(WindowTimerTest, TicksPilingUpWhileTheProgramIsBusyArriveAsOneQueuedEvent)
{
    ASSERT_EQ(StartWindowTimer(1, 1, 10), 1);
    std::this_thread::sleep_for(milliseconds(200));
    Pump(200);
    EXPECT_EQ(TakeQueued(), (Events{{EventTimer, 1, 1, 0}}));
}

TEST_F(WindowTimerTest, StopWindowTimerDeletesTheQueuedTicksOfThatTimerAndWindowOnly)
{
    ASSERT_NE(CreateWindow(2, 0, 0, 50, 50, u"other", WindowInvisible), 0);
    ASSERT_EQ(StartWindowTimer(1, 1, 10), 1);
    ASSERT_EQ(StartWindowTimer(1, 2, 60000), 1);
    Pump(5000, true);
    for (auto [code, object, window] : {std::tuple{EventTimer, 2, 1}, std::tuple{EventTimer, 1, 2},
                                        std::tuple{EventTimer, 1, 1}, std::tuple{EventGadget, 1, 1}})
        PostEvent(code, object, window, 0);
    StopWindowTimer(1, 1);
    Pump(100);
    EXPECT_EQ(TakeQueued(), (Events{{EventTimer, 1, 2, 0}, {EventTimer, 2, 1, 0}, {EventGadget, 1, 1, 0}}));
}

TEST_F(WindowTimerTest, ClosingTheWindowStopsItsTimersEvenFromInsideATick)
{
    ASSERT_NE(CreateWindow(2, 0, 0, 50, 50, u"closed by its tick", WindowInvisible), 0);
    AddEventCallback(
        EventTimer, [] { DestroyWindow(2); }, 2);
    ASSERT_EQ(StartWindowTimer(2, 1, 10), 1);
    ASSERT_EQ(StartWindowTimer(1, 1, 10), 1);
    DestroyWindow(1);
    for (int round = 0; round < 100 && WindowExists(2); ++round)
        Pump(50);
    EXPECT_EQ(WindowExists(2), 0);
    Pump(200);
    EXPECT_EQ(TakeQueued(), Events{});
}

TEST_F(WindowTimerTest, NoTickIsDeliveredWhileAModalAlertIsOpen)
{
    ASSERT_EQ(StartWindowTimer(1, 1, 20), 1);
    platform::AnswerNextAlertForTests(platform::AlertAction::PressEscape, u"", 300);
    ShowMessageBox(u"Message from Nevalon", u"A tick is due every 20 ms.");
    EXPECT_EQ(QueuedEventCount(), 0);
    EXPECT_EQ(NextEvent(), EventTimer);
}

} // namespace
} // namespace nevalon::gui
