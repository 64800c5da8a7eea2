#include "app/Lifecycle.h"

#include "app/AppState.h"
#include "app/Appearance.h"
#include "app/CommandLine.h"
#include "app/Editor.h"
#include "app/EventStore.h"
#include "app/ListWindow.h"
#include "app/ReminderNotices.h"
#include "app/Reminders.h"
#include "app/Settings.h"
#include "app/SettingsMenu.h"
#include "app/Shell.h"
#include "app/SingleInstance.h"
#include "app/StoreNotices.h"
#include "app/ToolkitNumbers.h"
#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/ClockChanges.h"
#include "platform/DesktopNotice.h"
#include "platform/StatusItem.h"
#include "runtime/date/Dates.h"
#include "runtime/gui/Desktops.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowTimer.h"
#include "runtime/system/drawing/Images.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/Strings.h"

#include <cstdio>

namespace nevalon::app {
namespace {

using gui::PlatformMessage;

#ifdef __APPLE__
constexpr const char16_t* kTooOldText = u"Sorry, this program is intended for use on a Mac running macOS "
                                        u"Monterey or later.\n\nThis app will now quit.";
#else
constexpr const char16_t* kTooOldText = u"Sorry, this program is intended for use on a Linux desktop with Qt "
                                        u"6 or later.\n\nThis app will now quit.";
#endif

constexpr const char16_t* kNoTrayText =
    u"No system tray was found. Nevalon shows its icon once a tray appears: on GNOME install the "
    u"AppIndicator extension (gnome-shell-extension-appindicator); on other desktops add a system tray or "
    u"status notifier applet to a panel.";
// A session may start its panel a moment after the programs it starts.
constexpr int64_t kTrayGraceMs = 5000;
constexpr int64_t kMinutePeriod = 60000;
// The warm-up timer's wait after start.
constexpr int64_t kWarmUpDelay = 500;

// Whether the runtime could start: without a display it cannot, and says why on stderr.
[[nodiscard]] bool StartRuntime(int argc, char** argv)
{
    // The application object comes first, the process locale right after it.
    gui::SetProductIdentity({u"Nevalon", kBundleIdentifier, kApplicationIconName});
    std::string error;
    if (!gui::InitToolkit(argc, argv, error)) {
        std::fprintf(stderr, "nevalon: %s\n", error.c_str());
        return false;
    }
    platform::BringProcessToFront();
    system::InitStrings();
    system::InitFiles();
    date::InitDates();
    system::InitProcess();
    system::InitImages();
    return true;
}

void EndRuntime()
{
    system::EndImages();
    system::EndProcess();
    system::EndFiles();
    date::EndDates();
    system::EndStrings();
    gui::EndToolkit();
}

bool OperatingSystemTooOld()
{
    platform::OsVersion version;
    int64_t info = PlatformMessage(nullptr, 0, "NSProcessInfo processInfo");
    PlatformMessage(&version, info, "operatingSystemVersion");
    return version.major <= 11;
}

// The name and picture the desktop gives the program's alerts and windows: the icon the desktop lists the
// program with where it is installed, else the tray's.
void ShowApplicationIdentity(int64_t trayIcon)
{
    const int64_t info = PlatformMessage(nullptr, 0, "NSProcessInfo processInfo");
    PlatformMessage(nullptr, info, "setProcessName:$", {u"Nevalon"});
    int64_t icon = PlatformMessage(nullptr, 0, "NSImage imageNamed:$", {kApplicationIconName});
    PlatformMessage(nullptr, State().SharedApp, "setApplicationIconImage:", {icon ? icon : trayIcon});
}

// Opens the list window under the point (x, y), the pointer's or the tray icon's, reading the events first.
void OpenListWindowAt(int64_t x, int64_t y)
{
    AppState& state = State();
    state.ListWindowX = ListWindowXAt(x, y);
    state.ListWindowPlacement = ListWindowPlaceAt(x, y);
    // LoadEvents builds the window from the file, or from the events in memory when it cannot be read:
    // a first build from memory would only be replaced at once.
    LoadEvents();
}

// A click on the status-bar icon opens the list window under the pointer, or closes it.
void StatusIconClicked()
{
    if (!gui::WindowExists(kListWindow)) {
        OpenListWindowAt(gui::MouseScreenX(), gui::MouseScreenY());
        return;
    }
    State().ListWindowX = gui::WindowLeft(kListWindow);
    CloseListWindow();
}

// The tray menu's "Open", a later start and a reminder's Open open the list window under the tray icon, as
// a click does (under the pointer where the tray does not tell where the icon is), or bring an open one to
// the front; they never close it.
void OpenListWindow()
{
    if (gui::WindowExists(kListWindow)) {
        BringApplicationToFront();
        gui::ActivateWindow(kListWindow);
        return;
    }
    const auto icon = gui::StatusIconCentre(kStatusIcon);
    OpenListWindowAt(icon ? icon->first : gui::MouseScreenX(), icon ? icon->second : gui::MouseScreenY());
}

// A new appearance rebuilds an open list window in its colours, from the file.
void AppearanceSwitched()
{
    if (!gui::WindowExists(kListWindow)) return;
    CloseEditorWindow();
    State().ListWindowX = gui::WindowLeft(kListWindow);
    CloseListWindow();
    LoadEvents();
}

// Every minute: the reminders, and the countdowns of an open list window unless the editor is open.
void MinuteTimerTicked()
{
    // Changes a save could not write go to the disk as soon as it takes them.
    if (State().EventsFile.unsaved) SaveEventsAndSay(SaveCause::Program);
    if (State().NotificationsOff == 0) CheckReminders();
    // After a sleep, a snooze that ran out meanwhile comes now.
    BringBackSnoozedReminders();
    if (gui::WindowExists(kListWindow) && !gui::WindowExists(kEditorWindow)) RefreshListWindow();
    UpdateStatusIconToolTip();
}

// Said on the terminal and on the desktop: a program started from a menu has no terminal.
void ReportMissingTray()
{
    std::fprintf(stderr, "nevalon: %s\n", system::StringToUtf8(kNoTrayText).c_str());
    platform::ShowDesktopNotice(u"No system tray", kNoTrayText);
}

// After a wake or a new clock the next tick may be a minute away: the check runs now. Several changes
// at once (a wake also sets the clock) queue one check.
void ClockChanged()
{
    gui::DeleteQueuedEvents([](int32_t code, int64_t) { return code == kClockChangedEvent; });
    gui::QueueEvent(kClockChangedEvent);
}

void DispatchMenu(int64_t item)
{
    switch (item) {
    case kQuitRequest:
    case kQuitItem:
        State().QuitRequested = true;
        break;
    case kNotificationsItem:
        ToggleSetting(kAlarmsKey);
        break;
    case kAboutItem:
        ShowAboutBox();
        break;
    case kSortItem:
        ToggleSetting(kSortKey);
        break;
    case kDesktopNotificationsItem:
        ToggleSetting(kDesktopNotificationsKey);
        break;
    case kDonationItem:
        OpenWebPage(kDonationPage);
        break;
    case kOtherAppsItem:
        OpenWebPage(kOtherAppsPage);
        break;
    case kLoginItem:
        ToggleStartAtLogin();
        break;
    case kEscapeItem:
        State().ListWindowX = gui::WindowLeft(kListWindow);
        CloseListWindow();
        break;
    case kEditorEscapeItem:
        CloseEditorWindow();
        break;
    default:
        break;
    }
}

} // namespace

AppState& State()
{
    static AppState state;
    return state;
}

std::optional<int> Startup(int argc, char** argv)
{
    if (!StartRuntime(argc, argv)) return 1;
    AppState& state = State();
    state.ListWindowX = -1;
    for (size_t i = 0; i < state.Categories.size(); ++i)
        state.Categories[i] = kCategoryNames[i];
    // The file is first read when the list window opens.
    state.EventsFilePath = ComputeEventsFilePath();
    state.KeyValueChangeNewKey = platform::LookupConstant("NSKeyValueChangeNewKey");
    ObserveAppearance();
    state.Defaults = PlatformMessage(nullptr, 0, "NSUserDefaults standardUserDefaults");
    PlatformMessage(nullptr, state.SharedApp, "setActivationPolicy:", {1});
    if (OperatingSystemTooOld()) {
        gui::ShowMessageBox(u"Error!", kTooOldText, gui::MessageBoxStopIcon);
        EndRuntime();
        return 0;
    }
    LoadSettings();
    gui::CreateWindow(kHolderWindow, 0, 0, 0, 0, u"", gui::WindowInvisible);
    gui::StartWindowTimer(kHolderWindow, kMinuteTimer, kMinutePeriod);
    int64_t icon = PlatformMessage(nullptr, 0, "NSImage imageWithSystemSymbolName:$",
                                   {u"calendar.badge.clock", "accessibilityDescription:", 0});
    gui::CreateStatusIcon(kStatusIcon, gui::WindowHandle(kHolderWindow), icon);
    // The one instance runs: no other save is under way.
    RemoveUnfinishedSaves();
    // Not needed for the icon, so not waited for by it: the application's icon is looked up in the icon
    // theme, which takes milliseconds; a later start waits for the name to appear; a clock change meanwhile
    // is one the first minute's check covers.
    platform::AfterStartUp([] {
        ShowApplicationIdentity(PlatformMessage(nullptr, 0, "NSImage imageWithSystemSymbolName:$",
                                                {u"calendar.badge.clock", "accessibilityDescription:", 0}));
    });
    platform::AfterStartUp(ServeLaterStarts);
    platform::AfterStartUp(FollowClockChanges);
    // A program started at login may never be clicked: its reminders and tooltip need the events now.
    ReadEventsFile();
    // The alert about an unreadable file comes before the loop runs: it shows the program's name and icon.
    if (State().EventsFile.unreadable) ShowApplicationIdentity(icon);
    SayWhenEventsFileUnreadable();
    UpdateStatusIconToolTip();
    platform::CheckTrayHostAfter(kTrayGraceMs, ReportMissingTray);
    gui::StartWindowTimer(kHolderWindow, kWarmUpTimer, kWarmUpDelay);
    return std::nullopt;
}

void FollowClockChanges()
{
    platform::SetClockChangeHandler(ClockChanged);
}

void DispatchEvent(int64_t code)
{
    switch (code) {
    case gui::EventMenu:
        DispatchMenu(gui::EventMenuItem());
        break;
    case gui::EventCloseWindow:
        if (gui::EventWindow() == kEditorWindow) CloseEditorWindow();
        break;
    case gui::EventGadget:
        if (gui::EventGadgetNumber() == kCancelGadget) CloseEditorWindow();
        if (gui::EventGadgetNumber() == kExportCheckBox) ToggleCalendarExport();
        break;
    case gui::EventStatusIcon:
        if (gui::EventSubtype() == gui::StatusIconClick) StatusIconClicked();
        if (gui::EventSubtype() == gui::StatusIconOpenRequest) OpenListWindow();
        break;
    case gui::EventTimer:
        if (gui::EventTimerNumber() == kMinuteTimer) MinuteTimerTicked();
        if (gui::EventTimerNumber() == kSnoozeTimer) BringBackSnoozedReminders();
        if (gui::EventTimerNumber() == kWarmUpTimer) {
            gui::StopWindowTimer(kHolderWindow, kWarmUpTimer);
            PrepareListWindow();
        }
        break;
    case kAppearanceChangedEvent:
        AppearanceSwitched();
        break;
    case kClockChangedEvent:
        date::ReloadTimeZone();
        MinuteTimerTicked();
        break;
    case kNotificationEndedEvent:
        NotificationEnded(gui::EventData(), gui::EventSubtype());
        break;
    default:
        break;
    }
}

int RunMainLoop()
{
    while (!State().QuitRequested)
        DispatchEvent(gui::WaitEvent());
    return Shutdown();
}

int Main(int argc, char** argv)
{
    const CommandLine request = ParseCommandLine(argc, argv);
    if (request.action != CommandLine::StartProgram) return RunCommandLine(request);
    if (!BecomeOnlyInstance()) return 0;
    if (const std::optional<int> cannotRun = Startup(argc, argv)) return *cannotRun;
    return RunMainLoop();
}

int Shutdown()
{
    CloseListWindow();
    if (State().EventsFile.unsaved) SaveEventsAndSay(SaveCause::Program);
    gui::RemoveStatusIcon(kStatusIcon);
    StopObservingAppearance();
    EndRuntime();
    return 0;
}

} // namespace nevalon::app
