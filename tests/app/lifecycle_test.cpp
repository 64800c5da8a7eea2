#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/ToolkitNumbers.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "app/SettingsMenu.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Object.h"
#include "platform/Screens.h"
#include "platform/Window.h"
#include "platform/testing/TestSeams.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/date/testing/Clock.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/KeyShortcut.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"
#include "runtime/system/TempDirectory.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace nevalon::app {
namespace {

// Each start-up runs in a child process of its own: the program ends by exiting.
class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

    // Settings, events and the autostart entry go to a folder of the run's own, never the user's.
    static void Start()
    {
        static TempDirectory* home = new TempDirectory;
        std::atexit([] { std::filesystem::remove_all(home->Path()); });
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            setenv(variable, home->Path().c_str(), 0);
        static char name[] = "nevalon";
        static char* argv[] = {name, nullptr};
        Startup(1, argv);
    }

    // Dispatches events until `done` holds or 2 s of quiet pass.
    template <typename Done> static void RunUntil(Done done)
    {
        for (int idle = 0; !done() && idle < 100;) {
            int64_t code = gui::WaitEvent(20);
            if (code == 0) ++idle;
            if (code > 0) DispatchEvent(code);
        }
    }
};

TEST_F(LifecycleTest, TooOldSystemShowsTheStopMessageBeforeAnyWindowAndExitsWithZero)
{
    EXPECT_EXIT(
        {
            platform::SetOperatingSystemVersionForTests({11, 7, 0});
            platform::SetAlertResponderForTests([](const platform::AlertRequest& alert) {
                // Everything up to the check has run; nothing after it has.
                bool accessory = platform::ActivationPolicy() == 1;
                bool observing = State().AppearanceObserver != 0 && State().Defaults != 0;
                bool noWindow = !gui::WindowExists(kHolderWindow);
                bool text = alert.messageText == u"Error!" && alert.icon == platform::AlertIcon::Stop &&
                            alert.informativeText.ends_with(u"\n\nThis app will now quit.");
                std::fprintf(stderr, "order=%d%d%d text=%d\n", accessory, observing, noWindow, text);
                return 0;
            });
            Start();
            std::fprintf(stderr, "not stopped\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "order=111 text=1");
}

TEST_F(LifecycleTest, StartupOpensTheHiddenHolderAsAnAccessoryThatFollowsTheAppearance)
{
    EXPECT_EXIT(
        {
            Start();
            bool holder = gui::WindowExists(kHolderWindow) && !gui::WindowExists(kListWindow);
            int64_t policy = gui::PlatformMessage(nullptr, State().SharedApp, "activationPolicy");
            bool dark = platform::IsDarkAppearance();
            platform::SetAppearance(!dark);
            int64_t code = 0;
            for (int i = 0; i < 20 && code != kAppearanceChangedEvent; ++i)
                code = gui::WaitEvent(20);
            std::fprintf(stderr, "holder=%d policy=%lld x=%lld event=%lld\n", holder,
                         static_cast<long long>(policy), static_cast<long long>(State().ListWindowX),
                         static_cast<long long>(code));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "holder=1 policy=1 x=-1 event=66036");
}

// The Quit item, the desktop's quit request and a signal all end the program through Shutdown.
TEST_F(LifecycleTest, EveryWayToQuitShutsDownWithZero)
{
    for (int way = 0; way < 3; ++way) {
        EXPECT_EXIT(
            {
                Start();
                if (way == 0) gui::PostEvent(gui::EventMenu, kQuitItem, 0, 0);
                if (way == 1) platform::PostQuitRequestForTests();
                if (way == 2) std::raise(SIGTERM);
                RunMainLoop();
            },
            ::testing::ExitedWithCode(0), "")
            << way;
    }
}

TEST_F(LifecycleTest, ShutdownClosesTheListWindowAndEditorFirst)
{
    EXPECT_EXIT(
        {
            Start();
            gui::CreateWindow(kListWindow, 300, 40, 460, 200, u"");
            gui::CreateWindow(kEditorWindow, 0, 0, 300, 200, u"Add Event", 256);
            State().EditingExisting = 1;
            // Shutdown's own exit must come after it has torn both windows down.
            std::atexit([] {
                std::fprintf(stderr, "list=%lld editor=%lld editing=%d\n",
                             static_cast<long long>(gui::WindowExists(kListWindow)),
                             static_cast<long long>(gui::WindowExists(kEditorWindow)),
                             State().EditingExisting);
            });
            Shutdown();
        },
        ::testing::ExitedWithCode(0), "list=0 editor=0 editing=0");
}

TEST_F(LifecycleTest, EscapeInTheListWindowClosesItAndTheEditor)
{
    EXPECT_EXIT(
        {
            Start();
            gui::CreateWindow(kListWindow, 321, 40, 460, 200, u"");
            gui::AddKeyShortcut(kListWindow, kEscapeKey, kEscapeItem);
            gui::CreateWindow(kEditorWindow, 0, 0, 300, 200, u"Edit Event", 256);
            State().ExportToCalendar = 1;
            auto* list =
                dynamic_cast<platform::Window*>(platform::ObjectFromHandle(gui::WindowHandle(kListWindow)));
            platform::PostKeyPressForTests(*list, platform::KeyEvent{u"\x1b"});
            RunUntil([] { return !gui::WindowExists(kListWindow); });
            std::fprintf(stderr, "list=%lld editor=%lld export=%d x=%lld\n",
                         static_cast<long long>(gui::WindowExists(kListWindow)),
                         static_cast<long long>(gui::WindowExists(kEditorWindow)), State().ExportToCalendar,
                         static_cast<long long>(State().ListWindowX));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "list=0 editor=0 export=0 x=321");
}

TEST_F(LifecycleTest, TheMinuteTimerRemindsOfTheEventsReadAtStartAndKeepsTheListAndTooltipCurrent)
{
    EXPECT_EXIT(
        {
            TempDirectory data;
            setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
            static int64_t minutes = 30000000;
            date::SetClockForTests(
                [] { return std::chrono::system_clock::time_point(std::chrono::minutes(minutes)); });
            // The later event comes first in the list (category 0): the tooltip names the sooner one.
            data.Put("nevalon_events.dat", "trip|" + std::to_string(date::CurrentDate() + 2 * 86400) +
                                               "|0|0|0|0|0|0\nsoon|" +
                                               std::to_string(date::CurrentDate() + 600) + "|0|0|5|0|0|0\n");
            Start();
            std::string tips;
            auto tip = [&tips] {
                std::u16string text = platform::StatusIconToolTipForTests(gui::StatusIconHandle(kStatusIcon));
                std::replace(text.begin(), text.end(), u'\n', u'/');
                tips += system::StringToUtf8(text) + ";";
            };
            tip();
            int notices = 0;
            platform::SetAlertResponderForTests(
                [&notices](const platform::AlertRequest&) { return ++notices, 0; });
            platform::SetSystemSoundPlayerForTests([](int64_t) {});
            auto post = [&notices](int32_t code, int64_t object) {
                gui::PostEvent(code, object, kHolderWindow, 0);
                for (int64_t next; (next = gui::WaitEvent(0)) != 0;)
                    if (next > 0) DispatchEvent(next);
                return notices;
            };
            int beforeClick = post(gui::EventTimer, kMinuteTimer);
            post(gui::EventStatusIcon, 0);
            tip();
            State().NotificationsOff = 1;
            int off = post(gui::EventTimer, kMinuteTimer);
            State().NotificationsOff = 0;
            int otherTimer = post(gui::EventTimer, kMinuteTimer + 1);
            int on = post(gui::EventTimer, kMinuteTimer);
            auto countdown = [] {
                return system::StringToUtf8(
                    gui::GetGadgetText(State().Events.SelectElement(1)->countdownGadget));
            };
            const std::string before = countdown();
            ++minutes;
            post(gui::EventTimer, kMinuteTimer);
            tip();
            std::filesystem::remove_all(data.Path());
            std::fprintf(stderr, "notices=%d%d%d%d %s, then %s %s\n", beforeClick, off, otherTimer, on,
                         before.c_str(), countdown().c_str(), tips.c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "notices=1111 10 minutes, then 9 minutes Nevalon/soon: 10 minutes;Nevalon/soon: 10 minutes;"
        "Nevalon/soon: 9 minutes;");
}

TEST_F(LifecycleTest, SettingsMenuChoicesAreStoredAndStartAtLoginWritesTheAutostartEntry)
{
    EXPECT_EXIT(
        {
            TempDirectory config;
            setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
            Start();
            const std::string first = FileBytes(config.Path("com.brask.Nevalon.conf"));
            for (int64_t item : {kNotificationsItem, kSortItem, kLoginItem, kDesktopNotificationsItem}) {
                gui::PostEvent(gui::EventMenu, item, 0, 0);
                DispatchEvent(gui::WaitEvent(0));
            }
            bool autostart =
                FileBytes(config.Path("autostart/com.brask.Nevalon.desktop")).starts_with("[Desktop");
            std::fprintf(stderr, "%s|%s|%d\n", first.c_str(),
                         FileBytes(config.Path("com.brask.Nevalon.conf")).c_str(), autostart);
            std::filesystem::remove_all(config.Path());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "Alarms=0\nDesktopNotifications=0\nLogin=0\nSort=1\n\\|\\[General\\]\nAlarms=1\n"
        "DesktopNotifications=1\nLogin=1\nSort=0\n\\|1");
}

TEST_F(LifecycleTest, SettingsMenuIsBuiltAfreshWithItsCheckMarksAndItsChoiceIsDispatched)
{
    EXPECT_EXIT(
        {
            Start();
            gui::CreateWindow(kListWindow, 300, 40, 460, 200, u"");
            std::string shown;
            // The last menu shows the choice of the one before it checked.
            for (const char16_t* choice : {u"", u"Remind with Desktop Notifications", u""}) {
                RunUntil([] { return gui::QueuedEventCount() == 0; });
                platform::ChooseNextMenuItemForTests(
                    choice, [&shown](const platform::MenuEntriesForTests& entries) {
                        shown += "\n";
                        for (const platform::MenuEntryForTests& entry : entries)
                            shown += entry.separator
                                         ? "_"
                                         : char(entry.title[0]) + std::string(entry.checked ? "!" : "") +
                                               system::StringToUtf8(entry.shortcut);
                    });
                ShowSettingsMenu();
            }
            const bool menuKept = gui::MenuExists(kSettingsMenu);
            CloseListWindow();
            std::fprintf(stderr, "%s\ndesktop=%d kept=%d closed=%lld\n", shown.c_str(),
                         State().DesktopNotifications, menuKept,
                         static_cast<long long>(gui::MenuExists(kSettingsMenu)));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "\nS!_D_R_A_B_L_S__QCtrl\\+Q_\nS!_D_R_A_B_L_S__QCtrl\\+Q_\nS!_D_R!_A_B_L_S__QCtrl\\+Q_\n"
        "desktop=1 kept=1 closed=0");
}

// The status-bar click's position rule and DesktopUnderMouse need only the desktop queries.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testing::StartPlatformOnce()); }
    void TearDown() override
    {
        platform::SetScreensForTests(std::nullopt);
        platform::SetPointerForTests(std::nullopt);
    }
    static void Screens(std::vector<platform::Rect> screens)
    {
        platform::SetScreensForTests(std::move(screens));
    }
    static void Pointer(double x, double y) { platform::SetPointerForTests(platform::Point{x, y}); }
};

TEST_F(DesktopTest, ListWindowIsCentredOnThePointerAndKeptOnItsScreen)
{
    Screens({{0, 0, 1440, 900}, {1440, -200, 1920, 1080}});
    Pointer(700, 10);
    EXPECT_EQ(ListWindowXUnderMouse(), 470);
    Pointer(1430, 10); // near the right edge of the main screen
    EXPECT_EQ(ListWindowXUnderMouse(), 1440 - 460);
    Pointer(5, 10); // near its left edge
    EXPECT_EQ(ListWindowXUnderMouse(), 0);
    Pointer(1500, -150); // on the second screen, near its left edge
    EXPECT_EQ(ListWindowXUnderMouse(), 1440);
    Pointer(1440, 10); // on the shared edge: the first screen in index order wins
    EXPECT_EQ(ListWindowXUnderMouse(), 1440 - 460);
}

TEST_F(DesktopTest, DesktopUnderMouseSearchesFromTheLastScreen)
{
    Screens({});
    EXPECT_EQ(DesktopUnderMouse(), -1);
    Screens({{0, 0, 1440, 900}, {1440, 0, 1920, 1080}});
    Pointer(1440, 100); // on both screens' shared edge
    EXPECT_EQ(DesktopUnderMouse(), 1);
    Pointer(100, 100);
    EXPECT_EQ(DesktopUnderMouse(), 0);
    Pointer(-50, -50); // on no screen
    EXPECT_EQ(DesktopUnderMouse(), 0);
}

TEST_F(DesktopTest, AClickPlacesTheListWindowInTheFreePartOfItsScreenOnABottomPanelInTheLowerHalf)
{
    // A main screen with a top panel, a smaller one above it with a bottom panel, and a wide one to the
    // right.
    platform::SetScreensForTests(
        std::vector<platform::Rect>{{0, 0, 1280, 800}, {0, -600, 1024, 600}, {1280, 0, 2560, 1440}},
        std::vector<platform::Rect>{{0, 24, 1280, 776}, {0, -600, 1024, 570}, {1280, 0, 2560, 1440}});
    for (auto [x, y, place] : {std::tuple{100.0, 10.0, ListWindowPlace{0, 24, 1280, 800, false}},
                               std::tuple{100.0, 400.0, ListWindowPlace{0, 24, 1280, 800, false}},
                               std::tuple{100.0, 401.0, ListWindowPlace{0, 24, 1280, 800, true}},
                               std::tuple{100.0, -10.0, ListWindowPlace{0, -600, 1024, -30, true}},
                               std::tuple{3800.0, 5.0, ListWindowPlace{1280, 0, 3840, 1440, false}}}) {
        Pointer(x, y);
        EXPECT_EQ(ListWindowPlaceUnderMouse(), place) << x << "," << y;
    }
    Screens({});
    EXPECT_EQ(ListWindowPlaceUnderMouse(), std::nullopt);
}

} // namespace
} // namespace nevalon::app
