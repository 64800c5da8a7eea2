#include "platform/qt/QtWindow.h"

#include "platform/Class.h"
#include "platform/Overrides.h"
#include "platform/qt/QtCoordinates.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtWindowManagerHints.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <cmath>
#include <set>

namespace nevalon::platform {
namespace {

std::set<QtWindow*>& LiveWindows()
{
    static std::set<QtWindow*> windows;
    return windows;
}

QSize ToQtSize(Size size)
{
    return QSize(static_cast<int>(std::lround(size.width)), static_cast<int>(std::lround(size.height)));
}

} // namespace

QtWindowWidget::QtWindowWidget(QtWindow* owner) : owner_(owner) {}

bool QtWindowWidget::event(QEvent* event)
{
    if (WindowDelegate* d = owner_ ? owner_->ActiveDelegate() : nullptr) {
        if (event->type() == QEvent::WindowActivate) d->DidBecomeKey(*owner_);
        if (event->type() == QEvent::WindowDeactivate) d->DidResignKey(*owner_);
    }
    return QWidget::event(event);
}

void QtWindowWidget::closeEvent(QCloseEvent* event)
{
    // Closing is the owner's business: it hides the widget itself when it agrees.
    event->ignore();
    if (owner_) owner_->UserAskedToClose();
}

void QtWindowWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!owner_) return;
    owner_->NoteZoomChange();
    if (WindowDelegate* d = owner_->ActiveDelegate()) d->DidResize(*owner_);
}

void QtWindowWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (WindowDelegate* d = owner_ ? owner_->ActiveDelegate() : nullptr) d->DidMove(*owner_);
}

void QtWindowWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (!owner_ || event->type() != QEvent::WindowStateChange) return;
    WindowDelegate* d = owner_->ActiveDelegate();
    if (!d) return;
    Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    Qt::WindowStates now = windowState();
    if (!(before & Qt::WindowMinimized) && (now & Qt::WindowMinimized) && !owner_->style_.miniaturizable &&
        !owner_->miniaturizing_) {
        // Some window managers offer to minimize any window; one that cannot be minimized would vanish
        // for good from a program without a taskbar entry, so it comes straight back.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (owner_) owner_->OrderFront(true);
            },
            Qt::QueuedConnection);
        return;
    }
    if (!(before & Qt::WindowMinimized) && (now & Qt::WindowMinimized)) d->DidMiniaturize(*owner_);
    if ((before & Qt::WindowMinimized) && !(now & Qt::WindowMinimized)) d->DidDeminiaturize(*owner_);
    if (!(before & Qt::WindowFullScreen) && (now & Qt::WindowFullScreen)) d->DidEnterFullScreen(*owner_);
    if ((before & Qt::WindowFullScreen) && !(now & Qt::WindowFullScreen)) d->DidExitFullScreen(*owner_);
    owner_->NoteZoomChange();
}

void QtWindowWidget::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (owner_ && owner_->titlebarTransparent_) {
        // The window manager draws no frame around such a window, so it draws a thin one itself.
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (WindowDelegate* d = owner_ ? owner_->ActiveDelegate() : nullptr) d->DidDraw(*owner_);
    if (Overrides().firstFrameShown && !firstFrameTold_) {
        firstFrameTold_ = true;
        // Queued: the children are painted and the frame flushed before the loop runs again.
        QTimer::singleShot(0, this, [this] {
            if (Overrides().firstFrameShown) Overrides().firstFrameShown(windowTitle().toStdU16String());
        });
    }
}

void QtWindowWidget::mousePressEvent(QMouseEvent* event)
{
    // Qt reports a third click as a plain press; it continues the series when it comes as soon and
    // as near as the desktop asks of a double click.
    const QStyleHints* hints = QGuiApplication::styleHints();
    QPointF moved = event->globalPosition() - lastPressPosition_;
    bool continues = clickCount_ >= 2 && event->button() == lastButton_ &&
                     event->timestamp() - lastPressTime_ <= quint64(hints->mouseDoubleClickInterval()) &&
                     std::abs(moved.x()) <= hints->mouseDoubleClickDistance() &&
                     std::abs(moved.y()) <= hints->mouseDoubleClickDistance();
    clickCount_ = continues ? clickCount_ + 1 : 1;
    RememberPress(*event);
    QWidget::mousePressEvent(event);
}

void QtWindowWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not the base class: it hands the press to mousePressEvent, which would count it as a new press.
    clickCount_ = std::max(clickCount_ + 1, 2);
    RememberPress(*event);
    QWidget::mousePressEvent(event);
}

