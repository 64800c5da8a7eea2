#pragma once

#include "platform/Window.h"
#include "runtime/gui/KeyShortcut.h"
#include "runtime/gui/WindowTimer.h"

#include <memory>
#include <vector>

namespace nevalon::gui {

class KxWindowEvents;

// What the toolkit keeps for one window.
struct WindowRecord {
    platform::Window* window = nullptr;
    int64_t parent = 0; // platform handle of the parent window
    std::unique_ptr<KxWindowEvents> delegate;
    std::vector<WindowTimer> timers;
    std::vector<KxShortcut> shortcuts;
    bool disabled = false;
    int64_t previousKey = 0; // platform handle of the window that was key at creation
    platform::Size contentMinSize, contentMaxSize;

    WindowRecord();
    ~WindowRecord();
    WindowRecord(WindowRecord&&) noexcept;
    WindowRecord(const WindowRecord&) = delete;
    WindowRecord& operator=(const WindowRecord&) = delete;
    WindowRecord& operator=(WindowRecord&&) noexcept;
    bool IsLive() const { return window != nullptr; }
};

// The live window record for a window number, or null.
WindowRecord* FindWindowRecord(int64_t window);

// The toolkit number of a platform window: its delegate's answer, or -1.
int64_t WindowNumberOf(const platform::Window& window);

} // namespace nevalon::gui
