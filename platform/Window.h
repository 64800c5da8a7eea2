#pragma once

#include "platform/Geometry.h"
#include "platform/Object.h"

#include <memory>
#include <string>

namespace nevalon::platform {

class Window;

// Receives a window's notifications. Every call happens on the main thread, inside the
// platform's event dispatch.
class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;
    // A close request by the user; answering false keeps the window open.
    virtual bool ShouldClose(Window&) { return true; }
    // The window is closing (by the user or by Close()); the last notification it sends.
    virtual void WillClose(Window&) {}
    virtual void DidResize(Window&) {}
    virtual void DidMove(Window&) {}
    virtual void DidBecomeKey(Window&) {}
    virtual void DidResignKey(Window&) {}
    virtual void DidMiniaturize(Window&) {}
    virtual void DidDeminiaturize(Window&) {}
    virtual void DidEnterFullScreen(Window&) {}
    virtual void DidExitFullScreen(Window&) {}
    // A zoom (maximize or restore) is about to give the window this frame.
    virtual void ShouldZoom(Window&, const Rect& /*proposedFrame*/) {}
    virtual void DidDraw(Window&) {}
    virtual void MouseUp(Window&, int /*clickCount*/) {}
    virtual void RightMouseUp(Window&, int /*clickCount*/) {}
    // The window's number for the toolkit, or -1.
    virtual int64_t WindowID() const { return -1; }
};

struct WindowStyle {
    bool titled = true;
    bool closable = true;
    bool resizable = false;
    bool miniaturizable = false;
};

enum class WindowLevel { Normal = 0, Floating = 3 };

// A top-level window with a content view. Geometry is in points, top-left origin.
class Window : public Object {
public:
    using Object::Object;

    virtual void SetDelegate(WindowDelegate* delegate) = 0;
    virtual WindowDelegate* Delegate() const = 0;

    virtual void SetTitle(const std::u16string& title) = 0;

    // The outer rectangle, with the frame the desktop draws around the content.
    virtual Rect Frame() const = 0;
    virtual Size ContentSize() const = 0;
    virtual void SetFrameTopLeft(Point topLeft) = 0;
    virtual void SetContentSize(Size size) = 0;
    virtual Size ContentMinSize() const = 0;
    virtual Size ContentMaxSize() const = 0;
    virtual bool IsResizable() const = 0;

    virtual void SetLevel(WindowLevel level) = 0;
    virtual WindowLevel Level() const = 0;
    // Holds the parent (a reference) and keeps this window above it, in its stacking layer, as the
    // desktop keeps a dialog above the window it belongs to. Null drops the parent; the window stays a
    // dialog until it closes.
    virtual void SetParent(Window* parent) = 0;
    virtual Window* Parent() const = 0;

    // Shows the window above the others; `makeKey` also gives it the keyboard.
    virtual void OrderFront(bool makeKey) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsKey() const = 0;
    virtual void SetCanBecomeKey(bool can) = 0;

    virtual void Zoom() = 0;
    virtual bool IsZoomed() const = 0;
    virtual void Miniaturize() = 0;
    virtual bool IsMiniaturized() const = 0;

    // false: the user cannot move the window (title bar or the desktop's move gesture); the program can.
    virtual void SetMovable(bool movable) = 0;
    // true: no title bar or frame from the desktop (the title stays its name), a thin border of its own.
    // A window with a parent keeps the desktop's title bar: a dialog's title and close box say what it is
    // and how to leave it.
    virtual void SetTitlebarTransparent(bool transparent) = 0;
    // Schedules a redraw of the content; Display() redraws now.
    virtual void SetNeedsDisplay() = 0;
    virtual void Display() = 0;
    // The content view as an object of its own, for messages sent to it.
    virtual Object* ContentViewObject() = 0;

    // Closes the window: the delegate hears WillClose, the window disappears, and the
    // platform drops its own reference.
    virtual void Close() = 0;
    virtual bool IsClosed() const = 0;
};

// Creates a hidden window with a content area of this size; its one reference is the platform's own, dropped
// at Close, so a caller that keeps the window past its close retains it. Null when the platform refuses.
Window* CreatePlatformWindow(const WindowStyle& style, Size contentSize);

// The window that has the keyboard, or null.
Window* KeyWindow();

} // namespace nevalon::platform
