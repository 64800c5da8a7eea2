#pragma once

#include "platform/Application.h"

#include <cstdint>
#include <functional>
#include <string>

namespace nevalon::platform {

class Image;
class Timer;
class Window;

// The application and its event loop: the backend's share of Application.h and Timer.h, whose free
// functions forward here (their comments hold the details callers rely on). Everything runs on the main
// thread. A pure virtual is a duty; a body is what a backend that cannot do more may leave as it is.
class ApplicationDriver {
public:
    virtual ~ApplicationDriver() = default;

    // --- Start and end ---
    // Connects to the desktop; false with one line for the person in `error` when it cannot (no display).
    virtual bool StartApplication(int argc, char** argv, std::string& error) = 0;
    virtual bool ApplicationStarted() const = 0;
    // Closes every window the backend made and disconnects; a later StartApplication starts afresh.
    virtual void EndApplication() = 0;

    // --- The event loop ---
    // Queues `work` for the loop's first idle moment after start, one work a pass; End drops what is left.
    virtual void AfterStartUp(std::function<void()> work) = 0;
    virtual bool StartUpFinished() const = 0;
    // Dispatches until one event was handled or `timeoutMs` ran out (negative: no limit; 0: no wait).
    virtual bool ProcessPlatformEvents(int64_t timeoutMs) = 0;
    // Frees objects whose end was deferred until the dispatch that released them was over.
    virtual void FreeDeferredObjects() {}
    // Posts the toolkit's wake-up event; HasPendingPlatformEvents is true until it is dispatched.
    virtual void WakeUp() = 0;
    virtual bool HasPendingPlatformEvents() const = 0;
    // A started repeating timer (Timer.h), one reference owned by the caller; null for a period below 1.
    virtual Timer* CreateRepeatingTimer(int64_t periodMs, std::function<void()> fire) = 0;

    // --- What the program hears; the driver keeps each handler until it is replaced ---
    // Called instead of ending when the desktop, the session or a quit signal asks the program to quit.
    virtual void SetQuitRequestHandler(std::function<void()> handler) = 0;
    // Offered every key press in a window before the window sees it; true consumes it.
    virtual void SetKeyDownHandler(std::function<bool(Window&, const KeyEvent&)> handler) = 0;
    // Called after the appearance changed. A backend whose appearance never changes never calls it.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a sink a backend that acts keeps
    virtual void SetAppearanceChangeHandler(std::function<void()> /*handler*/) {}

    // --- Appearance and activation ---
    // Whether windows draw dark; a backend without a dark appearance is always light.
    virtual bool IsDarkAppearance() const { return false; }
    // Switches the appearance until the desktop's next change; ignored by a backend that is always light.
    virtual void SetAppearance(bool /*dark*/) {}
    // Brings the program's windows to the front.
    virtual void ActivateApplication() = 0;
    // Answers the desktop's launch feedback; nothing where the desktop gives none.
    virtual void BringProcessToFront() {}
    // 0 regular, 1 accessory (no taskbar, pager or switcher entry for any window, now or later).
    virtual void SetActivationPolicy(int64_t policy) = 0;
    virtual int64_t ActivationPolicy() const = 0;
    virtual OsVersion OperatingSystemVersion() const = 0;
    // The picture the desktop shows for the program's windows; the driver takes a copy. Nothing where the
    // desktop shows none.
    virtual void SetApplicationIcon(const Image* /*icon*/) {}
};

} // namespace nevalon::platform
