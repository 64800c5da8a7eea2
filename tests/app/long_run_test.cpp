#include "StoreFixture.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "platform/Object.h"
#include "platform/Window.h"
#include "runtime/date/testing/Clock.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowTimer.h"

#include <functional>

namespace nevalon::app::testing {
namespace {

constexpr int64_t kAddButton = 1;

// The program runs from login to shutdown: whatever a close lets go of is freed by the next turn of the
// loop, so that a thousand openings leave it as the first one did.
class LongRunTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1280, 800}});
        platform::SetPointerForTests(platform::Point{640, 5});
        // Real alerts, answered as a person would.
        platform::SetAlertResponderForTests(nullptr);
        // Seven, so that the Add button is enabled; the first counts its minutes.
        for (int i = 0; i < 7; ++i)
            Add(u"Event " + system::IntegerToString(i), 3 * 3600 + 86400 * 10 * i, RecurNever, i);
        ASSERT_TRUE(SaveEvents());
        gui::CreateWindow(kHolderWindow, 0, 0, 0, 0, u"", gui::WindowInvisible);
    }
    void TearDown() override
    {
        CloseListWindow();
        gui::DestroyWindow(kHolderWindow);
        platform::SetScreensForTests(std::nullopt);
        platform::SetPointerForTests(std::nullopt);
        StoreTest::TearDown();
    }

    // The main loop, until nothing is left to do.
    static void Run()
    {
        for (int64_t code; (code = gui::WaitEvent(0)) != 0;)
            if (code > 0) DispatchEvent(code);
    }
    static void Post(int32_t code, int64_t object)
    {
        gui::PostEvent(code, object, kHolderWindow, 0);
        Run();
    }
    static void Click(int64_t gadget)
    {
        platform::ClickViewForTests(gui::GadgetID(gadget));
        Run();
    }
    static void PressEscape()
    {
        auto* list =
            dynamic_cast<platform::Window*>(platform::ObjectFromHandle(gui::WindowHandle(kListWindow)));
        ASSERT_NE(list, nullptr);
        platform::PostKeyPressForTests(*list, platform::KeyEvent{u"\x1b"});
        Run();
    }
};

TEST_F(LongRunTest, WindowsMenusAlertsPicturesAndTimersAreFreedByTheNextTurnOfTheLoop)
{
    // Each round counts what it saw open, so that a round that opens nothing cannot pass.
    int seen = 0;
    int64_t minutes = 0;
    date::SetClockForTests([&minutes] {
        return std::chrono::system_clock::time_point(std::chrono::seconds(kNow + 60 * minutes));
    });
    const auto countdown = [this] { return gui::GetGadgetText(Records().front().countdownGadget); };
    const std::pair<const char*, std::function<void()>> rounds[] = {
        {"the list window opened with a click and closed with Escape",
         [&] {
             Post(gui::EventStatusIcon, kStatusIcon);
             seen += gui::WindowExists(kListWindow) ? 1 : 0;
             PressEscape();
         }},
        {"the minute rebuilding the open list window",
         [&] {
             if (!gui::WindowExists(kListWindow)) Post(gui::EventStatusIcon, kStatusIcon);
             const String before = countdown();
             ++minutes;
             Post(gui::EventTimer, kMinuteTimer);
             seen += countdown() != before ? 1 : 0;
         }},
        {"the editor opened with Add and closed with Cancel",
         [&] {
             Click(kAddButton);
             seen += gui::WindowExists(kEditorWindow) ? 1 : 0;
             Click(kCancelGadget);
         }},
        {"the settings menu shown and dismissed",
         [&] {
             platform::ChooseNextMenuItemForTests(u"", [&](const platform::MenuEntriesForTests&) { ++seen; });
             Click(kSettingsGadget);
         }},
        {"the about box chosen from the menu and answered",
         [&] {
             platform::ChooseNextMenuItemForTests(u"About",
                                                  [&](const platform::MenuEntriesForTests&) { ++seen; });
             // An alert that never showed would leave this answer waiting: a timer of the application.
             platform::AnswerNextAlertForTests(platform::AlertAction::PressEscape);
             Click(kSettingsGadget);
         }},
        {"a window timer started and stopped",
         [&] {
             seen += static_cast<int>(gui::StartWindowTimer(kHolderWindow, 9, 60000));
             gui::StopWindowTimer(kHolderWindow, 9);
             Run();
         }},
    };
    constexpr int kRounds = 25;
    for (const auto& [what, round] : rounds) {
        seen = 0;
        // The first round may fill caches that live for the whole run.
        round();
        const platform::ResourceCountsForTests first = platform::CountResourcesForTests();
        for (int i = 0; i < kRounds; ++i)
            round();
        const platform::ResourceCountsForTests last = platform::CountResourcesForTests();
        EXPECT_EQ(seen, kRounds + 1) << what;
        EXPECT_EQ(last.widgets, first.widgets) << what;
        EXPECT_EQ(last.windows, first.windows) << what;
        EXPECT_EQ(last.objects, first.objects) << what;
        EXPECT_EQ(last.applicationChildren, first.applicationChildren) << what;
        // Qt's pooled threads, and the descriptors they hold, may end meanwhile.
        EXPECT_LE(last.files, first.files) << what;
        EXPECT_LE(last.threads, first.threads) << what;
    }
}

} // namespace
} // namespace nevalon::app::testing
