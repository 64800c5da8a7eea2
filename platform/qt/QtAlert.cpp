#include "platform/Alert.h"
#include "platform/ModalSession.h"
#include "platform/Overrides.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

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

} // namespace

int RunAlert(const AlertRequest& request)
{
    if (Overrides().alertResponder) return Overrides().alertResponder(request);
    if (!QApplication::instance()) return 0;
    QMessageBox box;
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
    {
        ModalSessionScope session;
        box.exec();
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return kAlertDismissed;
}

std::vector<std::string> PreferredLanguages()
{
    if (Overrides().preferredLanguages) return *Overrides().preferredLanguages;
    std::vector<std::string> result;
    for (const QString& language : QLocale::system().uiLanguages())
        result.push_back(language.toStdString());
    return result;
}

} // namespace nevalon::platform
