#include "platform/Overrides.h"
#include "platform/qt/QtWindow.h"
#include "platform/testing/TestSeams.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace nevalon::platform {
namespace {

int QtKeyOf(const KeyEvent& key)
{
    if (key.characters.size() != 1) return 0;
    char16_t c = key.characters[0];
    switch (c) {
    case 27:
        return Qt::Key_Escape;
    case 13:
        return Qt::Key_Return;
    case 9:
        return Qt::Key_Tab;
    case 127:
        return Qt::Key_Backspace;
    case 0xF728:
        return Qt::Key_Delete;
    case 0xF700:
        return Qt::Key_Up;
    case 0xF701:
        return Qt::Key_Down;
    case 0xF702:
        return Qt::Key_Left;
    case 0xF703:
        return Qt::Key_Right;
    default:
        break;
    }
    if (c >= 0xF704 && c <= 0xF70F) return Qt::Key_F1 + (c - 0xF704);
    if (c >= u'a' && c <= u'z') return Qt::Key_A + (c - u'a');
    return c;
}

Qt::KeyboardModifiers ModifiersOf(const KeyEvent& key)
{
    Qt::KeyboardModifiers m;
    if (key.shift) m |= Qt::ShiftModifier;
    if (key.command) m |= Qt::ControlModifier;
    if (key.control) m |= Qt::MetaModifier;
    if (key.option) m |= Qt::AltModifier;
    return m;
}

void PostMouse(QWidget* widget, QEvent::Type type, Point p, Qt::MouseButton button, Qt::MouseButtons buttons,
               uint64_t timestamp = 0)
{
    QPointF local(p.x, p.y);
    QPointF global = widget->mapToGlobal(local.toPoint());
    auto* event = new QMouseEvent(type, local, global, button, buttons, Qt::NoModifier);
    event->setTimestamp(timestamp);
    QCoreApplication::postEvent(widget, event);
}

} // namespace

void SetAlertResponderForTests(std::function<int(const AlertRequest&)> responder)
{
    Overrides().alertResponder = std::move(responder);
}

void SetPreferredLanguagesForTests(std::optional<std::vector<std::string>> languages)
{
    Overrides().preferredLanguages = std::move(languages);
}

void SetOperatingSystemVersionForTests(OsVersion version)
{
    Overrides().osVersion = version;
}

void SetScreensForTests(std::optional<std::vector<Rect>> screens, std::optional<std::vector<Rect>> workAreas)
{
    Overrides().screens = std::move(screens);
    Overrides().workAreas = std::move(workAreas);
}

void SetPointerForTests(std::optional<Point> pointer)
{
    Overrides().pointer = pointer;
}

void SetSystemSoundPlayerForTests(std::function<void(int64_t sound)> player)
{
    Overrides().systemSoundPlayer = std::move(player);
}

void PostKeyPressForTests(Window& window, const KeyEvent& key)
{
    auto* w = dynamic_cast<QtWindow*>(&window);
    if (!w) return;
    QString text = QString::fromStdU16String(key.characters);
    int qtKey = key.keyCode ? 0 : QtKeyOf(key);
    for (int i = 0; i < 10; ++i)
        if (key.keyCode && key.keyCode == kDigitKeyCodes[i]) qtKey = Qt::Key_0 + i;
    QWidget* target = w->Widget()->focusWidget() ? w->Widget()->focusWidget() : w->Widget();
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, qtKey, ModifiersOf(key), text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, qtKey, ModifiersOf(key), text));
}

void PostPointerMoveForTests(Window& window, Point inContent)
{
    if (auto* w = dynamic_cast<QtWindow*>(&window))
        PostMouse(w->Widget(), QEvent::MouseMove, inContent, Qt::NoButton, Qt::NoButton);
}

void PostClickForTests(Window& window, Point inContent, int clicks, bool rightButton, uint64_t atMilliseconds)
{
    auto* w = dynamic_cast<QtWindow*>(&window);
    if (!w) return;
    Qt::MouseButton button = rightButton ? Qt::RightButton : Qt::LeftButton;
    for (int i = 0; i < clicks; ++i) {
        // Qt makes every second press of a quick series a double click, never a triple one.
        uint64_t at = atMilliseconds + uint64_t(i);
        PostMouse(w->Widget(), i % 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, inContent,
                  button, button, at);
        PostMouse(w->Widget(), QEvent::MouseButtonRelease, inContent, button, Qt::NoButton, at);
    }
}

void AnswerNextAlertForTests(AlertAction action, const std::u16string& buttonTitle, int64_t afterMilliseconds)
{
    auto* timer = new QTimer(qApp);
    QString title = QString::fromStdU16String(buttonTitle);
    auto answer = [timer, action, title, afterMilliseconds, up = QElapsedTimer()]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        if (!up.isValid()) up.start();
        if (up.elapsed() < afterMilliseconds) return;
        timer->deleteLater();
        if (action == AlertAction::PressButton) {
            for (QAbstractButton* button : box->buttons())
                if (button->text() == title) button->click();
        } else if (action == AlertAction::PressEscape) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &escape);
        } else {
            box->windowHandle()->close();
        }
        // Rather a wrong answer than a test that hangs.
        if (box->isVisible() && box->defaultButton()) box->defaultButton()->click();
    };
    QObject::connect(timer, &QTimer::timeout, timer, std::move(answer));
    timer->start(10);
}

void PostCloseRequestForTests(Window& window)
{
    if (auto* w = dynamic_cast<QtWindow*>(&window))
        QCoreApplication::postEvent(w->Widget(), new QCloseEvent());
}

void PostQuitRequestForTests()
{
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
}

void SetFirstFrameObserverForTests(std::function<void(const std::u16string& title)> observer)
{
    Overrides().firstFrameShown = std::move(observer);
}

DesktopFont DesktopFontForTests()
{
    const QFont font = QApplication::font();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96;
    return {font.family().toStdU16String(), font.pointSizeF(), std::round(font.pointSizeF() * dpi / 72)};
}

double DesktopFontPointsAsDrawnForTests()
{
    return QFontInfo(QApplication::font()).pointSizeF();
}

bool SaveWindowPictureForTests(Window& window, const std::string& pngPath)
{
    auto* w = dynamic_cast<QtWindow*>(&window);
    return w && w->Widget()->grab().save(QString::fromStdString(pngPath), "PNG");
}

} // namespace nevalon::platform
