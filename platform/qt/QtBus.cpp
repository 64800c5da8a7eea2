#include "platform/qt/QtBus.h"

#include <QFileInfo>

namespace nevalon::platform {

QString SessionBusAddress()
{
    QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/bus";
    if (address.isEmpty() && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") &&
        QFileInfo(runtimeBus).exists())
        address = "unix:path=" + runtimeBus;
    return address;
}

} // namespace nevalon::platform
