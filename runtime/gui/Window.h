#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

// CreateWindow flags.
enum WindowFlags : int64_t {
    WindowInvisible = 1,
    WindowResizable = 2,
    WindowCloseBox = 4,
    WindowResizableCloseBox = 16,
    WindowMiniaturizableCloseBox = 32,
    WindowCentred = 64,
    WindowBorderless = 128,
    WindowCentredOnParent = 256,
    WindowZoomed = 512,
    WindowMiniaturized = 1024,
    WindowNoGadgets = 4096,
    WindowNoActivate = 8192,
};

// A position or size of -65535 keeps the current value (for a new window: the toolkit places it).
constexpr int64_t KeepValue = -65535;

// Opens a window with its top-left corner at (x, y) and a content area of width x height.
// Returns the platform window handle for a fixed number (0 on failure), the new number for -1.
int64_t CreateWindow(int64_t window, int64_t x, int64_t y, int64_t width, int64_t height,
                     const std::u16string& title, int64_t flags = WindowCloseBox, int64_t parentHandle = 0);

// Closes the window (-1: every window) and re-activates the window that was key before it.
void DestroyWindow(int64_t window);

// Non-zero when the number names an open window.
int64_t WindowExists(int64_t window);

// The platform window handle, or 0.
int64_t WindowHandle(int64_t window);

// Sets the title the window's frame, the taskbar and screen readers show; a number naming no open window is
// left alone.
void SetWindowCaption(int64_t window, const std::u16string& text);

// Brings a visible window to the front and gives it the keyboard; an invisible one is left alone.
void ActivateWindow(int64_t window);

// Shows a window made with WindowInvisible, in front and with the keyboard; one that shows is left alone.
void ShowWindow(int64_t window);

// The frame's left edge, truncated toward zero; 0 for no window.
int64_t WindowLeft(int64_t window);

// The content area's height, truncated toward zero; 0 for no window.
int64_t WindowInnerHeight(int64_t window);

// Moves the frame's top-left corner and sizes the content; KeepValue keeps a value.
void SetWindowBounds(int64_t window, int64_t x, int64_t y, int64_t width, int64_t height);

// Non-zero puts the window on the floating level, zero back on the normal one.
void SetWindowFloating(int64_t window, int64_t state);

// A disabled window cannot become key; its menus' choices are dropped.
void SetWindowDisabled(int64_t window, bool disabled);

} // namespace nevalon::gui
