#include "platform/Defaults.h"

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

void SetDefaultsFileName(const std::u16string& name)
{
    if (OpenStore()) OpenStore()->sync();
    OpenStore().reset();
    FileName() = QString::fromStdU16String(name);
}

int64_t DefaultsInteger(const std::u16string& key)
{
    if (key.empty()) return 0;
    return Store().value(Key(key), 0).toLongLong();
}

void SetDefaultsInteger(const std::u16string& key, int64_t value)
{
    // An empty key names nothing; the store would keep junk under it.
    if (key.empty()) return;
    Store().setValue(Key(key), qlonglong(value));
}

std::optional<std::u16string> DefaultsString(const std::u16string& key)
{
    if (key.empty()) return std::nullopt;
    QVariant value = Store().value(Key(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdU16String();
}

bool SynchronizeDefaults()
{
    Store().sync();
    return Store().status() == QSettings::NoError;
}

std::string DefaultsFilePath()
{
    return Store().fileName().toStdString();
}

} // namespace nevalon::platform
