#pragma once

#include <cstdint>

namespace nevalon::gui {

// The application menu's items, as menu events report them.
enum ApplicationMenuItem : int64_t {
    MenuItemPreferences = -2,
    MenuItemAbout = -3,
    MenuItemQuit = -4,
};

// The target of the application menu's Preferences, About and Quit items: each posts its menu event with
// the delegate's window (-1 until a menu names one). Linux desktops show no application menu; the
// desktop's own quit goes through PostQuitRequest.
class KxMenuDelegate {
public:
    void SetWindowID(int64_t window) { windowID_ = window; }
    int64_t WindowID() const { return windowID_; }

    void Preferences() const;
    void About() const;
    void Terminate() const;

private:
    int64_t windowID_ = -1;
};

// The application's one menu delegate.
KxMenuDelegate& MenuDelegate();

// Asks the application to quit as the desktop does: posts EventMenu with MenuItemQuit and window -1. The
// program never ends on its own; its main loop decides.
void PostQuitRequest();

} // namespace nevalon::gui
