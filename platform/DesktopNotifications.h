#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace nevalon::platform {

enum class NotificationUrgency : uint8_t { Low = 0, Normal = 1, Critical = 2 };

// A notification for the desktop's notification server (org.freedesktop.Notifications).
struct NotificationRequest {
    std::u16string applicationName;
    // The program's icon by its icon-theme name; where the theme has no such icon, the application's
    // picture (setApplicationIconImage) goes with the notification instead.
    std::u16string iconName;
    // The program's desktop entry, without ".desktop": the desktop files the notification under it.
    std::u16string desktopEntry;
    // Plain text: the body is escaped for servers that read markup in it.
    std::u16string summary, body;
    NotificationUrgency urgency = NotificationUrgency::Normal;
    // (key, label) pairs, shown only by servers that offer actions; the key "default" is what activating
    // the notification itself does, which some servers show as no button of its own.
    std::vector<std::pair<std::u16string, std::u16string>> actions;
    // A system sound (Sound.h) to go with it, heard once: asked of the server where it plays sounds (its
    // "sound" capability), else played by the program once the server has taken the notification. 0: none.
    int64_t sound = 0;
};

// How a notification ended.
enum class NotificationEnd {
    // It showed and went: the person closed it, it expired, or the server closed it.
    Closed,
    // The person chose one of its actions; the notification has been closed.
    ActionInvoked,
    // It may never have been seen: no notification server, an error, no answer in time, or the server left
    // the bus while the notification showed. Its sound has not been played.
    Failed,
};

using NotificationHandler = std::function<void(NotificationEnd end, const std::u16string& action)>;

// Hands the notification to the notification server on the session bus (a server that the bus starts on
// demand is waited for) and returns at once. The handler is called exactly once, always later and on the
// main thread: with the action's key for ActionInvoked, else with "". A server that answers only after
// `answerMs` has passed gets Failed and the notification is closed again at once. Takes no focus and
// raises no window.
void SendNotification(const NotificationRequest& request, int64_t answerMs, NotificationHandler handler);

} // namespace nevalon::platform
