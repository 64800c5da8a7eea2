#include "platform/qt/QtApplication.h"

#include "platform/Application.h"
#include "platform/DisplayServer.h"
#include "platform/Foundation.h"
#include "platform/Image.h"
#include "platform/qt/QtDesktopAppearance.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/qt/QtView.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowManagerHints.h"

#include <QAbstractEventDispatcher>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace nevalon::platform {
namespace {

const QEvent::Type kWakeUpEvent = static_cast<QEvent::Type>(QEvent::User + 15);

int argcStore = 0;
char** argvStore = nullptr;
// Never torn down by static destruction: Qt cannot end after its own statics are gone.
QApplication* app = nullptr;
std::function<void()> quitHandler;
std::function<bool(Window&, const KeyEvent&)> keyDownHandler;
std::function<void()> appearanceHandler;
int64_t activationPolicy = 0;
int signalPipe[2] = {-1, -1};
constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};
// Set by a quit request until the toolkit next asks for platform events, by when it has taken it.
bool quitPending = false;
int pendingWakeUps = 0;
uint64_t handledEvents = 0;
bool lastDark = false;
std::deque<std::function<void()>> afterStartUp;
bool startUpFinished = false;
QMetaObject::Connection firstIdle;

void OnSignal(int)
{
    char byte = 1;
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
}

bool DisplayReachable(std::string& error)
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && platform.isEmpty()) return true;
        error = "no display: DISPLAY is not set (Nevalon needs a graphical desktop session)";
        return false;
    }
    // Qt aborts the process when it cannot reach the X server, so ask first.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!ok) error = "cannot open display " + qEnvironmentVariable("DISPLAY").toStdString();
    return ok;
}

int KeyCodeOf(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return kDigitKeyCodes[qtKey - Qt::Key_0];
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return kFunctionKeyCodes[qtKey - Qt::Key_F1];
    return 0;
}

std::u16string CharactersOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Escape:
        return u"\x1b";
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return u"\r";
    case Qt::Key_Tab:
        return u"\t";
    case Qt::Key_Backtab:
        return u"\x19";
    case Qt::Key_Backspace:
        return u"\x7f";
    case Qt::Key_Delete:
        return u"\uF728";
    case Qt::Key_Insert:
        return u"\uF727";
    case Qt::Key_Home:
        return u"\uF729";
    case Qt::Key_End:
        return u"\uF72B";
    case Qt::Key_PageUp:
        return u"\uF72C";
    case Qt::Key_PageDown:
        return u"\uF72D";
    case Qt::Key_Left:
        return u"\uF702";
    case Qt::Key_Right:
        return u"\uF703";
    case Qt::Key_Up:
        return u"\uF700";
    case Qt::Key_Down:
        return u"\uF701";
    default:
        break;
    }
    if (event.key() >= Qt::Key_F1 && event.key() <= Qt::Key_F12)
        return std::u16string(1, static_cast<char16_t>(0xF704 + (event.key() - Qt::Key_F1)));
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        char16_t letter = static_cast<char16_t>(event.key());
        return std::u16string(1, (event.modifiers() & Qt::ShiftModifier) ? letter : letter + 32);
    }
    // Control combinations turn text into control characters; the key itself is wanted.
    if (event.key() >= 0x20 && event.key() < 0x7F && (event.modifiers() & Qt::ControlModifier))
        return std::u16string(1, static_cast<char16_t>(event.key()));
    return event.text().toStdU16String();
}

bool DarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

// Gives the program's windows the dark or the light palette.
void SwitchPalette(bool dark)
{
    QPalette palette = QApplication::style()->standardPalette();
    if (dark) {
        palette.setColor(QPalette::Window, QColor(40, 40, 40));
        palette.setColor(QPalette::WindowText, Qt::white);
        palette.setColor(QPalette::Base, QColor(30, 30, 30));
        palette.setColor(QPalette::Text, Qt::white);
        palette.setColor(QPalette::Button, QColor(50, 50, 50));
        palette.setColor(QPalette::ButtonText, Qt::white);
    }
    QApplication::setPalette(palette);
}

// A window the window manager lists (not a menu or a tooltip, which bypass it).
bool IsManagedWindow(const QWidget* widget)
{
    return widget && widget->isWindow() &&
           (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog);
}

