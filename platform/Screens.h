#pragma once

#include "platform/Geometry.h"

#include <optional>
#include <vector>

namespace nevalon::platform {

// Frames of the connected screens; the first is the main screen (the one the others are
// measured from).
std::vector<Rect> Screens();

// Where the pointer is.
Point PointerPosition();

// Height of the band at the top of the main screen that windows should not cover.
double MenuBarHeight();

// Test seams: describe the screens and the pointer instead of asking the platform
// (std::nullopt restores the real ones).
void SetScreensForTests(std::optional<std::vector<Rect>> screens);
void SetPointerForTests(std::optional<Point> pointer);

} // namespace nevalon::platform
