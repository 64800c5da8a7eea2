#include "platform/qt/QtDesktopNotifications.h"

#include "platform/DesktopNotifications.h"
#include "platform/Sound.h"
#include "platform/qt/QtBus.h"
#include "platform/qt/QtDrivers.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <vector>

namespace nevalon::platform {
namespace {

const char* const kConnectionName = "nevalon-notifications";
const char* const kService = "org.freedesktop.Notifications";
const char* const kPath = "/org/freedesktop/Notifications";
const char* const kInterface = "org.freedesktop.Notifications";
// The sound-theme event that PlaySystemSound plays for kReminderSound.
const char* const kReminderSoundName = "message";
constexpr int kIconSize = 64;

// Ends with the application object.
QPointer<NotificationClient> client;

QString FromU16(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

// The picture as the "image-data" hint carries it: width, height, row stride, alpha, bits per sample,
// channels, then the RGBA bytes.
QVariant ImageData(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument argument;
    argument.beginStructure();
    argument << image.width() << image.height() << int(image.bytesPerLine()) << true << 8 << 4
             << QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
    argument.endStructure();
    return QVariant::fromValue(argument);
}

} // namespace

NotificationClient::NotificationClient(QObject* parent) : QObject(parent), bus_(QString())
{
    const QString address = SessionBusAddress();
    if (address.isEmpty()) return;
    bus_ = QDBusConnection::connectToBus(address, kConnectionName);
    if (!bus_.isConnected()) return;
    // From any sender: each signal is matched to the server that showed its notification.
    bus_.connect(QString(), kPath, kInterface, "ActionInvoked", this, SLOT(ActionInvoked(QDBusMessage)));
    bus_.connect(QString(), kPath, kInterface, "NotificationClosed", this,
                 SLOT(NotificationClosed(QDBusMessage)));
    auto* watcher = new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString& oldOwner, const QString&) { ServerChanged(oldOwner); });
}

NotificationClient::~NotificationClient()
{
    QDBusConnection::disconnectFromBus(kConnectionName);
}

void NotificationClient::Send(const NotificationRequest& request, int64_t answerMs,
                              NotificationHandler handler)
{
    auto notice = std::make_shared<Notice>(Notice{request, std::move(handler)});
    if (!bus_.isConnected()) {
        Fail(notice);
        return;
    }
    notice->deadline = new QTimer(this);
    notice->deadline->setSingleShot(true);
    connect(notice->deadline, &QTimer::timeout, this, [this, notice] { Fail(notice); });
    notice->deadline->start(std::chrono::milliseconds(answerMs));
    // Asked each time: reminders are rare, and the server may have been replaced since the last one. The bus
    // starts a server that is installed but not running; the deadline bounds the wait.
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kInterface, "GetCapabilities");
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(ask), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, notice](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QStringList> reply = *call;
        if (notice->failed) return;
        if (reply.isError())
            Fail(notice);
        else
            Notify(notice, reply.value());
    });
}

