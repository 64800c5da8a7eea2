#pragma once

#include "platform/Geometry.h"
#include "platform/Window.h"

namespace nevalon::platform {

// Top-level windows: the backend's share of Window.h, whose free functions forward here. The window object
// itself (Window.h) states what each of its operations must do.
class WindowDriver {
public:
    virtual ~WindowDriver() = default;

    // A hidden window with a content area of this size; its one reference is the backend's own, dropped when
    // the window closes, so a caller that keeps the window past that retains it. Null when the desktop
    // refuses or no application runs.
    virtual Window* CreatePlatformWindow(const WindowStyle& style, Size contentSize) = 0;
    // The window that has the keyboard, not retained; null when none of the program's has it.
    virtual Window* KeyWindow() const = 0;
};

} // namespace nevalon::platform
