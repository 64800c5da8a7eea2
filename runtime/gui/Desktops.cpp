#include "runtime/gui/Desktops.h"

#include "platform/Screens.h"

#include <cstddef>
#include <vector>

namespace nevalon::gui {
namespace {

int32_t desktopCount = 0;

int64_t ScreenValue(int64_t n, double platform::Rect::*field,
                    std::vector<platform::Rect> (*rects)() = platform::Screens)
{
    if (n < 0 || n >= desktopCount) return 0;
    std::vector<platform::Rect> screens = rects();
    if (n >= static_cast<int64_t>(screens.size())) return 0;
    return static_cast<int64_t>(screens[static_cast<size_t>(n)].*field);
}

} // namespace

int64_t CountScreens()
{
    desktopCount = static_cast<int32_t>(platform::Screens().size());
    return desktopCount;
}

int64_t ScreenLeft(int64_t n)
{
    return ScreenValue(n, &platform::Rect::x);
}
int64_t ScreenTop(int64_t n)
{
    return ScreenValue(n, &platform::Rect::y);
}
int64_t ScreenWidth(int64_t n)
{
    return ScreenValue(n, &platform::Rect::width);
}
int64_t ScreenHeight(int64_t n)
{
    return ScreenValue(n, &platform::Rect::height);
}

int64_t ScreenWorkLeft(int64_t n)
{
    return ScreenValue(n, &platform::Rect::x, platform::WorkAreas);
}
int64_t ScreenWorkWidth(int64_t n)
{
    return ScreenValue(n, &platform::Rect::width, platform::WorkAreas);
}
int64_t ScreenWorkTop(int64_t n)
{
    return ScreenValue(n, &platform::Rect::y, platform::WorkAreas);
}
int64_t ScreenWorkHeight(int64_t n)
{
    return ScreenValue(n, &platform::Rect::height, platform::WorkAreas);
}

int64_t MouseScreenX()
{
    return static_cast<int64_t>(platform::PointerPosition().x);
}
int64_t MouseScreenY()
{
    return static_cast<int64_t>(platform::PointerPosition().y);
}

} // namespace nevalon::gui
