#include "platform/qt/QtMenu.h"

#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/ModalSession.h"
#include "platform/Window.h"
#include "platform/qt/QtCoordinates.h"
#include "platform/qt/QtDrivers.h"

#include <QApplication>
#include <QKeyEvent>

namespace nevalon::platform {
namespace {

int QtKeyOf(const std::u16string& key)
{
    if (key.size() == 1) {
        char16_t c = key[0];
        if (c >= kF1Character && c < kF1Character + 12) return Qt::Key_F1 + (c - kF1Character);
        return QChar(c).toUpper().unicode();
    }
    // A named key ("esc", "tab", "del"), as Qt reads the names it writes.
    QKeySequence named = QKeySequence::fromString(QString::fromStdU16String(key), QKeySequence::PortableText);
    if (named.count() != 1 || named[0].keyboardModifiers() != Qt::NoModifier) return 0;
    return named[0].key();
}

// Qt's convention: the Command key is Control, and Control is Meta.
QKeySequence SequenceOf(const KeyEquivalent& key)
{
    int qtKey = key.key.empty() ? 0 : QtKeyOf(key.key);
    if (!qtKey) return {};
    Qt::KeyboardModifiers modifiers;
    if (key.shift) modifiers |= Qt::ShiftModifier;
    if (key.command) modifiers |= Qt::ControlModifier;
    if (key.control) modifiers |= Qt::MetaModifier;
    if (key.option) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

} // namespace

void QtMenuWidget::Choose(QAction* action)
{
    setActiveAction(action);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QMenu::keyPressEvent(&enter);
}

void QtMenuWidget::keyPressEvent(QKeyEvent* event)
{
    // Qt's shortcut map never looks into a pop-up menu, so the menu matches its key equivalents itself.
    QKeySequence pressed(event->keyCombination());
    for (QAction* action : actions()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed && action->isEnabled()) {
            Choose(action);
            return;
        }
    }
    QMenu::keyPressEvent(event);
}

QtMenuItem::QtMenuItem(QAction* action, int64_t tag, std::function<void()> chosen)
    : MenuItem(FindClass("NSMenuItem")), action_(action), tag_(tag), chosen_(std::move(chosen))
{
    connection_ = QObject::connect(action, &QAction::triggered, action, [this] { Chosen(); });
}

QtMenuItem::~QtMenuItem()
{
    // The action may outlive the item for a moment (its menu is deleted later); it calls nobody now.
    QObject::disconnect(connection_);
}

void QtMenuItem::SetChecked(bool checked)
{
    checked_ = checked;
    if (!action_) return;
    // Only a checked item is checkable: an unchecked one shows no empty box.
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

void QtMenuItem::Chosen()
{
    // Qt toggles a checkable action as it is chosen; the check mark is the program's to set.
    if (action_ && action_->isCheckable()) action_->setChecked(checked_);
    // A copy: the action may free the menu, and this item with it.
    std::function<void()> chosen = chosen_;
    if (chosen) chosen();
}

QtMenu::QtMenu() : Menu(FindClass("NSMenu")), widget_(new QtMenuWidget()) {}

QtMenu::~QtMenu()
{
    // Not deleted at once: this may run inside one of the menu's own signals.
    if (widget_) widget_->deleteLater();
}

MenuItem* QtMenu::AddItem(const std::u16string& title, const KeyEquivalent& key, int64_t tag,
                          std::function<void()> action)
{
    if (!widget_) return nullptr;
    QAction* qtAction = widget_->addAction(QString::fromStdU16String(title));
    qtAction->setShortcut(SequenceOf(key));
    qtAction->setShortcutVisibleInContextMenu(true);
    items_.push_back(Ref<QtMenuItem>::Adopt(new QtMenuItem(qtAction, tag, std::move(action))));
    return items_.back().get();
}

void QtMenu::AddSeparator()
{
    if (widget_) widget_->addSeparator();
}

MenuItem* QtMenu::ItemWithTag(int64_t tag) const
{
    for (const Ref<QtMenuItem>& item : items_)
        if (item->Tag() == tag) return item.get();
    return nullptr;
}

void QtMenu::PopUp(Window* over, Point at)
{
    if (!widget_ || widget_->isVisible()) return;
    // A chosen item may free this menu or the window it is shown over.
    Ref<Menu> self(this);
    Ref<Window> window(over);
    ModalSessionScope session;
    widget_->exec(ToQt(at));
}

Menu* QtControlDriver::CreatePlatformMenu()
{
    if (!QApplication::instance()) return nullptr;
    return new QtMenu();
}

} // namespace nevalon::platform
