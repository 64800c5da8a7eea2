#include "platform/Controls.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtView.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>

namespace nevalon::platform {
namespace {

// A push button that can be its window's default one outside a dialog: it watches the key presses that
// reach its window widget, which are those the focused view let pass.
class QtButtonWidget final : public QPushButton {
public:
    void SetWindowDefault(bool isDefault)
    {
        windowDefault_ = isDefault;
        setDefault(isDefault);
        WatchWindow();
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ParentChange) WatchWindow();
        return QPushButton::event(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != watched_ || event->type() != QEvent::KeyPress || !windowDefault_) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || !isEnabled() || !isVisible()) return false;
        click();
        return true;
    }

private:
    void WatchWindow()
    {
        if (watched_) watched_->removeEventFilter(this);
        watched_ = windowDefault_ && window() != this ? window() : nullptr;
        if (watched_) watched_->installEventFilter(this);
    }

    bool windowDefault_ = false;
    QPointer<QWidget> watched_;
};

class QtButton final : public QtControl<Button> {
public:
    QtButton() : QtControl<Button>("NSButton", new QtButtonWidget(), QPalette::ButtonText, QPalette::Button)
    {
        QObject::connect(Widget(), &QPushButton::clicked, Context(), [this] { SendAction(); });
        for (auto signal : {&QPushButton::pressed, &QPushButton::released})
            QObject::connect(Widget(), signal, Context(), [this] { ShowImage(); });
        QObject::connect(Widget(), &QPushButton::toggled, Context(), [this] { ShowImage(); });
    }

    void SetStringValue(const std::u16string& text) override
    {
        title_ = text;
        if (Widget()) Widget()->setText(bezel_ == Bezel::Disclosure ? QString() : PlainButtonTitle(text));
    }
    std::u16string StringValue() const override { return title_; }
    void SetIntegerValue(int64_t value) override
    {
        if (Widget() && Widget()->isCheckable()) Widget()->setChecked(value != 0);
    }
    int64_t IntegerValue() const override { return Widget() && Widget()->isChecked() ? 1 : 0; }

    void SetAlignment(TextAlignment alignment) override
    {
        // Centred is the style's own; a style sheet for the others keeps the style's drawing otherwise.
        static const char* const sheets[] = {"text-align: left", "text-align: right", ""};
        if (Widget()) Widget()->setStyleSheet(QString::fromLatin1(sheets[int(alignment)]));
    }
    void SetToggle(bool toggle) override
    {
        if (Widget()) Widget()->setCheckable(toggle);
    }
    void SetDefault(bool isDefault) override
    {
        if (Widget()) Widget()->SetWindowDefault(isDefault);
    }
    void SetBezel(Bezel bezel) override
    {
        bezel_ = bezel;
        if (!Widget()) return;
        // Qt's styles draw one outline for rounded and square push buttons; the disclosure arrow is drawn.
        if (bezel == Bezel::Disclosure)
            Widget()->setIcon(Widget()->style()->standardIcon(QStyle::SP_ArrowDown));
        SetStringValue(title_);
        ShowImage();
    }
    Bezel GetBezel() const override { return bezel_; }
    void SetImage(Image* image) override
    {
        image_ = Ref<Image>(image);
        ShowImage();
    }
    Image* GetImage() const override { return image_.get(); }
    void SetAlternateImage(Image* image) override
    {
        alternate_ = Ref<Image>(image);
        ShowImage();
    }
    Image* GetAlternateImage() const override { return alternate_.get(); }

private:
    QtButtonWidget* Widget() const { return static_cast<QtButtonWidget*>(widget_.data()); }

    // The alternate picture while the button is down or toggled on, the picture otherwise.
    void ShowImage()
    {
        if (!Widget() || bezel_ == Bezel::Disclosure) return;
        bool down = Widget()->isDown() || Widget()->isChecked();
        const Image* shown = down && alternate_ ? alternate_.get() : image_.get();
        QPixmap pixmap = ToQPixmap(shown);
        Widget()->setIcon(ToQIcon(shown));
        if (!pixmap.isNull()) Widget()->setIconSize(pixmap.deviceIndependentSize().toSize());
    }

    std::u16string title_;
    Bezel bezel_ = Bezel::Rounded;
    Ref<Image> image_, alternate_;
};

// A check box whose click never leads to the mixed state: the person checks or clears it.
class QtCheckBoxWidget final : public QCheckBox {
protected:
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

class QtCheckBox final : public QtControl<CheckBox> {
public:
    QtCheckBox()
        : QtControl<CheckBox>("NSButton", new QtCheckBoxWidget(), QPalette::WindowText, QPalette::Window)
    {
        QObject::connect(Widget(), &QCheckBox::clicked, Context(), [this] { SendAction(); });
    }

    void SetStringValue(const std::u16string& text) override
    {
        title_ = text;
        if (Widget()) Widget()->setText(PlainButtonTitle(text));
    }
    std::u16string StringValue() const override { return title_; }
    void SetIntegerValue(int64_t value) override
    {
        if (!Widget() || (value < 0 && !Widget()->isTristate())) return;
        Widget()->setCheckState(value < 0 ? Qt::PartiallyChecked : value ? Qt::Checked : Qt::Unchecked);
    }
    int64_t IntegerValue() const override
    {
        if (!Widget()) return 0;
        Qt::CheckState state = Widget()->checkState();
        return state == Qt::PartiallyChecked ? -1 : state == Qt::Checked ? 1 : 0;
    }
    void SetAlignment(TextAlignment) override {}
    void SetAllowsMixedState(bool allows) override
    {
        if (Widget()) Widget()->setTristate(allows);
    }

private:
    QCheckBox* Widget() const { return static_cast<QCheckBox*>(widget_.data()); }

    std::u16string title_;
};

} // namespace

Button* QtControlDriver::CreateButton()
{
    return QApplication::instance() ? new QtButton() : nullptr;
}

CheckBox* QtControlDriver::CreateCheckBox()
{
    return QApplication::instance() ? new QtCheckBox() : nullptr;
}

} // namespace nevalon::platform
