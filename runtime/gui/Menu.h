#pragma once

#include "runtime/gui/Window.h"

#include <cstdint>
#include <string>

namespace nevalon::gui {

// Creates an empty pop-up menu under the number (-1: a new one; a live one is freed first) and makes
// it the menu that AppendMenuItem and AppendMenuSeparator build. Returns the platform menu handle for a
// fixed number, the new number for -1; 0 on failure.
int64_t NewPopupMenu(int64_t menu);

// Appends an item to the menu being built: "&"s are dropped, and a part after a tab names its key
// equivalent ("Quit\tCmd+Q": the words Cmd, Shift, Alt, Ctrl and the key, any case, joined by "+"; Cmd
// is the platform's Command key, Ctrl on Linux). Choosing it posts EventMenu with the item. Returns the
// platform item handle, or 0 without a menu being built. Items -4, -3 and -2, the application menu's Quit,
// About and Preferences, add nothing: Linux desktops show no application menu. Pop-up menus show no images.
int64_t AppendMenuItem(int64_t item, const std::u16string& text, int64_t image = 0);

// Appends a separator to the menu being built.
void AppendMenuSeparator();

// Shows a check mark at the menu's first item numbered `item` when state is non-zero, none when 0.
// A missing menu or item is left alone.
void SetMenuItemCheck(int64_t menu, int64_t item, int64_t state);

// Shows a pop-up menu over the window (platform window handle) at the pointer, or at (x, y) when both are
// not KeepValue; returns when the menu has closed, a chosen item having posted its event by then.
// The choice posts EventMenu with the item and the window's number (0 without a window); it is dropped
// when the window is disabled. Window timers hold their ticks while the menu is open.
void ShowPopupMenu(int64_t menu, int64_t windowHandle, int64_t x = KeepValue, int64_t y = KeepValue);

// Non-zero when the number names a menu.
int64_t MenuExists(int64_t menu);

// Frees the menu (-1: every menu). A closing window frees the menu last shown over it.
void DestroyMenu(int64_t menu);

// Frees the menus last shown over this platform window (DestroyWindow's part).
void DestroyMenusShownOver(int64_t windowHandle);

} // namespace nevalon::gui
