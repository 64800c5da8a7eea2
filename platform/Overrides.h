#pragma once

#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/DesktopNotifications.h"
#include "platform/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nevalon::platform {

// What a test puts in place of the desktop and the person in front of it. Nothing in the shipped
// program writes these; only the test seams (platform/testing) do, so every field is empty there. The free
// functions read them before they ask the backend's drivers, so no backend knows of them.
struct DesktopOverrides {
    std::function<int(const AlertRequest&)> alertResponder;
    std::optional<std::vector<std::string>> preferredLanguages;
    std::optional<OsVersion> osVersion;
    std::optional<std::vector<Rect>> screens;
    // With screens: the parts panels leave free (the screens whole when empty).
    std::optional<std::vector<Rect>> workAreas;
    std::optional<Point> pointer;
    std::function<void(int64_t sound)> systemSoundPlayer;
    // Takes every notification in place of the desktop's notification server.
    std::function<void(const NotificationRequest&, NotificationHandler)> notificationServer;
    // Told once for each window, with its title, when its first frame has gone to the display.
    std::function<void(const std::u16string& title)> firstFrameShown;
};

DesktopOverrides& Overrides();

} // namespace nevalon::platform
