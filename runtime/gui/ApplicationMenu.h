#pragma once

#include <cstdint>

namespace nevalon::gui {

// The application menu's items, as menu events report them. Linux desktops show no application menu; the
// desktop's own quit goes through PostQuitRequest.
enum ApplicationMenuItem : int64_t {
    MenuItemPreferences = -2,
    MenuItemAbout = -3,
    MenuItemQuit = -4,
};

// Asks the application to quit as the desktop does: posts EventMenu with MenuItemQuit and window -1. The
// program never ends on its own; its main loop decides.
void PostQuitRequest();

} // namespace nevalon::gui