void QtWindowWidget::RememberPress(const QMouseEvent& event)
{
    lastButton_ = event.button();
    lastPressTime_ = event.timestamp();
    lastPressPosition_ = event.globalPosition();
}

void QtWindowWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    WindowDelegate* d = owner_ ? owner_->ActiveDelegate() : nullptr;
    if (!d) return;
    if (event->button() == Qt::LeftButton) d->MouseUp(*owner_, clickCount_);
    if (event->button() == Qt::RightButton) d->RightMouseUp(*owner_, clickCount_);
}

QtWindow::QtWindow(const WindowStyle& style, Size contentSize)
    : Window(FindClass("KxWindow")), style_(style), widget_(new QtWindowWidget(this)),
      contentView_(Ref<ContentView>::Adopt(new ContentView(this)))
{
    LiveWindows().insert(this);
    widget_->setAutoFillBackground(true);
    widget_->setAttribute(Qt::WA_QuitOnClose, false);
    ApplyFlags();
    // Created now, so that the frame includes the decorations before the window is first shown.
    widget_->winId();
    if (style_.resizable)
        widget_->resize(ToQtSize(contentSize));
    else
        widget_->setFixedSize(ToQtSize(contentSize));
}

QtWindow::~QtWindow()
{
    LiveWindows().erase(this);
    contentView_->Detach();
    widget_->Disown();
    widget_->hide();
    widget_->deleteLater();
}

QtWindow* QtWindow::FromWidget(QWidget* widget)
{
    auto* w = dynamic_cast<QtWindowWidget*>(widget);
    return w ? w->Owner() : nullptr;
}

void QtWindow::CloseAll()
{
    std::set<QtWindow*> windows = LiveWindows();
    for (QtWindow* window : windows)
        if (LiveWindows().contains(window)) window->Close();
}

void QtWindow::ActivateFrontmost()
{
    if (QApplication::activeWindow()) return;
    for (QtWindow* window : LiveWindows()) {
        if (window->IsVisible() && window->canBecomeKey_) {
            window->OrderFront(true);
            return;
        }
    }
}

void QtWindow::ApplyFlags()
{
    // Qt names a dialog's parent to the window manager (WM_TRANSIENT_FOR) only for a dialog.
    Qt::WindowFlags flags = dialog_ ? Qt::Dialog : Qt::Window;
    if (Frameless()) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (style_.closable) flags |= Qt::WindowCloseButtonHint;
        if (style_.miniaturizable) flags |= Qt::WindowMinimizeButtonHint;
        if (style_.resizable) flags |= Qt::WindowMaximizeButtonHint;
    }
    // A floating window, and a dialog of one (below a floating parent it would open hidden under it), is
    // raised into the floating layer once shown: Qt writes the states of a window it maps over the ones it
    // had, and the taskbar would list it.
    if (Floats() && widget_->isVisible()) flags |= Qt::WindowStaysOnTopHint;
    if (!canBecomeKey_) flags |= Qt::WindowDoesNotAcceptFocus;
    if (QWindow* handle = widget_->windowHandle()) {
        // QWidget::setWindowFlags would re-create a shown window, and showing it again takes the keyboard.
        widget_->overrideWindowFlags(flags);
        handle->setFlags(flags);
        if (!movable_) SetMovableByUser(*widget_, false);
        return;
    }
    widget_->setWindowFlags(flags);
}

void QtWindow::SetTitle(const std::u16string& title)
{
    widget_->setWindowTitle(QString::fromStdU16String(title));
}

QMargins QtWindow::FrameMargins() const
{
    // Qt learns of a frame that went away only when the window manager says so; there is none.
    if (Frameless()) return {};
    const QWindow* handle = widget_->windowHandle();
    const QMargins reported = handle ? handle->frameMargins() : QMargins();
    if (!reported.isNull()) return reported;
    // Asked only where it is placed by its frame before it shows: a dialog kept inside the screen.
    if (!expectedMargins_)
        expectedMargins_ = dialog_ ? AskFrameExtents(*widget_).value_or(QMargins()) : QMargins();
    return *expectedMargins_;
}

Rect QtWindow::Frame() const
{
    return FromQt(widget_->geometry().marginsAdded(FrameMargins()));
}

Size QtWindow::ContentSize() const
{
    return {double(widget_->width()), double(widget_->height())};
}

