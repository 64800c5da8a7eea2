#pragma once

namespace nevalon::platform {

// Points in one top-left-origin system: y grows downward from the top of the main screen.
struct Point {
    double x = 0, y = 0;
};

struct Size {
    double width = 0, height = 0;
};

struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

} // namespace nevalon::platform