void NotificationClient::Notify(const std::shared_ptr<Notice>& notice, const QStringList& can)
{
    const NotificationRequest& request = notice->request;
    QVariantMap hints;
    hints.insert("urgency", QVariant::fromValue(uchar(request.urgency)));
    if (!request.desktopEntry.empty()) hints.insert("desktop-entry", FromU16(request.desktopEntry));
    const QString icon = FromU16(request.iconName);
    if (!QIcon::hasThemeIcon(icon) && !QApplication::windowIcon().isNull())
        hints.insert("image-data", ImageData(QApplication::windowIcon().pixmap(kIconSize).toImage()));
    // One sound: the server's where it plays them, else ours, and the server told to add none of its own.
    const bool serverSound = request.sound == kReminderSound && can.contains("sound");
    if (serverSound)
        hints.insert("sound-name", QString(kReminderSoundName));
    else if (request.sound != 0)
        hints.insert("suppress-sound", true);
    QStringList actions;
    if (can.contains("actions"))
        for (const auto& [key, label] : request.actions)
            actions << FromU16(key) << FromU16(label);
    QString body = FromU16(request.body);
    if (can.contains("body-markup")) body = body.toHtmlEscaped();

    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
    notify << FromU16(request.applicationName) << 0u << icon << FromU16(request.summary) << body << actions
           << hints << -1;
    ++awaitingNotify_;
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(notify), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, notice, serverSound](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                --awaitingNotify_;
                // What came for it before this answer is handled once the notification is known.
                std::vector<QDBusMessage> early;
                const QDBusPendingReply<uint> reply = *call;
                if (!reply.isError()) {
                    const auto [first, last] = early_.equal_range(reply.value());
                    for (auto it = first; it != last; ++it)
                        early.push_back(it->second);
                    early_.erase(first, last);
                }
                if (awaitingNotify_ == 0) early_.clear();
                if (reply.isError()) {
                    Fail(notice);
                    return;
                }
                const uint id = reply.value();
                if (notice->failed) {
                    // Shown in a box already: taken off the screen again.
                    Close(id);
                    return;
                }
                delete notice->deadline;
                notice->deadline = nullptr;
                showing_[id] = Showing{reply.reply().service(), notice->handler};
                if (!serverSound && notice->request.sound != 0) PlaySystemSound(notice->request.sound);
                for (const QDBusMessage& signal : early) {
                    if (signal.member() == "ActionInvoked")
                        ActionInvoked(signal);
                    else
                        NotificationClosed(signal);
                }
            });
}

void NotificationClient::Fail(const std::shared_ptr<Notice>& notice)
{
    if (notice->failed) return;
    notice->failed = true;
    // Possibly from inside its own timeout signal.
    if (notice->deadline) notice->deadline->deleteLater();
    notice->deadline = nullptr;
    End(notice->handler, NotificationEnd::Failed);
}

void NotificationClient::Close(uint id)
{
    bus_.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, "CloseNotification") << id);
}

void NotificationClient::ServerChanged(const QString& oldOwner)
{
    // What the server that left showed may never have been seen.
    for (auto it = showing_.begin(); it != showing_.end();) {
        if (it->second.server != oldOwner) {
            ++it;
            continue;
        }
        End(it->second.handler, NotificationEnd::Failed);
        it = showing_.erase(it);
    }
}

std::optional<NotificationClient::Showing> NotificationClient::TakeShowing(const QDBusMessage& signal)
{
    const QVariantList arguments = signal.arguments();
    if (arguments.isEmpty()) return std::nullopt;
    const auto it = showing_.find(arguments[0].toUInt());
    if (it == showing_.end() || it->second.server != signal.service()) return std::nullopt;
    Showing showing = std::move(it->second);
    showing_.erase(it);
    return showing;
}

void NotificationClient::ActionInvoked(const QDBusMessage& signal)
{
    const uint id = signal.arguments().value(0).toUInt();
    std::optional<Showing> showing = TakeShowing(signal);
    if (!showing) return KeepEarly(signal);
    // Servers differ in whether an action closes its notification; it is closed here in every case.
    Close(id);
    End(showing->handler, NotificationEnd::ActionInvoked, signal.arguments().value(1).toString());
}

void NotificationClient::NotificationClosed(const QDBusMessage& signal)
{
    if (std::optional<Showing> showing = TakeShowing(signal))
        End(showing->handler, NotificationEnd::Closed);
    else
        KeepEarly(signal);
}

void NotificationClient::KeepEarly(const QDBusMessage& signal)
{
    if (awaitingNotify_ > 0 && !signal.arguments().isEmpty())
        early_.emplace(signal.arguments()[0].toUInt(), signal);
}

void NotificationClient::End(NotificationHandler handler, NotificationEnd end, const QString& action)
{
    QMetaObject::invokeMethod(
        this, [handler = std::move(handler), end, action] { handler(end, action.toStdU16String()); },
        Qt::QueuedConnection);
}

void QtDesktopDriver::SendNotification(const NotificationRequest& request, int64_t answerMs,
                                       NotificationHandler handler)
{
    if (!QApplication::instance()) return;
    if (!client) client = new NotificationClient(qApp);
    client->Send(request, answerMs, std::move(handler));
}

} // namespace nevalon::platform
