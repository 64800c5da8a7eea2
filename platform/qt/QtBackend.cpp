#include "platform/Backend.h"
#include "platform/qt/QtDrivers.h"

namespace nevalon::platform {

const Backend& LinkedBackend()
{
    // Never destroyed: objects that outlive main (Qt's among them) may still reach their drivers.
    static const Backend* backend =
        new Backend{*new QtApplicationDriver, *new QtWindowDriver,  *new QtControlDriver, *new QtScreenDriver,
                    *new QtStatusItemDriver,  *new QtDesktopDriver, *new QtTextDriver};
    return *backend;
}

} // namespace nevalon::platform
