#include "runtime/gui/KxWindowEvents.h"

#include "runtime/gui/EventQueue.h"
#include "runtime/gui/WindowTable.h"

namespace nevalon::gui {

KxWindowEvents::KxWindowEvents(platform::Window* window, int64_t windowID)
    : windowInstance_(window), windowID_(windowID)
{
}

void KxWindowEvents::Post(int32_t code)
{
    PostEvent(code, windowID_, windowID_, 0);
}

bool KxWindowEvents::ShouldClose(platform::Window&)
{
    // The close box only asks; the application decides whether the window goes.
    Post(EventCloseWindow);
    return false;
}

void KxWindowEvents::WillClose(platform::Window&)
{
    TearDownWindow(windowID_);
}

void KxWindowEvents::HandleResize()
{
    if (zoomEvent_) Post(zoomEvent_);
    int64_t id = windowID_;
    DeleteQueuedEvents(
        [id](int32_t code, int64_t window) { return code == EventSizeWindow && window == id; });
    Post(EventSizeWindow);
    windowInstance_->SetNeedsDisplay();
    zoomEvent_ = 0;
}

void KxWindowEvents::DidResize(platform::Window&)
{
    HandleResize();
}

void KxWindowEvents::DidEnterFullScreen(platform::Window&)
{
    HandleResize();
    Post(EventMaximizeWindow);
}

void KxWindowEvents::DidExitFullScreen(platform::Window&)
{
    HandleResize();
    Post(EventRestoreWindow);
}

void KxWindowEvents::DidMove(platform::Window&)
{
    Post(EventMoveWindow);
}

void KxWindowEvents::DidBecomeKey(platform::Window&)
{
    Post(EventActivateWindow);
}

void KxWindowEvents::DidResignKey(platform::Window&)
{
    Post(EventDeactivateWindow);
}

void KxWindowEvents::DidMiniaturize(platform::Window&)
{
    Post(EventMinimizeWindow);
}

void KxWindowEvents::DidDeminiaturize(platform::Window& window)
{
    Post(window.IsResizable() && window.IsZoomed() ? EventMaximizeWindow : EventRestoreWindow);
}

void KxWindowEvents::ShouldZoom(platform::Window& window, const platform::Rect& proposed)
{
    platform::Rect frame = window.Frame();
    if (proposed.width > frame.width || proposed.height > frame.height)
        zoomEvent_ = EventMaximizeWindow;
    else
        zoomEvent_ = EventRestoreWindow;
}

void KxWindowEvents::DidDraw(platform::Window&)
{
    Post(EventRepaint);
}

void KxWindowEvents::MouseUp(platform::Window&, int clickCount)
{
    if (clickCount == 1) Post(EventLeftClick);
    if (clickCount == 2) Post(EventLeftDoubleClick);
}

void KxWindowEvents::RightMouseUp(platform::Window&, int clickCount)
{
    if (clickCount == 1) Post(EventRightClick);
}

} // namespace nevalon::gui
