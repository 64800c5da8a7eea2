#include "platform/Controls.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtView.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace nevalon::platform {
namespace {

Qt::Alignment HorizontalOf(TextAlignment alignment)
{
    return alignment == TextAlignment::Right    ? Qt::AlignRight
           : alignment == TextAlignment::Centre ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
}

class QtTextLabel final : public QtControl<TextLabel> {
public:
    QtTextLabel() : QtControl<TextLabel>("NSTextField", new QLabel(), QPalette::WindowText, QPalette::Window)
    {
        Widget()->setTextFormat(Qt::PlainText);
        Widget()->setTextInteractionFlags(Qt::NoTextInteraction);
        SetAlignment(TextAlignment::Left);
    }

    void SetStringValue(const std::u16string& text) override
    {
        if (Widget()) Widget()->setText(QString::fromStdU16String(text));
    }
    std::u16string StringValue() const override
    {
        return Widget() ? Widget()->text().toStdU16String() : std::u16string();
    }
    void SetIntegerValue(int64_t value) override
    {
        if (Widget()) Widget()->setNum(double(value));
    }
    int64_t IntegerValue() const override { return Widget() ? LeadingInteger(Widget()->text()) : 0; }
    void SetAlignment(TextAlignment alignment) override
    {
        if (Widget()) Widget()->setAlignment(HorizontalOf(alignment) | Qt::AlignTop);
    }
    void SetBordered(bool bordered) override
    {
        if (Widget()) Widget()->setFrameStyle(bordered ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    }

private:
    QLabel* Widget() const { return static_cast<QLabel*>(widget_.data()); }
};

// Asks the field's edit check about every edit the person makes.
class EditCheckValidator final : public QValidator {
public:
    TextField::EditCheck check;

    State validate(QString& input, int& position) const override
    {
        if (!check) return Acceptable;
        std::optional<std::u16string> shown = check(input.toStdU16String());
        if (!shown) return Invalid;
        QString replacement = QString::fromStdU16String(*shown);
        if (replacement != input) {
            position =
                std::clamp(position + int(replacement.size() - input.size()), 0, int(replacement.size()));
            input = replacement;
        }
        return Acceptable;
    }
};

// A line edit that reports the focus it gets and loses to its field. The window's own activation is no
// change of focus inside it.
class QtLineEdit final : public QLineEdit {
public:
    std::function<void()> focusIn, focusOut;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QLineEdit::focusInEvent(event);
        if (Counts(*event) && focusIn) Copy(focusIn)();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QLineEdit::focusOutEvent(event);
        if (Counts(*event) && focusOut) Copy(focusOut)();
    }

private:
    static bool Counts(const QFocusEvent& event)
    {
        return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
    }
    // A handler may free the field, and its function with it.
    static std::function<void()> Copy(const std::function<void()>& f) { return f; }
};

class QtTextField final : public QtControl<TextField> {
public:
    QtTextField(const QtTextField&) = delete;
    QtTextField& operator=(const QtTextField&) = delete;
    explicit QtTextField(bool secure)
        : QtControl<TextField>(secure ? "NSSecureTextField" : "NSTextField", new QtLineEdit(), QPalette::Text,
                               QPalette::Base),
          validator_(new EditCheckValidator())
    {
        validator_->setParent(Widget());
        Widget()->setValidator(validator_);
        if (secure) Widget()->setEchoMode(QLineEdit::Password);
        QObject::connect(Widget(), &QLineEdit::textEdited, Context(), [this] {
            std::function<void()> changed = changed_;
            if (changed) changed();
        });
    }
    ~QtTextField() override
    {
        // The widget outlives the view a little, and hiding it takes its focus away.
        SetFocusHandler(nullptr);
        SetEditingEndHandler(nullptr);
    }

    void SetStringValue(const std::u16string& text) override
    {
        if (!Widget()) return;
        // The check is the person's: the program's text is taken as it is.
        Widget()->setValidator(nullptr);
        Widget()->setText(QString::fromStdU16String(text));
        Widget()->setValidator(validator_);
    }
    std::u16string StringValue() const override
    {
        return Widget() ? Widget()->text().toStdU16String() : std::u16string();
    }
    void SetIntegerValue(int64_t value) override { SetStringValue(QString::number(value).toStdU16String()); }
    int64_t IntegerValue() const override { return Widget() ? LeadingInteger(Widget()->text()) : 0; }
    void SetEditCheck(EditCheck check) override
    {
        if (validator_) validator_->check = std::move(check);
    }
    void SetEditable(bool editable) override
    {
        if (Widget()) Widget()->setReadOnly(!editable);
    }
    void SetBordered(bool bordered) override
    {
        if (Widget()) Widget()->setFrame(bordered);
    }
    void SetFocusHandler(std::function<void()> handler) override
    {
        if (Widget()) Widget()->focusIn = std::move(handler);
    }
    void SetChangeHandler(std::function<void()> handler) override { changed_ = std::move(handler); }
    void SetEditingEndHandler(std::function<void()> handler) override
    {
        if (Widget()) Widget()->focusOut = std::move(handler);
    }

private:
    QtLineEdit* Widget() const { return static_cast<QtLineEdit*>(widget_.data()); }

    QPointer<EditCheckValidator> validator_;
    std::function<void()> changed_;
};

} // namespace

TextLabel* QtControlDriver::CreateTextLabel()
{
    return QApplication::instance() ? new QtTextLabel() : nullptr;
}

TextField* QtControlDriver::CreateTextField(bool secure)
{
    return QApplication::instance() ? new QtTextField(secure) : nullptr;
}

} // namespace nevalon::platform
