// Stands in for a desktop's services on the session bus, for the desktop tests: with "watcher", a
// StatusNotifierWatcher with a host (what KDE's and GNOME's trays provide); with "notifications", a
// notification server; with "dark-portal", the desktop portal's settings, the colour scheme dark; with
// "logind", logind's name (run it on a bus that stands for the system bus). Prints "ready" once it owns its
// names, then "item <service>" for each registered tray item, "notify <summary>|<body>|<app>|<icon>|
// <actions>|<hints>" for each notification (line breaks written as \n) and "close <id>" for each one the
// program closes.
// The notification server says it can do "actions" and "body" unless "caps=<capability>,..." says otherwise;
// with "mute" it never answers a notification, with "late=<ms>" it answers that much later, with "crash" it
// answers, then dies. Lines on standard input act: "closed <id> <reason>" sends NotificationClosed, "wake"
// sends logind's PrepareForSleep(false), as after a sleep.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

void Print(const QString& line)
{
    std::printf("%s\n", qPrintable(QString(line).replace('\n', "\\n")));
    std::fflush(stdout);
}

// Qt shows its icons through a watcher only when the watcher says a host is registered.
class Watcher final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override
    {
        return R"(<interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
</interface>)";
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        const QVariantList arguments = message.arguments();
        if (message.member() == "RegisterStatusNotifierItem" && arguments.size() == 1) {
            Print("item " + arguments[0].toString());
            return bus.send(message.createReply());
        }
        if (message.member() == "Get" && arguments.size() == 2 &&
            arguments[1] == "IsStatusNotifierHostRegistered")
            return bus.send(message.createReply(QVariant::fromValue(QDBusVariant(true))));
        return false;
    }
};

// What a hint holds, as a line shows it: a picture by its size, a byte as a number.
QString HintText(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>()) {
        const QDBusArgument argument = value.value<QDBusArgument>();
        int width = 0, height = 0;
        argument.beginStructure();
        argument >> width >> height;
        return QString("%1x%2").arg(width).arg(height);
    }
    if (value.metaType() == QMetaType::fromType<uchar>()) return QString::number(value.value<uchar>());
    return value.toString();
}

class Notifications final : public QDBusVirtualObject {
public:
    QStringList capabilities{"actions", "body"};
    enum { Answer, Mute, Crash } answer = Answer;
    int lateMs = 0;

    QString introspect(const QString&) const override
    {
        return R"(<interface name="org.freedesktop.Notifications">
  <method name="Notify"><arg type="s" direction="in"/><arg type="u" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="as" direction="in"/><arg type="a{sv}" direction="in"/><arg type="i" direction="in"/>
    <arg type="u" direction="out"/></method>
  <method name="GetCapabilities"><arg type="as" direction="out"/></method>
  <method name="CloseNotification"><arg type="u" direction="in"/></method>
</interface>)";
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        const QVariantList arguments = message.arguments();
        if (message.member() == "GetCapabilities")
            return bus.send(message.createReply(QVariant::fromValue(capabilities)));
        if (message.member() == "CloseNotification" && arguments.size() == 1) {
            Print("close " + arguments[0].toString());
            Signal(bus, "NotificationClosed", {arguments[0], 3u});
            return bus.send(message.createReply());
        }
        if (message.member() != "Notify" || arguments.size() != 8) return false;
        const QVariantMap hints = qdbus_cast<QVariantMap>(arguments[6]);
        QStringList hintTexts;
        for (auto it = hints.begin(); it != hints.end(); ++it)
            hintTexts << it.key() + "=" + HintText(it.value());
        Print("notify " + arguments[3].toString() + "|" + arguments[4].toString() + "|" +
              arguments[0].toString() + "|" + arguments[2].toString() + "|" +
              arguments[5].toStringList().join(",") + "|" + hintTexts.join(","));
        if (answer == Mute) return true;
        const QDBusMessage reply = message.createReply(QVariant::fromValue(++sent_));
        if (lateMs > 0) {
            QTimer::singleShot(lateMs, [bus, reply] { bus.send(reply); });
            return true;
        }
        bus.send(reply);
        // Dies as a crashed server does, its notification on the screen: the bus sees its connection go.
        if (answer == Crash) QTimer::singleShot(100, [] { std::_Exit(1); });
        return true;
    }

    static void Signal(const QDBusConnection& bus, const char* name, const QVariantList& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                         "org.freedesktop.Notifications", name);
        signal.setArguments(arguments);
        bus.send(signal);
    }

private:
    uint sent_ = 0;
};

// Answers Read of org.freedesktop.appearance color-scheme with 1 (dark), as a desktop portal does.
class DarkPortal final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override
    {
        return R"(<interface name="org.freedesktop.portal.Settings">
  <method name="Read"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="v" direction="out"/></method>
</interface>)";
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        const QVariantList arguments = message.arguments();
        if (message.member() != "Read" || arguments.size() != 2) return false;
        if (arguments[0] != "org.freedesktop.appearance" || arguments[1] != "color-scheme")
            return bus.send(message.createErrorReply("org.freedesktop.portal.Error.NotFound", "no such key"));
        return bus.send(message.createReply(QVariant::fromValue(QDBusVariant(QVariant::fromValue(1u)))));
    }
};

// Acts on one line of standard input.
void Act(const QString& line, const QDBusConnection& bus)
{
    const QStringList words = line.split(' ', Qt::SkipEmptyParts);
    if (words.size() == 3 && words[0] == "closed")
        Notifications::Signal(bus, "NotificationClosed", {words[1].toUInt(), words[2].toUInt()});
    if (words.size() == 1 && words[0] == "wake") {
        QDBusMessage wake = QDBusMessage::createSignal("/org/freedesktop/login1",
                                                       "org.freedesktop.login1.Manager", "PrepareForSleep");
        wake << false;
        bus.send(wake);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    Notifications notifications;
    DarkPortal portal;
    for (const QString& service : app.arguments().mid(1)) {
        if (service.startsWith("caps=")) {
            notifications.capabilities = service.mid(5).split(',', Qt::SkipEmptyParts);
            continue;
        }
        if (service.startsWith("late=")) {
            notifications.lateMs = service.mid(5).toInt();
            continue;
        }
        if (service == "mute" || service == "crash") {
            notifications.answer = service == "mute" ? Notifications::Mute : Notifications::Crash;
            continue;
        }
        bool ok = service == "watcher" ? bus.registerVirtualObject("/StatusNotifierWatcher", &watcher) &&
                                             bus.registerService("org.kde.StatusNotifierWatcher")
                  : service == "notifications"
                      ? bus.registerVirtualObject("/org/freedesktop/Notifications", &notifications) &&
                            bus.registerService("org.freedesktop.Notifications")
                  : service == "dark-portal"
                      ? bus.registerVirtualObject("/org/freedesktop/portal/desktop", &portal) &&
                            bus.registerService("org.freedesktop.portal.Desktop")
                  : service == "logind" ? bus.registerService("org.freedesktop.login1")
                                        : false;
        if (!ok) {
            std::fprintf(stderr, "cannot serve %s: %s\n", qPrintable(service),
                         qPrintable(bus.lastError().message()));
            return 1;
        }
    }
    QSocketNotifier input(0, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&input, &bus, &pending] {
        char buffer[512];
        const ssize_t got = read(0, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(buffer, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            Act(QString::fromUtf8(pending.left(end)), bus);
    });
    Print("ready");
    return app.exec();
}
