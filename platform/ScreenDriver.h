#pragma once

#include "platform/Geometry.h"

#include <vector>

namespace nevalon::platform {

// The screens and the pointer: the backend's share of Screens.h, whose free functions forward here. All in
// points, top-left origin at the main screen's top-left corner; empty or zero without a running application.
class ScreenDriver {
public:
    virtual ~ScreenDriver() = default;

    // The connected screens' frames, the main screen first.
    virtual std::vector<Rect> Screens() const = 0;
    // One rectangle per screen, in the order of Screens(), each inside its screen: what panels leave free.
    virtual std::vector<Rect> WorkAreas() const = 0;
    virtual Point PointerPosition() const = 0;
    // The band at the top of the main screen that windows should not cover; none by default.
    virtual double MenuBarHeight() const { return 0; }
};

} // namespace nevalon::platform
