#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace nevalon::platform {

class Window;

// Key codes of the digit keys 0 to 9 and of F1 to F12 in the platform's own key-code table (the
// classic desktop layout), so that a key-code shortcut means the same key everywhere.
inline constexpr int kDigitKeyCodes[10] = {29, 18, 19, 20, 21, 23, 22, 26, 28, 25};
inline constexpr int kFunctionKeyCodes[12] = {122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111};
// The character F1 types; F2 to F12 type the eleven after it.
inline constexpr char16_t kF1Character = 0xF704;

struct KeyEvent {
    // Characters without modifiers, in UTF-16 (platform function keys use U+F700..U+F8FF).
    std::u16string characters;
    // Hardware-independent key code of the platform's own table (0 when unknown).
    int keyCode = 0;
    bool shift = false, control = false, option = false, command = false;
};

// Creates the platform application. False when it cannot run (no display); `error` then
// holds one line for the user.
bool StartApplication(int argc, char** argv, std::string& error);

// Whether StartApplication has succeeded and EndApplication not yet run.
bool ApplicationStarted();

// Closes every window and destroys the platform application.
void EndApplication();

// Runs `work` once the program has started: when the event loop first has nothing left to do, by when what
// start-up showed (the tray icon) has gone to the display. Each queued work runs in an event-loop pass of
// its own, in the order queued; one queued after the start runs in the next pass. EndApplication drops
// those not yet run.
void AfterStartUp(std::function<void()> work);

// Whether the event loop has been idle once since StartApplication.
bool StartUpFinished();

// Dispatches platform events until at least one was handled or the timeout ran out
// (milliseconds; negative waits without limit, 0 does not wait). False on a timeout with
// nothing handled.
bool ProcessPlatformEvents(int64_t timeoutMs);

// Frees the platform objects whose end was put off until the dispatch that released them was over (a widget
// released from inside its own signal). The toolkit calls it between events, as a platform's own loop would.
void FreeDeferredObjects();

// Posts the application-defined wake-up event at the head of the platform queue.
void WakeUp();

// Whether a platform event is waiting to be dispatched.
bool HasPendingPlatformEvents();

// Called instead of ending the program when the desktop, the session or SIGTERM, SIGINT or SIGHUP
// asks it to quit. The request also dismisses the open alert, and any alert opened before the next
// ProcessPlatformEvents, so that it never waits for the person.
void SetQuitRequestHandler(std::function<void()> handler);

// Offered every key press in a window before the window sees it; answering true consumes it.
void SetKeyDownHandler(std::function<bool(Window&, const KeyEvent&)> handler);

// Called after the appearance (light or dark) changed.
void SetAppearanceChangeHandler(std::function<void()> handler);

// Whether the program's windows draw in the dark appearance. They follow the desktop: its settings portal's
// colour scheme on the session bus, asked for once the program has started (AfterStartUp) and followed while
// it runs, its answer arriving as a change; without a portal, the palette the desktop gave the program.
bool IsDarkAppearance();

// Makes the program's windows draw in the dark or the light appearance, until the desktop's next change.
// Observers hear of it as of any change of the desktop's appearance.
void SetAppearance(bool dark);

// Brings the application's windows to the front.
void ActivateApplication();

// The program's own start, as the desktop that launched it expects: the launch is answered (its busy
// cursor ends now, not when a window first shows) and the program's windows come to the front.
void BringProcessToFront();

// Activation policy: 0 regular, 1 accessory. Under 1 every window of the program, open now or later,
// has no taskbar and no pager or switcher entry; 0 gives them back.
void SetActivationPolicy(int64_t policy);
int64_t ActivationPolicy();

struct OsVersion {
    int64_t major = 0, minor = 0, patch = 0;
};
OsVersion OperatingSystemVersion();

// The program's name as people know it ("" until set): the title of its alerts, where the desktop gives an
// alert a title bar.
void SetApplicationName(std::u16string name);
const std::u16string& ApplicationName();

class Image;
// The picture the desktop shows for the program's windows and alerts; a copy is taken. Null leaves it.
void SetApplicationIcon(const Image* icon);

// Directory of the running executable, without a trailing "/".
std::string BundlePath();

} // namespace nevalon::platform
