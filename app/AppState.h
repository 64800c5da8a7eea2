#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::app {

using system::String;

// Fixed toolkit numbers of the application.
inline constexpr int64_t kHolderWindow = 0;
inline constexpr int64_t kListWindow = 1;
inline constexpr int64_t kEditorWindow = 2;
inline constexpr int64_t kListWindowWidth = 460;
inline constexpr int64_t kEscapeKey = 27;
inline constexpr int64_t kEscapeItem = 1010;
inline constexpr int64_t kQuitRequest = -4;
inline constexpr int64_t kQuitItem = 7;
inline constexpr int64_t kAppearanceChangedEvent = 66036;
inline constexpr int64_t kCancelGadget = 10;
inline constexpr int64_t kMinuteTimer = 1;

// Application state held for the whole run.
struct AppState {
    int64_t ListWindowX = -1;
    uint8_t ExportToCalendar = 0;
    uint8_t EditingExisting = 0;
    int64_t AppearanceObserver = 0;
    int64_t SharedApp = 0;
    int64_t Defaults = 0;
    // The platform's key of the new value in a change dictionary.
    int64_t KeyValueChangeNewKey = 0;
};

AppState& State();

} // namespace nevalon::app
