#pragma once

#include "runtime/gui/ApplicationMenu.h"
#include "runtime/gui/EventQueue.h"

#include <array>
#include <cstdint>

// Every fixed number the application gives the toolkit, one kind to a block. The toolkit tells objects of
// one kind apart by number alone, so two equal numbers of one kind would silently share an object: each
// block ends with a check that its numbers differ.
namespace nevalon::app {

namespace toolkit_numbers {
template <size_t N> constexpr bool AllDistinct(const std::array<int64_t, N>& values)
{
    for (size_t i = 0; i < N; ++i)
        for (size_t j = i + 1; j < N; ++j)
            if (values[i] == values[j]) return false;
    return true;
}
} // namespace toolkit_numbers

// Windows.
inline constexpr int64_t kHolderWindow = 0;
inline constexpr int64_t kListWindow = 1;
inline constexpr int64_t kEditorWindow = 2;
static_assert(toolkit_numbers::AllDistinct(std::array{kHolderWindow, kListWindow, kEditorWindow}));

// Gadgets, of the list window and the editor (one numbering for all windows).
inline constexpr int64_t kAddButton = 1;
inline constexpr int64_t kEmptyText = 2;
inline constexpr int64_t kTitleField = 3;
inline constexpr int64_t kDateField = 4;
inline constexpr int64_t kTimeField = 5;
inline constexpr int64_t kAmPmBox = 6;
inline constexpr int64_t kExportCheckBox = 7;
inline constexpr int64_t kSettingsGadget = 8;
inline constexpr int64_t kSaveButton = 9;
inline constexpr int64_t kCancelGadget = 10;
inline constexpr int64_t kRowsArea = 11;
inline constexpr int64_t kRecurrenceBox = 12;
inline constexpr int64_t kCategoryBox = 13;
static_assert(toolkit_numbers::AllDistinct(std::array{
    kAddButton, kEmptyText, kTitleField, kDateField, kTimeField, kAmPmBox, kExportCheckBox, kSettingsGadget,
    kSaveButton, kCancelGadget, kRowsArea, kRecurrenceBox, kCategoryBox}));

// Timers of the holder window.
inline constexpr int64_t kMinuteTimer = 1;
// Once, shortly after start: the list window's fonts are loaded then rather than at the first click.
inline constexpr int64_t kWarmUpTimer = 2;
// Runs while a snoozed reminder waits: it comes at the earliest one's time.
inline constexpr int64_t kSnoozeTimer = 3;
static_assert(toolkit_numbers::AllDistinct(std::array{kMinuteTimer, kWarmUpTimer, kSnoozeTimer}));

// Menus and status icons.
inline constexpr int64_t kSettingsMenu = 0;
inline constexpr int64_t kStatusIcon = 0;

// Menu items, as menu events report them: the settings menu's, the Escape shortcuts' and the toolkit's own
// quit request.
inline constexpr int64_t kNotificationsItem = 1;
inline constexpr int64_t kAboutItem = 2;
inline constexpr int64_t kSortItem = 3;
inline constexpr int64_t kDonationItem = 4;
inline constexpr int64_t kOtherAppsItem = 5;
inline constexpr int64_t kLoginItem = 6;
inline constexpr int64_t kQuitItem = 7;
inline constexpr int64_t kDesktopNotificationsItem = 8;
// Escape in the list window: it closes.
inline constexpr int64_t kEscapeItem = 1010;
// Escape in the editor: Cancel.
inline constexpr int64_t kEditorEscapeItem = 1011;
inline constexpr int64_t kQuitRequest = gui::MenuItemQuit;
static_assert(toolkit_numbers::AllDistinct(std::array{
    kNotificationsItem, kAboutItem, kSortItem, kDonationItem, kOtherAppsItem, kLoginItem, kQuitItem,
    kDesktopNotificationsItem, kEscapeItem, kEditorEscapeItem, kQuitRequest,
    int64_t{gui::MenuItemPreferences}, int64_t{gui::MenuItemAbout}}));

// Keys of shortcuts.
inline constexpr int64_t kEscapeKey = 27;

// Event codes of the application's own events, above the toolkit's.
inline constexpr int64_t kAppearanceChangedEvent = gui::EventFirstCustom + 500;
// Posted when the machine woke, or the clock or the time zone changed.
inline constexpr int64_t kClockChangedEvent = gui::EventFirstCustom + 501;
// Posted when a desktop notification of a reminder has ended (object: the reminder's number).
inline constexpr int64_t kNotificationEndedEvent = gui::EventFirstCustom + 502;
static_assert(toolkit_numbers::AllDistinct(std::array{kAppearanceChangedEvent, kClockChangedEvent,
                                                      kNotificationEndedEvent}));

} // namespace nevalon::app
