// Stands in for a desktop's services on the session bus, for the desktop tests: with "watcher", a
// StatusNotifierWatcher with a host (what KDE's and GNOME's trays provide); with "notifications", a
// notification server; with "dark-portal", the desktop portal's settings, the colour scheme dark. Prints "ready" once it owns its names, then "item <service>" for each registered
// tray item and "notify <summary>|<body>" for each notification (line breaks written as \n).
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <cstdio>

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

class Notifications final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override
    {
        return R"(<interface name="org.freedesktop.Notifications">
  <method name="Notify"><arg type="s" direction="in"/><arg type="u" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="as" direction="in"/><arg type="a{sv}" direction="in"/><arg type="i" direction="in"/>
    <arg type="u" direction="out"/></method>
</interface>)";
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        if (message.member() != "Notify" || message.arguments().size() != 8) return false;
        Print("notify " + message.arguments()[3].toString() + "|" + message.arguments()[4].toString());
        return bus.send(message.createReply(QVariant::fromValue(++sent_)));
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    Notifications notifications;
    DarkPortal portal;
    for (const QString& service : app.arguments().mid(1)) {
        bool ok = service == "watcher" ? bus.registerVirtualObject("/StatusNotifierWatcher", &watcher) &&
                                             bus.registerService("org.kde.StatusNotifierWatcher")
                  : service == "notifications"
                      ? bus.registerVirtualObject("/org/freedesktop/Notifications", &notifications) &&
                            bus.registerService("org.freedesktop.Notifications")
                  : service == "dark-portal"
                      ? bus.registerVirtualObject("/org/freedesktop/portal/desktop", &portal) &&
                            bus.registerService("org.freedesktop.portal.Desktop")
                      : false;
        if (!ok) {
            std::fprintf(stderr, "cannot serve %s: %s\n", qPrintable(service),
                         qPrintable(bus.lastError().message()));
            return 1;
        }
    }
    Print("ready");
    return app.exec();
}
