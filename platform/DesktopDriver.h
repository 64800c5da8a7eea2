#pragma once

#include "platform/Alert.h"
#include "platform/DesktopNotifications.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nevalon::platform {

class Image;

// The desktop's services: alerts, notices and notifications, sounds, the settings store, the session bus,
// clock changes and the icon theme. The free functions of Alert.h, DesktopNotice.h, DesktopNotifications.h,
// Sound.h, Defaults.h, ApplicationService.h, ClockChanges.h and Image.h forward here.
class DesktopDriver {
public:
    virtual ~DesktopDriver() = default;

    // --- Alerts and notices ---
    // Runs a modal alert: the index of the pressed button, or kAlertDismissed.
    virtual int RunAlert(const AlertRequest& request) = 0;
    // The person's languages, most preferred first.
    virtual std::vector<std::string> PreferredLanguages() const = 0;
    // Shows a passing notice and returns at once.
    virtual void ShowDesktopNotice(const std::u16string& summary, const std::u16string& body) = 0;
    // The program the notices name as their sender, from the next notice on (the driver copies both).
    virtual void SetDesktopNoticeSender(const std::u16string& name, const std::u16string& iconName) = 0;
    // Hands the notification over and returns at once; `handler` (never empty) is called exactly once, later,
    // on the main thread.
    virtual void SendNotification(const NotificationRequest& request, int64_t answerMs,
                                  NotificationHandler handler) = 0;
    // Starts a system sound (Sound.h) and returns at once; a backend that cannot play sounds plays nothing.
    virtual void PlaySystemSound(int64_t /*sound*/) {}

    // --- The settings store (one file per user) ---
    // Names the store's file in the user's configuration folder, from its next use on.
    virtual void SetDefaultsFileName(const std::u16string& name) = 0;
    virtual int64_t DefaultsInteger(const std::u16string& key) const = 0;
    virtual void SetDefaultsInteger(const std::u16string& key, int64_t value) = 0;
    virtual std::optional<std::u16string> DefaultsString(const std::u16string& key) const = 0;
    // Writes pending changes; false when that failed.
    virtual bool SynchronizeDefaults() = 0;
    virtual std::string DefaultsFilePath() const = 0;

    // --- The session ---
    // Asks the program holding `busName` to come forward; false where there is no session bus.
    virtual bool ActivateRunningApplication(const std::string& /*busName*/, const std::string& /*objectPath*/,
                                            int /*waitMs*/)
    {
        return false;
    }
    // Takes `busName` and answers Activate with `activate`; false where there is no session bus. The driver
    // keeps `activate` for the whole run.
    // NOLINTBEGIN(performance-unnecessary-value-param): a sink a backend that acts keeps
    virtual bool ExportApplicationService(const std::string& /*busName*/, const std::string& /*objectPath*/,
                                          std::function<void()> /*activate*/)
    {
        return false;
    }
    // NOLINTEND(performance-unnecessary-value-param)
    // Calls `changed` after a wake from sleep, a clock change or a time-zone change; a second call replaces
    // it. A backend that hears of none never calls it.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a sink a backend that acts keeps
    virtual void SetClockChangeHandler(std::function<void()> /*changed*/) {}

    // --- Pictures ---
    // The named system symbol in the current text colour, one reference owned by the caller; null for a
    // name the backend has no picture for.
    virtual Image* CreateSystemSymbolImage(std::string_view name) = 0;
    // The icon theme's icon of this name, one reference owned by the caller; null where there is none.
    virtual Image* CreateNamedImage(std::string_view /*name*/) { return nullptr; }
};

} // namespace nevalon::platform
