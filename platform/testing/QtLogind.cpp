#include "platform/testing/TestSeams.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace nevalon::platform {
namespace {

const char* const kConnectionName = "logind-for-tests";

} // namespace

bool ServeLogindForTests()
{
    QDBusConnection bus =
        QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS"), kConnectionName);
    return bus.isConnected() && bus.registerService("org.freedesktop.login1");
}

bool AnnouncePrepareForSleepForTests(bool starting)
{
    QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/login1",
                                                     "org.freedesktop.login1.Manager", "PrepareForSleep");
    signal << starting;
    return QDBusConnection(kConnectionName).send(signal);
}

} // namespace nevalon::platform