void QtWindow::SetFrameTopLeft(Point topLeft)
{
    // A move places the frame by the frame size Qt last heard of, which a frameless window no longer has;
    // and before the window is first shown, Qt places its content there instead of its frame.
    if (Frameless() || !widget_->isVisible()) {
        const QMargins m = FrameMargins();
        widget_->setGeometry(QRect(ToQt(topLeft) + QPoint(m.left(), m.top()), widget_->size()));
    } else {
        widget_->move(ToQt(topLeft));
    }
}

void QtWindow::SetContentSize(Size size)
{
    if (style_.resizable)
        widget_->resize(ToQtSize(size));
    else
        widget_->setFixedSize(ToQtSize(size));
}

Size QtWindow::ContentMinSize() const
{
    return {double(widget_->minimumWidth()), double(widget_->minimumHeight())};
}

Size QtWindow::ContentMaxSize() const
{
    return {double(widget_->maximumWidth()), double(widget_->maximumHeight())};
}

void QtWindow::SetLevel(WindowLevel level)
{
    if (level == level_) return;
    level_ = level;
    ApplyFlags();
}

void QtWindow::SetParent(Window* parent)
{
    parent_ = Ref<Window>(parent);
    auto* parentWindow = dynamic_cast<QtWindow*>(parent);
    widget_->winId();
    if (QWindow* handle = widget_->windowHandle())
        handle->setTransientParent(parentWindow ? parentWindow->widget_->windowHandle() : nullptr);
    if (!parent) return;
    dialog_ = true;
    expectedMargins_.reset();
    ApplyFlags();
}

void QtWindow::OrderFront(bool makeKey)
{
    if (closed_) return;
    widget_->setAttribute(Qt::WA_ShowWithoutActivating, !makeKey);
    if (widget_->isMinimized())
        widget_->showNormal();
    else
        widget_->show();
    if (Floats() && !(widget_->windowFlags() & Qt::WindowStaysOnTopHint)) ApplyFlags();
    widget_->raise();
    if (makeKey && canBecomeKey_) widget_->activateWindow();
}

bool QtWindow::IsVisible() const
{
    return !closed_ && widget_->isVisible() && !widget_->isMinimized();
}

bool QtWindow::IsKey() const
{
    return !closed_ && QApplication::activeWindow() == widget_;
}

void QtWindow::SetCanBecomeKey(bool can)
{
    if (can == canBecomeKey_) return;
    canBecomeKey_ = can;
    ApplyFlags();
}

void QtWindow::NoteZoomChange()
{
    bool zoomed = widget_->isMaximized();
    if (zoomed == lastZoomed_) return;
    lastZoomed_ = zoomed;
    WindowDelegate* d = ActiveDelegate();
    if (!d) return;
    QScreen* screen = widget_->screen();
    QRect proposed = zoomed && screen ? screen->availableGeometry() : widget_->normalGeometry();
    d->ShouldZoom(*this, FromQt(proposed));
}

void QtWindow::Zoom()
{
    if (widget_->isMaximized())
        widget_->showNormal();
    else
        widget_->showMaximized();
}

bool QtWindow::IsZoomed() const
{
    return widget_->isMaximized();
}

void QtWindow::Miniaturize()
{
    // Qt tells the widget of the new state before it returns.
    miniaturizing_ = true;
    widget_->showMinimized();
    miniaturizing_ = false;
}

bool QtWindow::IsMiniaturized() const
{
    return widget_->isMinimized();
}

void QtWindow::SetMovable(bool movable)
{
    if (movable == movable_) return;
    movable_ = movable;
    SetMovableByUser(*widget_, movable);
}

void QtWindow::SetTitlebarTransparent(bool transparent)
{
    if (transparent == titlebarTransparent_) return;
    titlebarTransparent_ = transparent;
    ApplyFlags();
    widget_->update();
}

void QtWindow::SetNeedsDisplay()
{
    widget_->update();
}

void QtWindow::Display()
{
    widget_->repaint();
}

bool QtWindow::UserAskedToClose()
{
    if (closed_) return true;
    if (delegate_ && !delegate_->ShouldClose(*this)) return false;
    Close();
    return true;
}

void QtWindow::Close()
{
    if (closed_) return;
    if (delegate_) delegate_->WillClose(*this);
    closed_ = true;
    delegate_ = nullptr;
    widget_->hide();
    // The platform's own reference goes with the close, once the current dispatch is over.
    Autorelease(this);
}

Window* QtWindowDriver::CreatePlatformWindow(const WindowStyle& style, Size contentSize)
{
    if (!QApplication::instance()) return nullptr;
    return new QtWindow(style, contentSize);
}

Window* QtWindowDriver::KeyWindow() const
{
    return QtWindow::FromWidget(QApplication::activeWindow());
}

} // namespace nevalon::platform
