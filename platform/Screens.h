#pragma once

#include "platform/Geometry.h"

#include <vector>

namespace nevalon::platform {

// Frames of the connected screens; the first is the main screen (the one the others are
// measured from).
std::vector<Rect> Screens();

// The part of each screen, in the order of Screens(), that panels leave to windows.
std::vector<Rect> WorkAreas();

// Where the pointer is: asked of the display once while one event is handled, and the same answer given
// until the next.
Point PointerPosition();

// Height of the band at the top of the main screen that windows should not cover.
double MenuBarHeight();

} // namespace nevalon::platform
