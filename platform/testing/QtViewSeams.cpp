#include "platform/qt/QtView.h"
#include "platform/testing/TestSeams.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextDocumentFragment>

namespace nevalon::platform {
namespace {

QWidget* WidgetOfHandle(int64_t handle)
{
    auto* view = dynamic_cast<View*>(ObjectFromHandle(handle));
    QtWidgetHolder* holder = view ? QtWidgetHolder::Of(*view) : nullptr;
    return holder ? holder->Widget() : nullptr;
}

// Text as a label or a tool tip draws it: markup is read only where the widget reads it.
QString AsDrawn(const QString& text, bool readsMarkup)
{
    return readsMarkup && Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText()
                                                    : text;
}

// A button's title as drawn: "&&" shows "&", a single "&" marks the letter after it and is not drawn.
QString TitleAsDrawn(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

} // namespace

void ClickViewForTests(int64_t view)
{
    QWidget* widget = WidgetOfHandle(view);
    if (!widget) return;
    // Whatever shows at the centre takes the click, a view inside a container as well.
    QPoint middle = widget->rect().center();
    if (QWidget* inside = widget->childAt(middle)) {
        middle = inside->mapFrom(widget, middle);
        widget = inside;
    }
    QPointF centre(middle);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(widget, new QMouseEvent(type, centre, widget->mapToGlobal(centre),
                                                            Qt::LeftButton, buttons, Qt::NoModifier));
    }
}

void TypeIntoViewForTests(int64_t view, const std::u16string& text)
{
    QWidget* widget = WidgetOfHandle(view);
    auto* field = qobject_cast<QLineEdit*>(widget);
    if (!field && widget) field = widget->findChild<QLineEdit*>();
    if (!field) return;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    for (char16_t unit : text) {
        QString character{QChar(unit)};
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, 0, Qt::NoModifier, character);
            QApplication::sendEvent(field, &key);
        }
    }
}

ViewTextsForTests TextsOfViewForTests(int64_t view)
{
    QWidget* widget = WidgetOfHandle(view);
    if (!widget) return {};
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget))
        shown = AsDrawn(label->text(), label->textFormat() != Qt::PlainText);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        shown = TitleAsDrawn(button->text());
    else if (auto* field = qobject_cast<QLineEdit*>(widget))
        shown = field->displayText();
    else if (auto* box = qobject_cast<QComboBox*>(widget))
        shown = box->currentText();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return {shown.toStdU16String(), AsDrawn(widget->toolTip(), true).toStdU16String(),
            accessible ? accessible->text(QAccessible::Name).toStdU16String() : std::u16string()};
}

} // namespace nevalon::platform
