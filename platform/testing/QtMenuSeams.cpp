#include "platform/Image.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/testing/TestSeams.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <cstring>

namespace nevalon::platform {
namespace {

// Calls `act` with the next pop-up menu once it has been up for `afterMilliseconds`.
void OnNextMenu(std::function<void(QtMenuWidget&)> act, int64_t afterMilliseconds = 0)
{
    auto* timer = new QTimer(qApp);
    auto check = [timer, act = std::move(act), afterMilliseconds, up = QElapsedTimer()]() mutable {
        auto* menu = dynamic_cast<QtMenuWidget*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) return;
        if (!up.isValid()) up.start();
        if (up.elapsed() < afterMilliseconds) return;
        timer->deleteLater();
        act(*menu);
    };
    QObject::connect(timer, &QTimer::timeout, timer, std::move(check));
    timer->start(10);
}

MenuEntriesForTests Describe(const QMenu& menu)
{
    MenuEntriesForTests entries;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            entries.push_back({u"", u"", false, true});
        else
            entries.push_back({action->text().toStdU16String(),
                               action->shortcut().toString(QKeySequence::PortableText).toStdU16String(),
                               action->isChecked(), false});
    }
    return entries;
}

QAction* ItemTitled(const QMenu& menu, const std::u16string& title)
{
    for (QAction* action : menu.actions())
        if (!action->isSeparator() && action->text().toStdU16String() == title) return action;
    return nullptr;
}

QSystemTrayIcon* TrayOf(int64_t statusItem)
{
    auto* item = dynamic_cast<QtStatusItem*>(ObjectFromHandle(statusItem));
    return item ? item->Tray() : nullptr;
}

} // namespace

void ChooseNextMenuItemForTests(const std::u16string& title,
                                std::function<void(const MenuEntriesForTests&)> seen,
                                int64_t afterMilliseconds)
{
    auto choose = [title, seen = std::move(seen)](QtMenuWidget& menu) {
        if (seen) seen(Describe(menu));
        if (QAction* item = ItemTitled(menu, title))
            menu.Choose(item);
        else
            menu.close();
    };
    OnNextMenu(std::move(choose), afterMilliseconds);
}

void PressKeyInNextMenuForTests(const KeyEvent& key)
{
    OnNextMenu([key](QtMenuWidget& menu) {
        Qt::KeyboardModifiers m;
        if (key.shift) m |= Qt::ShiftModifier;
        if (key.command) m |= Qt::ControlModifier;
        if (key.control) m |= Qt::MetaModifier;
        if (key.option) m |= Qt::AltModifier;
        int qtKey = key.characters.size() == 1 ? QChar(key.characters[0]).toUpper().unicode() : 0;
        if (key.keyCode)
            for (int f = 0; f < 12; ++f)
                if (key.keyCode == kFunctionKeyCodes[f]) qtKey = Qt::Key_F1 + f;
        QKeyEvent press(QEvent::KeyPress, qtKey, m, QString::fromStdU16String(key.characters));
        QCoreApplication::sendEvent(&menu, &press);
        if (menu.isVisible()) menu.close();
    });
}

void ClickStatusIconForTests(int64_t statusItem, StatusIconPress press)
{
    QSystemTrayIcon* tray = TrayOf(statusItem);
    if (!tray) return;
    if (press == StatusIconPress::MiddleClick) {
        emit tray->activated(QSystemTrayIcon::MiddleClick);
        return;
    }
    emit tray->activated(QSystemTrayIcon::Trigger);
    if (press == StatusIconPress::DoubleClick) emit tray->activated(QSystemTrayIcon::DoubleClick);
}

MenuEntriesForTests StatusIconMenuForTests(int64_t statusItem)
{
    QSystemTrayIcon* tray = TrayOf(statusItem);
    return tray && tray->contextMenu() ? Describe(*tray->contextMenu()) : MenuEntriesForTests{};
}

void ChooseStatusIconMenuEntryForTests(int64_t statusItem, const std::u16string& title)
{
    QSystemTrayIcon* tray = TrayOf(statusItem);
    if (QAction* item = tray && tray->contextMenu() ? ItemTitled(*tray->contextMenu(), title) : nullptr)
        item->trigger();
}

std::u16string StatusIconToolTipForTests(int64_t statusItem)
{
    QSystemTrayIcon* tray = TrayOf(statusItem);
    return tray ? tray->toolTip().toStdU16String() : u"";
}

Image* StatusIconPictureForTests(int64_t statusItem)
{
    QSystemTrayIcon* tray = TrayOf(statusItem);
    if (!tray || tray->icon().availableSizes().isEmpty()) return nullptr;
    QSize size = tray->icon().availableSizes().front();
    QImage picture = tray->icon().pixmap(size).toImage().convertToFormat(QImage::Format_RGBA8888);
    auto* image =
        new Image(picture.width(), picture.height(), {double(picture.width()), double(picture.height())});
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(image->Pixels().data() + static_cast<size_t>(y) * picture.width(),
                    picture.constScanLine(y), static_cast<size_t>(picture.width()) * 4);
    return image;
}

} // namespace nevalon::platform
