#include "platform/DisplayServer.h"

namespace nevalon::platform {

bool PreferXWayland(const char* qtPlatform, const char* waylandDisplay, const char* x11Display)
{
    auto named = [](const char* value) { return value && *value; };
    return !named(qtPlatform) && named(waylandDisplay) && named(x11Display);
}

} // namespace nevalon::platform
