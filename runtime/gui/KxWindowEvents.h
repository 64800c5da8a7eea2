#pragma once

#include "platform/Window.h"

namespace nevalon::gui {

// A window's delegate: turns the platform's notifications into toolkit events.
class KxWindowEvents : public platform::WindowDelegate {
public:
    KxWindowEvents(platform::Window* window, int64_t windowID);

    int64_t WindowID() const override { return windowID_; }
    int32_t PendingZoomEvent() const { return zoomEvent_; }
    // Drops a maximize or restore waiting for the next resize.
    void ForgetZoomEvent() { zoomEvent_ = 0; }

    bool ShouldClose(platform::Window&) override;
    void WillClose(platform::Window&) override;
    void DidResize(platform::Window&) override;
    void DidMove(platform::Window&) override;
    void DidBecomeKey(platform::Window&) override;
    void DidResignKey(platform::Window&) override;
    void DidMiniaturize(platform::Window&) override;
    void DidDeminiaturize(platform::Window&) override;
    void DidEnterFullScreen(platform::Window&) override;
    void DidExitFullScreen(platform::Window&) override;
    void ShouldZoom(platform::Window&, const platform::Rect& proposedFrame) override;
    void DidDraw(platform::Window&) override;
    void MouseUp(platform::Window&, int clickCount) override;
    void RightMouseUp(platform::Window&, int clickCount) override;

private:
    void HandleResize();
    void Post(int32_t code);

    platform::Window* windowInstance_;
    int64_t windowID_;
    int32_t zoomEvent_ = 0;
};

} // namespace nevalon::gui
