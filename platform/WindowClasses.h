#pragma once

#include "platform/Object.h"

namespace nevalon::platform {

class Window;

// The content view of a window as the message bridge sees it ("contentView").
class ContentView : public Object {
public:
    explicit ContentView(Window* window);
    Window* OwnerWindow() const { return window_; }
    // The window is going away; messages to the view do nothing from now on.
    void Detach() { window_ = nullptr; }

private:
    Window* window_;
};

// Registers "NSWindow"/"KxWindow" and "NSView"/"KxFlippedWindowView" with their selectors.
void RegisterWindowClasses();

} // namespace nevalon::platform
