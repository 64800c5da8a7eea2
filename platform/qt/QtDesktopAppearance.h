#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>
#include <optional>

namespace nevalon::platform {

// Follows the desktop's light or dark preference as its settings portal publishes it on the session bus
// ("org.freedesktop.appearance" / "color-scheme": 1 dark, 0 and 2 light).
class DesktopAppearance final : public QObject {
    Q_OBJECT

public:
    // Subscribes to the portal's changes and asks for the current preference, whose answer goes to `changed`
    // as a change does. Never waits for the portal, nor for a bus that is not there.
    DesktopAppearance(std::function<void(bool dark)> changed, QObject* parent);
    ~DesktopAppearance() override;
    DesktopAppearance(const DesktopAppearance&) = delete;
    DesktopAppearance& operator=(const DesktopAppearance&) = delete;

private slots:
    // A slot of the message itself: Qt 6.4 does not connect a slot that takes the value as a QDBusVariant.
    void SettingChanged(const QDBusMessage& change);

private:
    std::function<void(bool)> changed_;
    QDBusConnection bus_;
};

} // namespace nevalon::platform
