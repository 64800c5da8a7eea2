#include "platform/qt/QtDesktopAppearance.h"

#include "platform/qt/QtBus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace nevalon::platform {
namespace {

const char* const kConnectionName = "nevalon-desktop-appearance";
const char* const kService = "org.freedesktop.portal.Desktop";
const char* const kPath = "/org/freedesktop/portal/desktop";
const char* const kInterface = "org.freedesktop.portal.Settings";
const char* const kGroup = "org.freedesktop.appearance";
const char* const kKey = "color-scheme";
// Dark for 1, light for 0 and 2; nothing for anything else. Older portals wrap the value in a second variant.
std::optional<bool> DarkOf(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    if (value.metaType() != QMetaType::fromType<uint>()) return std::nullopt;
    uint scheme = value.toUInt();
    if (scheme > 2) return std::nullopt;
    return scheme == 1;
}

std::optional<bool> DarkOfReply(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
    return DarkOf(reply.arguments().constFirst());
}

} // namespace

DesktopAppearance::DesktopAppearance(std::function<void(bool dark)> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)), bus_(QString())
{
    QString address = SessionBusAddress();
    if (address.isEmpty()) return;
    // A connection of our own, so that the address is the one in effect now and the connection ends with us.
    bus_ = QDBusConnection::connectToBus(address, kConnectionName);
    if (!bus_.isConnected()) return;
    // Subscribed before reading, so that no change falls between the two.
    bus_.connect(kService, kPath, kInterface, "SettingChanged", this, SLOT(SettingChanged(QDBusMessage)));
    QDBusMessage read = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Read");
    read << QString(kGroup) << QString(kKey);
    // Not waited for: a portal that must first be launched takes a while, and a running one answers at once.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(read), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (auto dark = DarkOfReply(call->reply())) changed_(*dark);
    });
}

DesktopAppearance::~DesktopAppearance()
{
    // Also a failed connection keeps its name until it is let go.
    QDBusConnection::disconnectFromBus(kConnectionName);
}

void DesktopAppearance::SettingChanged(const QDBusMessage& change)
{
    const QVariantList arguments = change.arguments();
    if (arguments.size() != 3 || arguments[0] != kGroup || arguments[1] != kKey) return;
    if (auto dark = DarkOf(arguments[2])) changed_(*dark);
}

} // namespace nevalon::platform
