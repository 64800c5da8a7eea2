#include "platform/ApplicationService.h"
#include "platform/qt/QtBus.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtWindowManagerHints.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <memory>

namespace nevalon::platform {
namespace {

const char* const kServiceConnection = "nevalon-application-service";
const char* const kCallerConnection = "nevalon-application-caller";
const char* const kInterface = "org.freedesktop.Application";
constexpr int kCallTimeoutMs = 5000;
constexpr int kRetryMs = 100;

const char* const kIntrospection = R"(<interface name="org.freedesktop.Application">
  <method name="Activate"><arg type="a{sv}" name="platform_data" direction="in"/></method>
  <method name="Open"><arg type="as" name="uris" direction="in"/><arg type="a{sv}" name="platform_data" direction="in"/></method>
  <method name="ActivateAction"><arg type="s" name="action_name" direction="in"/><arg type="av" name="parameter" direction="in"/><arg type="a{sv}" name="platform_data" direction="in"/></method>
</interface>
)";

class ApplicationService final : public QDBusVirtualObject {
public:
    ApplicationService(std::function<void()> activate, QObject* parent)
        : QDBusVirtualObject(parent), activate_(std::move(activate))
    {
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage ||
            (!message.interface().isEmpty() && message.interface() != kInterface))
            return false;
        const QString member = message.member();
        if (member != "Activate" && member != "Open" && member != "ActivateAction") return false;
        // Answered first: the caller is a second start waiting to exit.
        connection.send(message.createReply());
        if (member != "Activate") return true;
        // The launcher waits for the second start's launch to be answered; it is answered here instead.
        const QVariantMap data = qdbus_cast<QVariantMap>(message.arguments().value(0));
        AnswerLaunch(data.value("desktop-startup-id").toString().toStdString());
        if (activate_) activate_();
        return true;
    }
    QString introspect(const QString&) const override { return kIntrospection; }

private:
    std::function<void()> activate_;
};

// Ends with the application object.
QPointer<ApplicationService> service;

} // namespace

bool QtDesktopDriver::ActivateRunningApplication(const std::string& busName, const std::string& objectPath,
                                                 int waitMs)
{
    // Blocking calls on a connection of our own need an application object, but no display.
    std::unique_ptr<QCoreApplication> core;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "nevalon";
        static char* argv[] = {name, nullptr};
        core = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QString address = SessionBusAddress();
    if (address.isEmpty()) return false;
    bool activated = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, kCallerConnection);
        QDBusMessage call = QDBusMessage::createMethodCall(
            QString::fromStdString(busName), QString::fromStdString(objectPath), kInterface, "Activate");
        QVariantMap data;
        if (!qEnvironmentVariableIsEmpty("DESKTOP_STARTUP_ID"))
            data.insert("desktop-startup-id", qEnvironmentVariable("DESKTOP_STARTUP_ID"));
        call << data;
        call.setAutoStartService(false);
        QDeadlineTimer deadline(waitMs);
        while (bus.isConnected()) {
            QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
            activated = reply.type() == QDBusMessage::ReplyMessage;
            // Without auto-start the bus answers NameHasNoOwner for a name nobody holds.
            const bool nobody = reply.errorName() == "org.freedesktop.DBus.Error.NameHasNoOwner" ||
                                QDBusError(reply).type() == QDBusError::ServiceUnknown;
            if (activated || !nobody || deadline.hasExpired()) break;
            QThread::msleep(kRetryMs);
        }
    }
    QDBusConnection::disconnectFromBus(kCallerConnection);
    return activated;
}

bool QtDesktopDriver::ExportApplicationService(const std::string& busName, const std::string& objectPath,
                                               std::function<void()> activate)
{
    const QString address = SessionBusAddress();
    if (address.isEmpty() || service || !QCoreApplication::instance()) return false;
    QDBusConnection bus = QDBusConnection::connectToBus(address, kServiceConnection);
    service = new ApplicationService(std::move(activate), QCoreApplication::instance());
    // The object is there before the name, so that no call finds the name without it.
    if (bus.isConnected() && bus.registerVirtualObject(QString::fromStdString(objectPath), service.get()) &&
        bus.registerService(QString::fromStdString(busName)))
        return true;
    QDBusConnection::disconnectFromBus(kServiceConnection);
    delete service;
    return false;
}

} // namespace nevalon::platform
