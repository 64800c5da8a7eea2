#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace nevalon::gui {

// The types of EventStatusIcon: a click on the icon, or its context menu's request to open.
enum StatusIconEventType : int64_t { StatusIconClick = 0, StatusIconOpenRequest = 1 };

// Puts an icon showing the image (platform image handle) in the desktop's tray, reporting to the window
// (platform window handle). A click on it posts EventStatusIcon with the icon's number, the number the
// window had at creation and type StatusIconClick. Its context menu, which some tray hosts show instead of
// delivering the click, asks to open (the same event with type StatusIconOpenRequest: "Open" and the
// product's name, see SetProductIdentity) or to quit ("Quit" and the name: PostQuitRequest). A live icon
// under the number is removed first. Returns the platform item's handle for a fixed number, the new
// number for -1; 0 when the window or the image is 0 or gone.
int64_t CreateStatusIcon(int64_t icon, int64_t windowHandle, int64_t imageHandle);

// Sets the text shown while the pointer rests on the icon (the product's name at creation).
void SetStatusIconToolTip(int64_t icon, const std::u16string& text);

// Removes the icon from the tray and frees its number (-1: every icon).
void RemoveStatusIcon(int64_t icon);

// The middle of the icon on the screen, in the pointer's coordinates; none where the tray does not tell.
std::optional<std::pair<int64_t, int64_t>> StatusIconCentre(int64_t icon);

// The icon's platform item handle, or 0.
int64_t StatusIconHandle(int64_t icon);

} // namespace nevalon::gui
