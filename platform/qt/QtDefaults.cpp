#include "platform/Defaults.h"
#include "platform/qt/QtDrivers.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace nevalon::platform {
namespace {

QString& FileName()
{
    static QString name;
    return name;
}

std::unique_ptr<QSettings>& OpenStore()
{
    static std::unique_ptr<QSettings> store;
    return store;
}

QSettings& Store()
{
    std::unique_ptr<QSettings>& store = OpenStore();
    if (!store) {
        QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QString name = FileName().isEmpty() ? QCoreApplication::applicationName() + ".conf" : FileName();
        store = std::make_unique<QSettings>(dir + "/" + name, QSettings::IniFormat);
    }
    return *store;
}

QString Key(const std::u16string& key)
{
    return QString::fromStdU16String(key);
}

} // namespace

void QtDesktopDriver::SetDefaultsFileName(const std::u16string& name)
{
    if (OpenStore()) OpenStore()->sync();
    OpenStore().reset();
    FileName() = QString::fromStdU16String(name);
}

int64_t QtDesktopDriver::DefaultsInteger(const std::u16string& key) const
{
    if (key.empty()) return 0;
    return Store().value(Key(key), 0).toLongLong();
}

void QtDesktopDriver::SetDefaultsInteger(const std::u16string& key, int64_t value)
{
    // An empty key names nothing; the store would keep junk under it.
    if (key.empty()) return;
    Store().setValue(Key(key), qlonglong(value));
}

std::optional<std::u16string> QtDesktopDriver::DefaultsString(const std::u16string& key) const
{
    if (key.empty()) return std::nullopt;
    QVariant value = Store().value(Key(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdU16String();
}

bool QtDesktopDriver::SynchronizeDefaults()
{
    Store().sync();
    return Store().status() == QSettings::NoError;
}

std::string QtDesktopDriver::DefaultsFilePath() const
{
    return Store().fileName().toStdString();
}

} // namespace nevalon::platform
