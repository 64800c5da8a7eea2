#pragma once

#include "platform/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

class QTimer;

namespace nevalon::platform {

// The program's side of org.freedesktop.Notifications on a session-bus connection of its own, made at the
// first notification: asks the server what it can do, sends, and follows each notification until it ends.
class NotificationClient final : public QObject {
    Q_OBJECT

public:
    explicit NotificationClient(QObject* parent);
    ~NotificationClient() override;
    NotificationClient(const NotificationClient&) = delete;
    NotificationClient& operator=(const NotificationClient&) = delete;

    void Send(const NotificationRequest& request, int64_t answerMs, NotificationHandler handler);

private slots:
    // Slots of the message itself, so that the sender can be checked against the server that showed it.
    void ActionInvoked(const QDBusMessage& signal);
    void NotificationClosed(const QDBusMessage& signal);

private:
    struct Notice {
        NotificationRequest request;
        NotificationHandler handler;
        QTimer* deadline = nullptr;
        // Its handler has had Failed: a late answer only closes the notification.
        bool failed = false;
    };
    // A notification on the screen, by its id: the server that showed it (a unique bus name) and its handler.
    struct Showing {
        QString server;
        NotificationHandler handler;
    };

    void Notify(const std::shared_ptr<Notice>& notice, const QStringList& capabilities);
    void Fail(const std::shared_ptr<Notice>& notice);
    void Close(uint id);
    void ServerChanged(const QString& oldOwner);
    // Calls the handler from the event loop, never from inside the caller.
    void End(NotificationHandler handler, NotificationEnd end, const QString& action = QString());
    std::optional<Showing> TakeShowing(const QDBusMessage& signal);
    // Keeps a signal for an id not yet known while a Notify awaits its answer: the server may close or act on
    // a notification before its answer to Notify has reached us.
    void KeepEarly(const QDBusMessage& signal);

    QDBusConnection bus_;
    std::map<uint, Showing> showing_;
    int awaitingNotify_ = 0;
    // The signals kept by KeepEarly, by id; dropped once no Notify awaits its answer, as they then belong to
    // other programs' notifications.
    std::multimap<uint, QDBusMessage> early_;
};

} // namespace nevalon::platform
