#include "app/SettingsMenu.h"

#include "app/AppState.h"
#include "app/Shell.h"
#include "app/ToolkitNumbers.h"
#include "platform/Alert.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/Window.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/Strings.h"

namespace nevalon::app {
namespace {

#ifdef __APPLE__
constexpr const char16_t* kOpenCommand = u"open";
constexpr const char16_t* kPlatformName = u"macOS";
#else
constexpr const char16_t* kOpenCommand = u"xdg-open";
constexpr const char16_t* kPlatformName = u"Linux";
#endif

#if defined(__x86_64__) || defined(__i386__)
// The build's version, as --version and the package give it.
constexpr const char16_t* kAboutTitle = u"Nevalon v" NEVALON_VERSION "\n(Intel)";
#else
constexpr const char16_t* kAboutTitle = u"Nevalon v" NEVALON_VERSION "\n(ARM)";
#endif

void ActivateListWindow()
{
    if (gui::WindowExists(kListWindow)) gui::ActivateWindow(kListWindow);
}

} // namespace

int64_t ShowSettingsMenu()
{
    if (!gui::WindowExists(kListWindow)) return 0;
    if (gui::NewPopupMenu(kSettingsMenu)) {
        const std::pair<int64_t, String> entries[] = {
            {kSortItem, u"Sort Countdown Events by Category"},
            {kNotificationsItem, u"Disable Countdown Notifications"},
            {kDesktopNotificationsItem, u"Remind with Desktop Notifications"},
            {kAboutItem, u"About"},
            {kDonationItem, u"Buy me a Coffee!"},
            {kOtherAppsItem, u"Learn more about my other Apps"},
            {kLoginItem, u"Start at Login"},
            {0, u""},
            {kQuitItem, u"Quit\t" + ShortcutText(u"⌘Q")}};
        for (const auto& [item, text] : entries) {
            if (item != 0) gui::AppendMenuItem(item, text);
            gui::AppendMenuSeparator();
        }
    }
    AppState& state = State();
    gui::SetMenuItemCheck(kSettingsMenu, kSortItem, state.SortByCategory);
    gui::SetMenuItemCheck(kSettingsMenu, kNotificationsItem, state.NotificationsOff);
    gui::SetMenuItemCheck(kSettingsMenu, kDesktopNotificationsItem, state.DesktopNotifications);
    gui::SetMenuItemCheck(kSettingsMenu, kLoginItem, state.StartAtLogin);
    gui::ShowPopupMenu(kSettingsMenu, gui::WindowHandle(kListWindow));
    return 0;
}

String ShortcutText(const String& symbols)
{
    String text = symbols;
    const size_t length = text.size();
    if (length >= 2 && length <= 4)
        for (size_t i = 0; i + 1 < length; ++i)
            text.insert(1 + 2 * i, u"+");
    for (auto [symbol, word] : {std::pair{u"⇧", u"Shift"}, {u"⌘", u"Cmd"}, {u"⌥", u"Alt"}, {u"⌃", u"Ctrl"}})
        text = system::ReplaceSubstring(text, symbol, word);
    return text;
}

void ShowAboutBox()
{
    BringApplicationToFront();
    platform::AlertRequest about;
    about.messageText = kAboutTitle;
    about.informativeText = u"\nA date countdown app for " + String(kPlatformName) +
                            u"\nmade with great angst\n\n"
                            u"by the Nevalon developers (December 2026)\n"
                            u"Write to hello@nevalon.app\n"
                            u"\r\"Every day counts.\"\n";
    about.icon = platform::AlertIcon::Note;
    about.buttons = {u"Ok", u"See My Other Apps"};
    // Escape and the close box answer "Ok": dismissing the box never opens a page.
    about.escapeButton = 0;
    if (platform::RunAlert(about) == 1) system::LaunchProgram(kOpenCommand, kOtherAppsPage);
    ActivateListWindow();
}

void OpenWebPage(const String& address)
{
    system::LaunchProgram(kOpenCommand, address);
    ActivateListWindow();
}

} // namespace nevalon::app
