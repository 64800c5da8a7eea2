#pragma once

#include "app/EventRecord.h"
#include "runtime/system/containers/List.h"
#include "runtime/system/strings/String.h"

#include <cstdint>
#include <optional>

namespace nevalon::app {

using system::String;

// Fixed toolkit numbers of the application.
inline constexpr int64_t kHolderWindow = 0;
inline constexpr int64_t kListWindow = 1;
inline constexpr int64_t kEditorWindow = 2;
inline constexpr int64_t kListWindowWidth = 460;
inline constexpr int64_t kEscapeKey = 27;
inline constexpr int64_t kEscapeItem = 1010;
// Escape in the editor: Cancel.
inline constexpr int64_t kEditorEscapeItem = 1011;
inline constexpr int64_t kQuitRequest = -4;
inline constexpr int64_t kSettingsMenu = 0;
inline constexpr int64_t kNotificationsItem = 1;
inline constexpr int64_t kAboutItem = 2;
inline constexpr int64_t kSortItem = 3;
inline constexpr int64_t kDonationItem = 4;
inline constexpr int64_t kOtherAppsItem = 5;
inline constexpr int64_t kLoginItem = 6;
inline constexpr int64_t kQuitItem = 7;
inline constexpr int64_t kStatusIcon = 0;
inline constexpr int64_t kSettingsGadget = 8;
inline constexpr int64_t kAppearanceChangedEvent = 66036;
// Posted when the machine woke, or the clock or the time zone changed.
inline constexpr int64_t kClockChangedEvent = 66037;
inline constexpr int64_t kExportCheckBox = 7;
inline constexpr int64_t kCancelGadget = 10;
inline constexpr int64_t kMinuteTimer = 1;
inline constexpr int64_t kMinutePeriod = 60000;
// Once, this long after start: the list window's fonts are loaded then rather than at the first click.
inline constexpr int64_t kWarmUpTimer = 2;
inline constexpr int64_t kWarmUpDelay = 500;

// The icon of the program in the desktop's icon theme, as its desktop entry names it.
inline constexpr const char16_t* kApplicationIconName = u"nevalon";

// The top and bottom edges of the part of a screen that panels leave to windows.
struct WorkSpan {
    int64_t top = 0;
    int64_t bottom = 0;
    bool operator==(const WorkSpan&) const = default;
};

// Application state held for the whole run.
struct AppState {
    EventList Events;
    std::array<String, 7> Categories;
    system::List<int64_t> RowImages;
    String EventsFilePath;
    int64_t ListWindowX = -1;
    // Set by a status click in the lower half of a screen, where the panel sits at the bottom: the list
    // window then rests on that panel instead of hanging under the menu bar.
    std::optional<WorkSpan> ListWindowAbovePanel;
    uint8_t StartAtLogin = 0;
    uint8_t SortByCategory = 0;
    uint8_t NotificationsOff = 0;
    uint8_t ExportToCalendar = 0;
    uint8_t EditingExisting = 0;
    // The record the editor changes; meaningful only while EditingExisting is 1.
    EventRecord* EditedRecord = nullptr;
    int64_t AppearanceObserver = 0;
    int64_t SharedApp = 0;
    int64_t Defaults = 0;
    // The platform's key of the new value in a change dictionary.
    int64_t KeyValueChangeNewKey = 0;
};

AppState& State();

} // namespace nevalon::app
