#pragma once

#include "platform/Class.h"
#include "platform/View.h"
#include "platform/qt/QtCoordinates.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtWindow.h"

#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QTextDocument>
#include <QWidget>
#include <cmath>
#include <memory>

namespace nevalon::platform {

class Image;

// The part of every Qt view that holds its widget. The widget belongs to its window (or container) once
// added, to the view before; either way the view's end takes it off the screen.
class QtWidgetHolder {
public:
    explicit QtWidgetHolder(QWidget* widget) : widget_(widget), context_(std::make_unique<QObject>()) {}
    virtual ~QtWidgetHolder();
    QtWidgetHolder(const QtWidgetHolder&) = delete;
    QtWidgetHolder& operator=(const QtWidgetHolder&) = delete;

    // Null once Qt deleted the widget with its window.
    QWidget* Widget() const { return widget_; }
    // The holder of a view of this backend, or null.
    static QtWidgetHolder* Of(View& view) { return dynamic_cast<QtWidgetHolder*>(&view); }

protected:
    // The context of every connection to the widget's signals: they end with the view.
    QObject* Context() const { return context_.get(); }

    QPointer<QWidget> widget_;
    bool hidden_ = false;

private:
    std::unique_ptr<QObject> context_;
};

QColor ToQColor(uint32_t rgba);
uint32_t FromQColor(const QColor& color);
// Qt reads "&" in a button's title as the mark of a shortcut letter; a title is shown as written.
QString PlainButtonTitle(const std::u16string& title);
// The picture at its point size, or a null pixmap for no image.
QPixmap ToQPixmap(const Image* image);
// The picture as a button or a menu item shows it, or a null icon for no image.
QIcon ToQIcon(const Image* image);
// The decimal number the text starts with, after blanks (0 when none), as a text field reads its value.
int64_t LeadingInteger(const QString& text);

// The view operations every Qt view shares.
template <typename Base> class QtView : public Base, public QtWidgetHolder {
public:
    QtView(const char* className, QWidget* widget) : Base(FindClass(className)), QtWidgetHolder(widget)
    {
        widget->hide();
    }

    void AddTo(Window& window) override
    {
        if (auto* w = dynamic_cast<QtWindow*>(&window)) Place(w->Widget());
    }
    void AddTo(View& container) override
    {
        if (QtWidgetHolder* holder = Of(container); holder && holder->Widget()) Place(holder->Widget());
    }
    void RemoveFromSuperview() override
    {
        if (!widget_) return;
        QRect frame = widget_->geometry();
        widget_->hide();
        widget_->setParent(nullptr);
        widget_->setGeometry(frame);
    }
    Rect Frame() const override { return widget_ ? ToRect(widget_->geometry()) : Rect{}; }
    void SetFrame(const Rect& frame) override
    {
        if (widget_)
            widget_->setGeometry(int(std::lround(frame.x)), int(std::lround(frame.y)),
                                 int(std::lround(frame.width)), int(std::lround(frame.height)));
    }
    Point OriginInWindow() const override
    {
        if (!widget_) return {};
        QPoint p = widget_->parentWidget() ? widget_->mapTo(widget_->window(), QPoint(0, 0)) : widget_->pos();
        return {double(p.x()), double(p.y())};
    }
    Point OriginOnScreen() const override
    {
        return widget_ ? FromQt(widget_->mapToGlobal(QPoint(0, 0))) : Point{};
    }
    void SetHidden(bool hidden) override
    {
        hidden_ = hidden;
        if (widget_ && widget_->parentWidget()) widget_->setVisible(!hidden);
    }
    void SetToolTip(const std::u16string& text) override
    {
        // Converted, so that a tip which looks like markup still shows its characters.
        if (!widget_) return;
        const QString plain = QString::fromStdU16String(text);
        widget_->setToolTip(plain.isEmpty() ? QString() : Qt::convertFromPlainText(plain, Qt::WhiteSpacePre));
        // A screen reader would otherwise read the tip's markup out.
        widget_->setAccessibleDescription(plain);
    }
    void SetAccessibleName(const std::u16string& name) override
    {
        if (widget_) widget_->setAccessibleName(QString::fromStdU16String(name));
    }
    void LabelFor(View& target) override
    {
        auto* label = qobject_cast<QLabel*>(widget_.data());
        QtWidgetHolder* holder = Of(target);
        if (label && holder && holder->Widget()) label->setBuddy(holder->Widget());
    }
    void Focus() override
    {
        if (widget_) widget_->setFocus(Qt::OtherFocusReason);
    }

private:
    static Rect ToRect(const QRect& r)
    {
        return {double(r.x()), double(r.y()), double(r.width()), double(r.height())};
    }
    void Place(QWidget* parent)
    {
        if (!widget_) return;
        QRect frame = widget_->geometry();
        widget_->setParent(parent);
        widget_->setGeometry(frame);
        widget_->setVisible(!hidden_);
    }
};

// The control operations every Qt control shares. Its colours are palette roles of the widget; the colours
// not set are inherited, so that they follow the desktop's appearance.
template <typename Base> class QtControl : public QtView<Base> {
public:
    QtControl(const char* className, QWidget* widget, QPalette::ColorRole textRole,
              QPalette::ColorRole backgroundRole)
        : QtView<Base>(className, widget), textRole_(textRole), backgroundRole_(backgroundRole)
    {
    }

    void SetEnabled(bool enabled) override
    {
        if (this->widget_) this->widget_->setEnabled(enabled);
    }
    bool IsEnabled() const override { return this->widget_ && this->widget_->isEnabled(); }
    void SetFont(Font* font) override
    {
        font_ = Ref<Font>(font);
        // A font without any property set is the inherited one.
        if (this->widget_) this->widget_->setFont(font ? ToQFont(*font) : QFont());
    }
    Font* GetFont() const override { return font_.get(); }
    void SetTextColor(Color color) override
    {
        text_ = color;
        ApplyColors();
    }
    void SetBackgroundColor(Color color) override
    {
        background_ = color;
        ApplyColors();
    }
    uint32_t TextColor() const override
    {
        return this->widget_ ? FromQColor(this->widget_->palette().color(textRole_)) : 0;
    }
    uint32_t BackgroundColor() const override
    {
        return this->widget_ ? FromQColor(this->widget_->palette().color(backgroundRole_)) : 0;
    }

private:
    void ApplyColors()
    {
        if (!this->widget_) return;
        QPalette palette;
        palette.setResolveMask(0);
        if (text_) palette.setColor(textRole_, ToQColor(*text_));
        if (background_) palette.setColor(backgroundRole_, ToQColor(*background_));
        this->widget_->setPalette(palette);
        if (backgroundRole_ == QPalette::Window)
            this->widget_->setAutoFillBackground(background_.has_value());
    }

    QPalette::ColorRole textRole_, backgroundRole_;
    Color text_, background_;
    Ref<Font> font_;
};

} // namespace nevalon::platform
