#pragma once

#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/DesktopNotifications.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nevalon::platform {

class Image;
class Window;

// Seams that stand in for the desktop and drive the platform as a person would. They live in a
// library that only tests and tools link: the shipped program carries none of them.

// Answers alerts with this function instead of a person (empty restores the dialog).
void SetAlertResponderForTests(std::function<int(const AlertRequest&)> responder);

// The user's preferred languages from now on (std::nullopt restores the desktop's).
void SetPreferredLanguagesForTests(std::optional<std::vector<std::string>> languages);

// The operating-system version the platform reports from now on.
void SetOperatingSystemVersionForTests(OsVersion version);

// Describes the screens and the pointer instead of asking the platform (std::nullopt restores them). The
// parts of the screens that panels leave to windows are the screens whole unless `workAreas` says otherwise.
void SetScreensForTests(std::optional<std::vector<Rect>> screens,
                        std::optional<std::vector<Rect>> workAreas = std::nullopt);
void SetPointerForTests(std::optional<Point> pointer);

// Hands every system sound to this function instead of playing it (empty plays them again).
void SetSystemSoundPlayerForTests(std::function<void(int64_t sound)> player);

// Queues a key press (and its release) for the window, delivered through the normal dispatch.
void PostKeyPressForTests(Window& window, const KeyEvent& key);

// Queues a pointer move over the window's content (a platform event that means nothing to the toolkit).
void PostPointerMoveForTests(Window& window, Point inContent);

// Queues a series of clicks (left or right button) at a point of the window's content as Qt delivers
// them: press, double click, press, ...; the first at `atMilliseconds`, each further one a millisecond later.
void PostClickForTests(Window& window, Point inContent, int clicks, bool rightButton,
                       uint64_t atMilliseconds);

// How a person answers a real alert.
enum class AlertAction { PressButton, PressEscape, CloseWindow };

// Once the next modal alert has been up for `afterMilliseconds`, answers it as a person would: presses
// the button with this title, presses Escape or clicks the close box. An alert that stays up is answered
// with its default button.
void AnswerNextAlertForTests(AlertAction action, const std::u16string& buttonTitle = u"",
                             int64_t afterMilliseconds = 0);

// Asks the window to close as its close box would.
void PostCloseRequestForTests(Window& window);

// Asks the application to quit as the desktop session would.
void PostQuitRequestForTests();

// Calls `observer` once for each window, with its title, when its first frame has gone to the display (empty
// stops it).
void SetFirstFrameObserverForTests(std::function<void(const std::u16string& title)> observer);

// The desktop portal's "color-scheme" values.
enum class ColorScheme : uint32_t { NoPreference = 0, Dark = 1, Light = 2 };

// Serves the desktop portal's colour scheme on the session bus named by DBUS_SESSION_BUS_ADDRESS, as a
// desktop does; once serving, a call announces the new scheme as a change. False when that bus does not
// answer.
bool ServeColorSchemeForTests(ColorScheme scheme);

// Takes that portal off the bus.
void StopColorSchemeServiceForTests();

// Takes logind's name on the system bus named by DBUS_SYSTEM_BUS_ADDRESS. False when that bus does not
// answer.
bool ServeLogindForTests();

// Announces PrepareForSleep(starting) under that name, as logind does before a suspend (true) and after it.
bool AnnouncePrepareForSleepForTests(bool starting);

// One entry of a menu as it shows: a separator, or an item with its title, its key equivalent as the
// menu writes it ("Ctrl+Q"; "" for none) and its check mark.
struct MenuEntryForTests {
    std::u16string title;
    std::u16string shortcut;
    bool checked = false;
    bool separator = false;
    bool operator==(const MenuEntryForTests&) const = default;
};
using MenuEntriesForTests = std::vector<MenuEntryForTests>;

// Once the next pop-up menu has been up for `afterMilliseconds`, hands `seen` (if given) its entries, then
// chooses its item titled `title` as a person would (Return on it); an empty or unknown title closes the
// menu without a choice.
void ChooseNextMenuItemForTests(const std::u16string& title,
                                std::function<void(const MenuEntriesForTests&)> seen = nullptr,
                                int64_t afterMilliseconds = 0);

// Once the next pop-up menu is up, presses the key in it; the menu is closed if it stays up.
void PressKeyInNextMenuForTests(const KeyEvent& key);

// A press on a tray icon as the tray host reports it: a double click comes after the click it began with.
enum class StatusIconPress { Click, DoubleClick, MiddleClick };

// Reports a press on the tray icon of the status item (platform handle) as the tray host would.
void ClickStatusIconForTests(int64_t statusItem, StatusIconPress press = StatusIconPress::Click);

// The entries of the status item's context menu.
MenuEntriesForTests StatusIconMenuForTests(int64_t statusItem);

// Chooses the entry titled `title` of the status item's context menu, as the tray host does.
void ChooseStatusIconMenuEntryForTests(int64_t statusItem, const std::u16string& title);

// The text the tray shows while the pointer rests on the status item's icon.
std::u16string StatusIconToolTipForTests(int64_t statusItem);

// A copy of the picture the tray shows for the status item, with one reference owned by the caller; null
// when there is none.
Image* StatusIconPictureForTests(int64_t statusItem);

} // namespace nevalon::platform

namespace nevalon::platform {

// Clicks the view (a platform handle) at its centre with the left button as a person would; the click
// arrives through the platform's dispatch.
void ClickViewForTests(int64_t view);

// Types `text` into the view (a text field, or the first one inside a container) in place of what it
// holds, one key press per character, as a person would; each edit passes the field's check.
void TypeIntoViewForTests(int64_t view, const std::u16string& text);

// What a person and a screen reader meet in a view: its text as drawn (a title, a label, a field's text,
// a chosen item), its tool tip as drawn, and the name screen readers announce.
struct ViewTextsForTests {
    std::u16string shown, toolTip, accessibleName;
    bool operator==(const ViewTextsForTests&) const = default;
};
ViewTextsForTests TextsOfViewForTests(int64_t view);

// The desktop's default font, the one menus and alerts draw their texts in: its family, and its size in
// points and in pixels of the main screen. Asking loads no glyphs.
struct DesktopFont {
    std::u16string family;
    double points = 0, pixels = 0;
};
DesktopFont DesktopFontForTests();

// The size in points that the font system gives the desktop's default font where a widget draws it now.
double DesktopFontPointsAsDrawnForTests();

// Writes the window's content, as it is drawn now, to a PNG file; false when it cannot.
bool SaveWindowPictureForTests(Window& window, const std::string& pngPath);

} // namespace nevalon::platform

namespace nevalon::platform {

// What the process holds now, for tests that open and close things many times: the Qt widgets alive, Qt's
// windows (hidden ones included), the platform objects, the objects the application object owns (timers
// among them), the bytes in use on the heap (the allocator's per-thread caches, up to a few hundred
// kilobytes, count as in use), the open file descriptors and the threads.
struct ResourceCountsForTests {
    int64_t widgets = 0, windows = 0, objects = 0, applicationChildren = 0, heapBytes = 0, files = 0,
            threads = 0;
};
ResourceCountsForTests CountResourcesForTests();

// Calls `handler` on the main thread, inside the platform's dispatch, each time the process receives
// `signal`: a driver of the real program can fire one of its events at will.
void HandleSignalForTests(int signal, std::function<void()> handler);

// Hands every desktop notification, with its handler, to this function in place of the notification
// server (empty: the server again); the test ends each one when it chooses by calling the handler.
void SetNotificationServerForTests(
    std::function<void(const NotificationRequest&, NotificationHandler)> server);

} // namespace nevalon::platform
