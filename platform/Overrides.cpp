#include "platform/Overrides.h"

namespace nevalon::platform {

DesktopOverrides& Overrides()
{
    static DesktopOverrides overrides;
    return overrides;
}

} // namespace nevalon::platform
