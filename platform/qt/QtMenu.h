#pragma once

#include "platform/Menu.h"

#include <QMenu>
#include <QPointer>
#include <vector>

namespace nevalon::platform {

// A menu's Qt widget. A key equivalent chooses its item while the menu is open, as a person choosing
// it would: the menu closes and the item's action runs.
class QtMenuWidget final : public QMenu {
public:
    // Chooses the item as Return on it does.
    void Choose(QAction* action);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class QtMenuItem final : public MenuItem {
public:
    QtMenuItem(QAction* action, int64_t tag, std::function<void()> chosen);
    ~QtMenuItem() override;
    QtMenuItem(const QtMenuItem&) = delete;
    QtMenuItem& operator=(const QtMenuItem&) = delete;

    int64_t Tag() const override { return tag_; }
    void SetChecked(bool checked) override;

private:
    void Chosen();

    QPointer<QAction> action_;
    QMetaObject::Connection connection_;
    int64_t tag_;
    bool checked_ = false;
    std::function<void()> chosen_;
};

class QtMenu final : public Menu {
public:
    QtMenu();
    ~QtMenu() override;
    QtMenu(const QtMenu&) = delete;
    QtMenu& operator=(const QtMenu&) = delete;

    MenuItem* AddItem(const std::u16string& title, const KeyEquivalent& key, int64_t tag,
                      std::function<void()> action) override;
    void AddSeparator() override;
    MenuItem* ItemWithTag(int64_t tag) const override;
    void PopUp(Window* over, Point at) override;

    QtMenuWidget* Widget() const { return widget_; }

private:
    // Owned here, never by a parent widget: the menu lives as long as this object.
    QPointer<QtMenuWidget> widget_;
    std::vector<Ref<QtMenuItem>> items_;
};

} // namespace nevalon::platform
