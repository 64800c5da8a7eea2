#include "platform/ScreenDriver.h"

#include "platform/Backend.h"
#include "platform/Overrides.h"
#include "platform/Screens.h"

namespace nevalon::platform {

std::vector<Rect> Screens()
{
    if (Overrides().screens) return *Overrides().screens;
    return LinkedBackend().screens.Screens();
}

std::vector<Rect> WorkAreas()
{
    if (Overrides().screens) return Overrides().workAreas.value_or(*Overrides().screens);
    return LinkedBackend().screens.WorkAreas();
}

Point PointerPosition()
{
    if (Overrides().pointer) return *Overrides().pointer;
    return LinkedBackend().screens.PointerPosition();
}

double MenuBarHeight()
{
    return LinkedBackend().screens.MenuBarHeight();
}

} // namespace nevalon::platform