// Closes the alert as if without a button, once its own event loop runs.
void Dismiss(QMessageBox* alert)
{
    QMetaObject::invokeMethod(alert, &QDialog::reject, Qt::QueuedConnection);
}

// A quit request must not wait for the person in front of an alert: the open one is dismissed, and
// so is every alert shown before the toolkit has taken the request.
void RequestQuit()
{
    quitPending = true;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* alert = qobject_cast<QMessageBox*>(widget); alert && alert->isVisible()) Dismiss(alert);
    quitHandler();
}

class ApplicationFilter : public QObject {
public:
    const QObject* timeoutTimer = nullptr;

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::Timer && receiver == timeoutTimer) return false;
        // The platform's own doings (its work after start-up, the objects it keeps here) are no event for
        // the toolkit; a wake-up is.
        if (receiver == this && event->type() != kWakeUpEvent) return false;
        ++handledEvents;
        switch (event->type()) {
        case QEvent::Quit:
            // The desktop (the session manager's Die) asked the program to end; its own loop decides.
            if (!quitHandler) return false;
            RequestQuit();
            return true;
        case QEvent::Show:
            if (!event->spontaneous()) WindowShowing(qobject_cast<QWidget*>(receiver));
            return false;
        case QEvent::WindowStateChange:
            if (auto* alert = qobject_cast<QMessageBox*>(receiver); alert && alert->isMinimized()) {
                // A window manager that offers to minimize an alert would hide it for good, with the
                // program waiting for its answer and no taskbar entry to bring it back.
                QMetaObject::invokeMethod(
                    alert,
                    [alert] {
                        alert->showNormal();
                        alert->activateWindow();
                    },
                    Qt::QueuedConnection);
            }
            return false;
        case QEvent::ApplicationPaletteChange:
            if (receiver == app) CheckAppearance();
            return false;
        default:
            return false;
        }
    }

    bool event(QEvent* event) override
    {
        if (event->type() == kWakeUpEvent) {
            --pendingWakeUps;
            return true;
        }
        return QObject::event(event);
    }

    void CheckAppearance()
    {
        bool dark = IsDarkAppearance();
        if (dark == lastDark) return;
        lastDark = dark;
        QtStatusItem::RedrawSymbols();
        if (appearanceHandler) appearanceHandler();
        NotifyAppearanceObservers();
    }

private:
    // Called before the window is mapped: the window manager removed its states when it was withdrawn.
    static void WindowShowing(QWidget* widget)
    {
        if (!IsManagedWindow(widget)) return;
        SetSkipTaskbar(*widget, activationPolicy == 1, false);
        if (auto* alert = qobject_cast<QMessageBox*>(widget); alert && quitPending) Dismiss(alert);
    }
};

ApplicationFilter* filter = nullptr;

// One work a pass, so that the events that came meanwhile (the tray's, a click) are dispatched in between.
void RunNextAfterStartUp()
{
    if (afterStartUp.empty()) return;
    std::function<void()> work = std::move(afterStartUp.front());
    afterStartUp.pop_front();
    work();
    if (!afterStartUp.empty()) QMetaObject::invokeMethod(filter, RunNextAfterStartUp, Qt::QueuedConnection);
}

// Reads the icon theme's pictures of the symbols, and shows the tray icon's.
void ReadSymbolTheme()
{
    for (const char* name : {"calendar.badge.clock", "gearshape.fill", "trash"})
        if (Image* symbol = CreateSystemSymbolImage(name)) symbol->Release();
    QtStatusItem::RedrawSymbols();
}

QtWindow* WindowOf(QObject* receiver)
{
    if (auto* widget = qobject_cast<QWidget*>(receiver)) return QtWindow::FromWidget(widget->window());
    if (auto* window = qobject_cast<QWindow*>(receiver))
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->windowHandle() == window) return QtWindow::FromWidget(widget);
    return nullptr;
}

bool OfferKey(QObject* receiver, const QKeyEvent& key)
{
    QtWindow* window = keyDownHandler ? WindowOf(receiver) : nullptr;
    if (!window) return false;
    KeyEvent e;
    e.characters = CharactersOf(key);
    e.keyCode = KeyCodeOf(key.key());
    Qt::KeyboardModifiers m = key.modifiers();
    e.shift = m & Qt::ShiftModifier;
    // Qt's convention: the Command key is Control, and Control is Meta.
    e.command = m & Qt::ControlModifier;
    e.control = m & Qt::MetaModifier;
    e.option = m & Qt::AltModifier;
    return keyDownHandler(*window, e);
}

