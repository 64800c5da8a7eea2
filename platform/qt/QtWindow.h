#pragma once

#include "platform/Window.h"
#include "platform/WindowClasses.h"

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace nevalon::platform {

class QtWindow;

// The Qt widget behind a window; it is the window's content view too.
class QtWindowWidget : public QWidget {
public:
    explicit QtWindowWidget(QtWindow* owner);
    QtWindow* Owner() const { return owner_; }
    void Disown() { owner_ = nullptr; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RememberPress(const QMouseEvent& event);

    QtWindow* owner_;
    // The click series the last press belongs to, as the desktop counts double clicks.
    int clickCount_ = 0;
    Qt::MouseButton lastButton_ = Qt::NoButton;
    quint64 lastPressTime_ = 0;
    QPointF lastPressPosition_;
    bool firstFrameTold_ = false;
};

class QtWindow : public Window {
public:
    QtWindow(const WindowStyle& style, Size contentSize);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    static QtWindow* FromWidget(QWidget* widget);
    static void CloseAll();
    static void ActivateFrontmost();
    QtWindowWidget* Widget() const { return widget_; }

    void SetDelegate(WindowDelegate* delegate) override { delegate_ = delegate; }
    WindowDelegate* Delegate() const override { return delegate_; }
    void SetTitle(const std::u16string& title) override;
    Rect Frame() const override;
    Size ContentSize() const override;
    void SetFrameTopLeft(Point topLeft) override;
    void SetContentSize(Size size) override;
    Size ContentMinSize() const override;
    Size ContentMaxSize() const override;
    bool IsResizable() const override { return style_.resizable; }
    void SetLevel(WindowLevel level) override;
    WindowLevel Level() const override { return level_; }
    void SetParent(Window* parent) override;
    Window* Parent() const override { return parent_.get(); }
    void OrderFront(bool makeKey) override;
    bool IsVisible() const override;
    bool IsKey() const override;
    void SetCanBecomeKey(bool can) override;
    void Zoom() override;
    bool IsZoomed() const override;
    void Miniaturize() override;
    bool IsMiniaturized() const override;
    void SetMovable(bool movable) override;
    void SetTitlebarTransparent(bool transparent) override;
    void SetNeedsDisplay() override;
    void Display() override;
    Object* ContentViewObject() override { return contentView_.get(); }
    void Close() override;
    bool IsClosed() const override { return closed_; }

    // Called by the widget.
    bool UserAskedToClose();
    WindowDelegate* ActiveDelegate() const { return closed_ ? nullptr : delegate_; }

private:
    // Borderless, or a top-level window with a transparent title bar: the window manager draws no frame.
    bool Frameless() const { return !style_.titled || (titlebarTransparent_ && !dialog_); }
    bool Floats() const
    {
        return level_ == WindowLevel::Floating || (parent_ && parent_->Level() == WindowLevel::Floating);
    }
    // The widths of the frame around the content: as the window manager reports them once it has framed
    // the window; before that, for a dialog, as it answers when asked (Qt learns them only after the first
    // showing), and none for any other window.
    QMargins FrameMargins() const;
    void ApplyFlags();
    void NoteZoomChange();
    friend class QtWindowWidget;

    WindowStyle style_;
    QtWindowWidget* widget_;
    WindowDelegate* delegate_ = nullptr;
    // Held, so that a parent closed first never leaves a dangling pointer behind.
    Ref<Window> parent_;
    WindowLevel level_ = WindowLevel::Normal;
    Ref<ContentView> contentView_;
    bool lastZoomed_ = false;
    bool closed_ = false;
    bool movable_ = true;
    bool titlebarTransparent_ = false;
    bool canBecomeKey_ = true;
    // While the program itself minimizes the window: the desktop's offer to minimize is refused
    // otherwise for a window that cannot be minimized.
    bool miniaturizing_ = false;
    // Set once a parent is attached, and kept: a dialog is detached only as it closes.
    bool dialog_ = false;
    mutable std::optional<QMargins> expectedMargins_;
};

} // namespace nevalon::platform
