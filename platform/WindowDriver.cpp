#include "platform/WindowDriver.h"

#include "platform/Backend.h"

namespace nevalon::platform {

Window* CreatePlatformWindow(const WindowStyle& style, Size contentSize)
{
    return LinkedBackend().windows.CreatePlatformWindow(style, contentSize);
}

Window* KeyWindow()
{
    return LinkedBackend().windows.KeyWindow();
}

} // namespace nevalon::platform
