#include "platform/testing/TestSeams.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QThread>
#include <atomic>

namespace nevalon::platform {
namespace {

const char* const kConnectionName = "appearance-portal-for-tests";
const char* const kPath = "/org/freedesktop/portal/desktop";
const char* const kInterface = "org.freedesktop.portal.Settings";

// Answers Read of the colour scheme as the desktop portal does: a variant inside a variant.
class SettingsPortal final : public QDBusVirtualObject {
public:
    std::atomic<uint32_t> scheme{0};

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != "Read" ||
            message.arguments() != QVariantList{"org.freedesktop.appearance", "color-scheme"})
            return false;
        QDBusVariant value(QVariant::fromValue(QDBusVariant(uint(scheme))));
        return connection.send(message.createReply(QVariant::fromValue(value)));
    }
    QString introspect(const QString&) const override { return {}; }
};

// The portal answers from a thread of its own: the program reads it while its own thread waits.
QThread* portalThread = nullptr;
SettingsPortal* portal = nullptr;

} // namespace

bool ServeColorSchemeForTests(ColorScheme scheme)
{
    auto colorScheme = static_cast<uint32_t>(scheme);
    if (portal) {
        portal->scheme = colorScheme;
        QDBusMessage changed = QDBusMessage::createSignal(kPath, kInterface, "SettingChanged");
        changed << QString("org.freedesktop.appearance") << QString("color-scheme")
                << QVariant::fromValue(QDBusVariant(colorScheme));
        return QDBusConnection(kConnectionName).send(changed);
    }
    QDBusConnection bus =
        QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), kConnectionName);
    if (!bus.isConnected() || !bus.registerService("org.freedesktop.portal.Desktop")) {
        QDBusConnection::disconnectFromBus(kConnectionName);
        return false;
    }
    portalThread = new QThread();
    portal = new SettingsPortal();
    portal->scheme = colorScheme;
    portal->moveToThread(portalThread);
    portalThread->start();
    bus.registerVirtualObject(kPath, portal);
    return true;
}

void StopColorSchemeServiceForTests()
{
    if (!portal) return;
    QDBusConnection::disconnectFromBus(kConnectionName);
    portalThread->quit();
    portalThread->wait();
    delete portal;
    delete portalThread;
    portal = nullptr;
    portalThread = nullptr;
}

} // namespace nevalon::platform