// Cut, copy, paste, select all, undo and redo: with no Edit menu to carry them, a focused text field takes
// them before its window's shortcuts do.
bool IsEditingKeyForTextField(const QKeyEvent& key)
{
    Qt::KeyboardModifiers m = key.modifiers() & ~Qt::KeypadModifier;
    bool editing = (m == Qt::ControlModifier &&
                    (key.key() == Qt::Key_X || key.key() == Qt::Key_C || key.key() == Qt::Key_V ||
                     key.key() == Qt::Key_A || key.key() == Qt::Key_Z)) ||
                   (m == (Qt::ControlModifier | Qt::ShiftModifier) && key.key() == Qt::Key_Z);
    QWidget* focus = QApplication::focusWidget();
    return editing && (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) ||
                       qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus));
}

// Offers every key press to the key-down handler once, before any widget sees it, except an editing key
// for a focused text field, which is offered only when the field leaves it alone. A key travels from its
// window to the focus widget and up the widget chain inside its first delivery, so it is offered there; an
// event's address tells it apart only while it is alive, that is while it is delivered.
class Application final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return QApplication::notify(receiver, event);
        auto* key = static_cast<QKeyEvent*>(event);
        bool first =
            std::find(keysInDelivery_.begin(), keysInDelivery_.end(), event) == keysInDelivery_.end();
        bool textFieldFirst = first && IsEditingKeyForTextField(*key);
        if (first && !textFieldFirst && OfferKey(receiver, *key)) {
            ++handledEvents;
            return true;
        }
        keysInDelivery_.push_back(event);
        bool result = QApplication::notify(receiver, event);
        keysInDelivery_.pop_back();
        if (textFieldFirst && !event->isAccepted() && OfferKey(receiver, *key)) {
            ++handledEvents;
            return true;
        }
        return result;
    }

private:
    std::vector<const QEvent*> keysInDelivery_;
};

} // namespace

bool QtApplicationDriver::StartApplication(int argc, char** argv, std::string& error)
{
    if (app) return true;
    const bool xWayland = PreferXWayland(std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"),
                                         std::getenv("DISPLAY"));
    if (xWayland) qputenv("QT_QPA_PLATFORM", "xcb");
    if (!DisplayReachable(error)) {
        if (xWayland) qunsetenv("QT_QPA_PLATFORM");
        return false;
    }
    argcStore = argc;
    argvStore = argv;
    static char fallbackName[] = "nevalon";
    static char* fallbackArgv[] = {fallbackName, nullptr};
    if (argcStore < 1 || !argvStore) {
        argcStore = 1;
        argvStore = fallbackArgv;
    }
    app = new Application(argcStore, argvStore);
    // Programs this one starts run where the desktop would run them.
    if (xWayland) qunsetenv("QT_QPA_PLATFORM");
    app->setQuitOnLastWindowClosed(false);
    filter = new ApplicationFilter();
    // Qt sends what is drawn to the display when the loop is about to wait, and this runs after it.
    firstIdle = QObject::connect(
        QCoreApplication::eventDispatcher(), &QAbstractEventDispatcher::aboutToBlock, filter, [] {
            QObject::disconnect(firstIdle);
            startUpFinished = true;
            QMetaObject::invokeMethod(filter, RunNextAfterStartUp, Qt::QueuedConnection);
        });
    // The desktop's preference, where its portal tells it, outranks the palette; its answer arrives as any
    // change of the appearance does.
    AfterStartUp([] { new DesktopAppearance([](bool dark) { platform::SetAppearance(dark); }, filter); });
    AfterStartUp(ReadSymbolTheme);
    app->installEventFilter(filter);
    lastDark = IsDarkAppearance();
    RegisterPlatformClasses();

    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, filter);
        QObject::connect(notifier, &QSocketNotifier::activated, [] {
            char buffer[16];
            while (read(signalPipe[0], buffer, sizeof buffer) > 0) {
            }
            if (quitHandler) RequestQuit();
        });
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : kQuitSignals)
            sigaction(s, &action, nullptr);
    }
    return true;
}

