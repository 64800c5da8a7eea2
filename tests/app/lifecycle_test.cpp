#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "app/SettingsMenu.h"
#include "app/ToolkitNumbers.h"
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
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace nevalon::app {
namespace {

// Each test starts the program as Main does, from a fresh state, with its settings and events in a folder of
// its own, never the user's; a test that leaves it running ends it as a quit does. CTest runs each test in a
// process of its own: the desktop's settings store keeps the folder of the first start in a process.
class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        State() = AppState();
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            setenv(variable, home.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if (running) {
            EXPECT_EQ(Shutdown(), 0);
        }
        platform::SetAlertResponderForTests(nullptr);
        platform::SetSystemSoundPlayerForTests(nullptr);
        platform::SetOperatingSystemVersionForTests({12, 0, 0});
        date::SetClockForTests(nullptr);
    }

    [[nodiscard]] std::optional<int> StartUp()
    {
        static char name[] = "nevalon";
        static char* argv[] = {name, nullptr};
        const std::optional<int> cannotRun = Startup(1, argv);
        running = !cannotRun;
        return cannotRun;
    }
    void Start() { ASSERT_EQ(StartUp(), std::nullopt); }

    // Dispatches events until `done` holds or 2 s of quiet pass.
    template <typename Done> static void RunUntil(Done done)
    {
        for (int idle = 0; !done() && idle < 100;) {
            int64_t code = gui::WaitEvent(20);
            if (code == 0) ++idle;
            if (code > 0) DispatchEvent(code);
        }
    }

    TempDirectory home;
    bool running = false;
};

TEST_F(LifecycleTest, MainAnswersACommandLineRequestWithItsExitCodeAndStartsNothing)
{
    for (auto [option, code] : {std::pair{"--version", 0}, {"--no-such-option", 2}}) {
        static char name[] = "nevalon";
        std::string argument = option;
        char* argv[] = {name, argument.data(), nullptr};
        EXPECT_EQ(Main(2, argv), code) << option;
    }
    EXPECT_FALSE(gui::WindowExists(kHolderWindow));
}

TEST_F(LifecycleTest, TooOldSystemShowsTheStopMessageBeforeAnyWindowAndEndsWithZero)
{
    platform::SetOperatingSystemVersionForTests({11, 7, 0});
    std::optional<platform::AlertRequest> said;
    bool accessory = false, observing = false, holder = true;
    platform::SetAlertResponderForTests([&](const platform::AlertRequest& alert) {
        // Everything up to the check has run; nothing after it has.
        accessory = platform::ActivationPolicy() == 1;
        observing = State().AppearanceObserver != 0 && State().Defaults != 0;
        holder = gui::WindowExists(kHolderWindow) != 0;
        said = alert;
        return 0;
    });
    EXPECT_EQ(StartUp(), 0);
    ASSERT_TRUE(said);
    EXPECT_TRUE(accessory);
    EXPECT_TRUE(observing);
    EXPECT_FALSE(holder);
    EXPECT_TRUE(said->messageText == u"Error!" && said->icon == platform::AlertIcon::Stop &&
                said->informativeText.ends_with(u"\n\nThis app will now quit."));
    // The runtime has been ended again.
    EXPECT_FALSE(platform::ApplicationStarted());
}

TEST_F(LifecycleTest, StartupOpensTheHiddenHolderAsAnAccessoryThatFollowsTheAppearance)
{
    Start();
    EXPECT_TRUE(gui::WindowExists(kHolderWindow));
    EXPECT_FALSE(gui::WindowExists(kListWindow));
    EXPECT_EQ(gui::PlatformMessage(nullptr, State().SharedApp, "activationPolicy"), 1);
    EXPECT_EQ(State().ListWindowX, -1);
    const bool dark = platform::IsDarkAppearance();
    platform::SetAppearance(!dark);
    int64_t code = 0;
    for (int i = 0; i < 20 && code != kAppearanceChangedEvent; ++i)
        code = gui::WaitEvent(20);
    EXPECT_EQ(code, kAppearanceChangedEvent);
    platform::SetAppearance(dark);
}

// The Quit item, the desktop's quit request and a signal all end the main loop through Shutdown.
TEST_F(LifecycleTest, EveryWayToQuitEndsTheMainLoopWithZero)
{
    for (int way = 0; way < 3; ++way) {
        State() = AppState();
        Start();
        if (way == 0) gui::PostEvent(gui::EventMenu, kQuitItem, 0, 0);
        if (way == 1) platform::PostQuitRequestForTests();
        if (way == 2) std::raise(SIGTERM);
        EXPECT_EQ(RunMainLoop(), 0) << way;
        running = false;
        EXPECT_FALSE(platform::ApplicationStarted()) << way;
    }
}

TEST_F(LifecycleTest, ShutdownClosesTheListWindowAndEditorFirst)
{
    Start();
    gui::CreateWindow(kListWindow, 300, 40, 460, 200, u"");
    gui::CreateWindow(kEditorWindow, 0, 0, 300, 200, u"Add Event", gui::WindowCentredOnParent);
    State().EditingExisting = 1;
    running = false;
    EXPECT_EQ(Shutdown(), 0);
    EXPECT_FALSE(gui::WindowExists(kListWindow));
    EXPECT_FALSE(gui::WindowExists(kEditorWindow));
    EXPECT_EQ(State().EditingExisting, 0);
    EXPECT_EQ(State().ListWindowX, 300);
}

TEST_F(LifecycleTest, EscapeInTheListWindowClosesItAndTheEditor)
{
    Start();
    gui::CreateWindow(kListWindow, 321, 40, 460, 200, u"");
    gui::AddKeyShortcut(kListWindow, kEscapeKey, kEscapeItem);
    gui::CreateWindow(kEditorWindow, 0, 0, 300, 200, u"Edit Event", gui::WindowCentredOnParent);
    State().ExportToCalendar = 1;
    auto* list = dynamic_cast<platform::Window*>(platform::ObjectFromHandle(gui::WindowHandle(kListWindow)));
    platform::PostKeyPressForTests(*list, platform::KeyEvent{u"\x1b"});
    RunUntil([] { return !gui::WindowExists(kListWindow); });
    EXPECT_FALSE(gui::WindowExists(kListWindow));
    EXPECT_FALSE(gui::WindowExists(kEditorWindow));
    EXPECT_EQ(State().ExportToCalendar, 0);
    EXPECT_EQ(State().ListWindowX, 321);
}

TEST_F(LifecycleTest, TheMinuteTimerRemindsOfTheEventsReadAtStartAndKeepsTheListAndTooltipCurrent)
{
    static int64_t minutes = 30000000;
    date::SetClockForTests(
        [] { return std::chrono::system_clock::time_point(std::chrono::minutes(minutes)); });
    // The later event comes first in the list (category 0): the tooltip names the sooner one.
    home.Put("nevalon_events.dat", "trip|" + std::to_string(date::CurrentDate() + 2 * 86400) +
                                       "|0|0|0|0|0|0\nsoon|" + std::to_string(date::CurrentDate() + 600) +
                                       "|0|0|5|0|0|0\n");
    Start();
    std::vector<std::string> tips;
    auto tip = [&tips] {
        std::u16string text = platform::StatusIconToolTipForTests(gui::StatusIconHandle(kStatusIcon));
        std::replace(text.begin(), text.end(), u'\n', u'/');
        tips.push_back(system::StringToUtf8(text));
    };
    tip();
    int notices = 0;
    platform::SetAlertResponderForTests([&notices](const platform::AlertRequest&) { return ++notices, 0; });
    platform::SetSystemSoundPlayerForTests([](int64_t) {});
    auto post = [&notices](int32_t code, int64_t object) {
        gui::PostEvent(code, object, kHolderWindow, 0);
        for (int64_t next; (next = gui::WaitEvent(0)) != 0;)
            if (next > 0) DispatchEvent(next);
        return notices;
    };
    // One notice for the ten-minute reminder, whatever comes after it.
    EXPECT_EQ(post(gui::EventTimer, kMinuteTimer), 1);
    post(gui::EventStatusIcon, 0);
    tip();
    State().NotificationsOff = 1;
    EXPECT_EQ(post(gui::EventTimer, kMinuteTimer), 1);
    State().NotificationsOff = 0;
    EXPECT_EQ(post(gui::EventTimer, kWarmUpTimer), 1);
    EXPECT_EQ(post(gui::EventTimer, kMinuteTimer), 1);
    auto countdown = [] {
        return system::StringToUtf8(gui::GetGadgetText(State().Events.SelectElement(1)->countdownGadget));
    };
    EXPECT_EQ(countdown(), "10 minutes");
    ++minutes;
    post(gui::EventTimer, kMinuteTimer);
    EXPECT_EQ(countdown(), "9 minutes");
    tip();
    EXPECT_EQ(tips, (std::vector<std::string>{"Nevalon/soon: 10 minutes", "Nevalon/soon: 10 minutes",
                                              "Nevalon/soon: 9 minutes"}));
}

TEST_F(LifecycleTest, SettingsMenuChoicesAreStoredAndStartAtLoginWritesTheAutostartEntry)
{
    Start();
    EXPECT_EQ(FileBytes(home.Path("com.brask.Nevalon.conf")),
              "[General]\nAlarms=0\nDesktopNotifications=0\nLogin=0\nSort=1\n");
    for (int64_t item : {kNotificationsItem, kSortItem, kLoginItem, kDesktopNotificationsItem}) {
        gui::PostEvent(gui::EventMenu, item, 0, 0);
        DispatchEvent(gui::WaitEvent(0));
    }
    EXPECT_EQ(FileBytes(home.Path("com.brask.Nevalon.conf")),
              "[General]\nAlarms=1\nDesktopNotifications=1\nLogin=1\nSort=0\n");
    EXPECT_TRUE(FileBytes(home.Path("autostart/com.brask.Nevalon.desktop")).starts_with("[Desktop"));
}

TEST_F(LifecycleTest, SettingsMenuIsBuiltAfreshWithItsCheckMarksAndItsChoiceIsDispatched)
{
    Start();
    gui::CreateWindow(kListWindow, 300, 40, 460, 200, u"");
    std::vector<std::string> shown;
    // The last menu shows the choice of the one before it checked.
    for (const char16_t* choice : {u"", u"Remind with Desktop Notifications", u""}) {
        RunUntil([] { return gui::QueuedEventCount() == 0; });
        platform::ChooseNextMenuItemForTests(choice, [&shown](const platform::MenuEntriesForTests& entries) {
            std::string menu;
            for (const platform::MenuEntryForTests& entry : entries)
                menu += entry.separator ? "_"
                                        : char(entry.title[0]) + std::string(entry.checked ? "!" : "") +
                                              system::StringToUtf8(entry.shortcut);
            shown.push_back(menu);
        });
        ShowSettingsMenu();
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"S!_D_R_A_B_L_S__QCtrl+Q_", "S!_D_R_A_B_L_S__QCtrl+Q_",
                                               "S!_D_R!_A_B_L_S__QCtrl+Q_"}));
    EXPECT_EQ(State().DesktopNotifications, 1);
    EXPECT_TRUE(gui::MenuExists(kSettingsMenu));
    CloseListWindow();
    EXPECT_FALSE(gui::MenuExists(kSettingsMenu));
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
