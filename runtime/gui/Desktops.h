#pragma once

#include <cstdint>

namespace nevalon::gui {

// Counts the screens, remembers the count and returns it.
int64_t CountScreens();

// Geometry of screen n in whole points (top-left origin at the main screen); 0 for n outside
// the count taken by the last CountScreens.
int64_t ScreenLeft(int64_t n);
int64_t ScreenTop(int64_t n);
int64_t ScreenWidth(int64_t n);
int64_t ScreenHeight(int64_t n);

// The part of screen n that panels leave to windows, in the same points; 0 for n outside the count.
int64_t ScreenWorkLeft(int64_t n);
int64_t ScreenWorkTop(int64_t n);
int64_t ScreenWorkWidth(int64_t n);
int64_t ScreenWorkHeight(int64_t n);

// The pointer's position in the same coordinates.
int64_t MouseScreenX();
int64_t MouseScreenY();

} // namespace nevalon::gui
