#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/ModalSession.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace nevalon::platform {
namespace {

QMessageBox::Icon IconOf(AlertIcon icon)
{
    switch (icon) {
    case AlertIcon::Note:
        return QMessageBox::Information;
    case AlertIcon::Stop:
        return QMessageBox::Critical;
    case AlertIcon::Caution:
        return QMessageBox::Warning;
    case AlertIcon::Informational:
        break;
    }
    return QMessageBox::NoIcon;
}

// The program's window an alert belongs to: the one with the keyboard, else a floating one, above which the
// alert would otherwise open hidden; none when neither is showing.
QWidget* AlertOwner()
{
    // Qt names a window that has just closed active until the window manager moves the focus.
    QWidget* active = QApplication::activeWindow();
    if (QtWindow::FromWidget(active) && active->isVisible()) return active;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (QtWindow::FromWidget(widget) && widget->isVisible() &&
            (widget->windowFlags() & Qt::WindowStaysOnTopHint))
            return widget;
    return nullptr;
}

} // namespace

int QtDesktopDriver::RunAlert(const AlertRequest& request)
{
    if (!QApplication::instance()) return 0;
    // Transient for a window of the program, the alert is kept above it by the window manager. Not its child:
    // the window may be freed while the alert is up.
    QWidget* owner = AlertOwner();
    QMessageBox box;
    if (owner) {
        box.winId();
        box.windowHandle()->setTransientParent(owner->windowHandle());
    }
    if (!ApplicationName().empty()) box.setWindowTitle(QString::fromStdU16String(ApplicationName()));
    box.setIcon(IconOf(request.icon));
    if (request.icon == AlertIcon::Informational)
        box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.setText(QString::fromStdU16String(request.messageText));
    box.setInformativeText(QString::fromStdU16String(request.informativeText));
    std::vector<QPushButton*> buttons;
    if (request.buttons.empty()) {
        buttons.push_back(box.addButton(QMessageBox::Ok));
    } else {
        for (const std::u16string& title : request.buttons)
            buttons.push_back(box.addButton(QString::fromStdU16String(title), QMessageBox::AcceptRole));
    }
    box.setDefaultButton(buttons.front());
    // A question dismissed with Escape or the close box is answered No (or Cancel), never Yes.
    box.setEscapeButton(request.escapeButton && *request.escapeButton < buttons.size()
                            ? buttons[*request.escapeButton]
                            : buttons.back());
    if (owner && (owner->windowFlags() & Qt::WindowStaysOnTopHint)) {
        // In its owner's layer once shown, as a dialog of a floating window is (see QtWindow::ApplyFlags).
        QTimer::singleShot(0, &box, [&box] {
            const Qt::WindowFlags flags = box.windowFlags() | Qt::WindowStaysOnTopHint;
            box.overrideWindowFlags(flags);
            if (QWindow* handle = box.windowHandle()) handle->setFlags(flags);
        });
    }
    {
        ModalSessionScope session;
        box.exec();
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return kAlertDismissed;
}

std::vector<std::string> QtDesktopDriver::PreferredLanguages() const
{
    std::vector<std::string> result;
    for (const QString& language : QLocale::system().uiLanguages())
        result.push_back(language.toStdString());
    return result;
}

} // namespace nevalon::platform