bool QtApplicationDriver::ApplicationStarted() const
{
    return app != nullptr;
}

void QtApplicationDriver::EndApplication()
{
    if (!app) return;
    afterStartUp.clear();
    QObject::disconnect(firstIdle);
    startUpFinished = false;
    QtWindow::CloseAll();
    EndSystemSounds();
    DrainAutoreleasePool();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int s : kQuitSignals)
        signal(s, SIG_DFL);
    delete filter;
    filter = nullptr;
    delete app;
    app = nullptr;
    for (int& fd : signalPipe) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
    pendingWakeUps = 0;
    quitPending = false;
}

bool QtApplicationDriver::ProcessPlatformEvents(int64_t timeoutMs)
{
    if (!app) return false;
    // The toolkit asks for platform events only with its own queue empty: a quit request is taken.
    quitPending = false;
    uint64_t before = handledEvents;
    if (timeoutMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return handledEvents != before;
    }
    QTimer timer;
    bool timedOut = false;
    if (timeoutMs > 0) {
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [&] { timedOut = true; });
        filter->timeoutTimer = &timer;
        timer.start(static_cast<int>(std::min<int64_t>(timeoutMs, INT32_MAX)));
    }
    while (handledEvents == before && !timedOut)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    filter->timeoutTimer = nullptr;
    return handledEvents != before;
}

void QtApplicationDriver::AfterStartUp(std::function<void()> work)
{
    if (!app || !work) return;
    afterStartUp.push_back(std::move(work));
    if (startUpFinished && afterStartUp.size() == 1)
        QMetaObject::invokeMethod(filter, RunNextAfterStartUp, Qt::QueuedConnection);
}

uint64_t HandledPlatformEvents()
{
    return handledEvents;
}

bool QtApplicationDriver::StartUpFinished() const
{
    return startUpFinished;
}

void QtApplicationDriver::FreeDeferredObjects()
{
    // Qt's own loop deletes what deleteLater() deferred once control returns to it. This program runs its own
    // loop, and Qt never deletes what was deferred outside any dispatch (a window closed by the main loop).
    if (app) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtApplicationDriver::WakeUp()
{
    if (!app) return;
    ++pendingWakeUps;
    QCoreApplication::postEvent(filter, new QEvent(kWakeUpEvent), Qt::HighEventPriority);
}

bool QtApplicationDriver::HasPendingPlatformEvents() const
{
    return pendingWakeUps > 0;
}

void QtApplicationDriver::SetQuitRequestHandler(std::function<void()> handler)
{
    quitHandler = std::move(handler);
}

void QtApplicationDriver::SetKeyDownHandler(std::function<bool(Window&, const KeyEvent&)> handler)
{
    keyDownHandler = std::move(handler);
}

void QtApplicationDriver::SetAppearanceChangeHandler(std::function<void()> handler)
{
    appearanceHandler = std::move(handler);
}

bool QtApplicationDriver::IsDarkAppearance() const
{
    return app && DarkPalette(QApplication::palette());
}

void QtApplicationDriver::SetAppearance(bool dark)
{
    if (!app || dark == IsDarkAppearance()) return;
    SwitchPalette(dark);
    QCoreApplication::sendPostedEvents();
    filter->CheckAppearance();
}

void QtApplicationDriver::ActivateApplication()
{
    QtWindow::ActivateFrontmost();
}

void QtApplicationDriver::SetActivationPolicy(int64_t policy)
{
    if (policy == activationPolicy) return;
    activationPolicy = policy;
    // Windows shown later get it as they show.
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (IsManagedWindow(widget) && widget->isVisible()) SetSkipTaskbar(*widget, policy == 1, true);
}

int64_t QtApplicationDriver::ActivationPolicy() const
{
    return activationPolicy;
}

OsVersion QtApplicationDriver::OperatingSystemVersion() const
{
    // Where Qt 6 runs, the platform is new enough: report the lowest version the check accepts.
    return OsVersion{12, 0, 0};
}

void QtApplicationDriver::SetApplicationIcon(const Image* icon)
{
    if (!app || !icon) return;
    QApplication::setWindowIcon(QIcon(ToQPixmap(icon)));
}

} // namespace nevalon::platform
