#include "platform/DesktopNotice.h"
#include "platform/qt/QtDrivers.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QMessageBox>

namespace nevalon::platform {
namespace {

void ShowNoticeWindow(const QString& summary, const QString& body)
{
    auto* box = new QMessageBox(QMessageBox::Information, summary, body, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

struct Sender {
    QString name, iconName;
};

Sender& NoticeSender()
{
    static Sender sender;
    return sender;
}

} // namespace

void QtDesktopDriver::SetDesktopNoticeSender(const std::u16string& name, const std::u16string& iconName)
{
    NoticeSender() = {QString::fromStdU16String(name), QString::fromStdU16String(iconName)};
}

void QtDesktopDriver::ShowDesktopNotice(const std::u16string& summary, const std::u16string& body)
{
    if (!QApplication::instance()) return;
    const QString title = QString::fromStdU16String(summary), text = QString::fromStdU16String(body);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        ShowNoticeWindow(title, text);
        return;
    }
    QDBusMessage notify =
        QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                       "org.freedesktop.Notifications", "Notify");
    const Sender& sender = NoticeSender();
    notify << (sender.name.isEmpty() ? QCoreApplication::applicationName() : sender.name) << 0u
           << sender.iconName << title << text << QStringList() << QVariantMap() << -1;
    // Asked without waiting: a server that must first be started would hold up the program.
    auto* call = new QDBusPendingCallWatcher(bus.asyncCall(notify), qApp);
    QObject::connect(call, &QDBusPendingCallWatcher::finished, qApp,
                     [title, text](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         if (call->isError()) ShowNoticeWindow(title, text);
                     });
}

} // namespace nevalon::platform
