#pragma once

#include "platform/Geometry.h"
#include "platform/Object.h"

#include <cstdint>
#include <functional>
#include <string>

namespace nevalon::platform {

class Window;

// The key that chooses a menu item while its menu is open, and the modifiers it takes. `key` is one
// character (F1 to F12: kF1Character and on, see Application.h) or a key's name ("esc"); empty: none.
struct KeyEquivalent {
    std::u16string key;
    bool shift = false, control = false, option = false, command = false;
};

// An entry of a menu ("NSMenuItem"). It belongs to its menu and goes with it.
class MenuItem : public Object {
public:
    using Object::Object;

    virtual int64_t Tag() const = 0;
    // Shows a check mark before the title, or none. Choosing the item never changes it.
    virtual void SetChecked(bool checked) = 0;
};

// A menu of items and separators ("NSMenu").
class Menu : public Object {
public:
    using Object::Object;

    // Appends an item that calls `action` when chosen, on the main thread. The item belongs to the menu.
    virtual MenuItem* AddItem(const std::u16string& title, const KeyEquivalent& key, int64_t tag,
                              std::function<void()> action) = 0;
    virtual void AddSeparator() = 0;
    // The first item with this tag, or null.
    virtual MenuItem* ItemWithTag(int64_t tag) const = 0;

    // Shows the menu with its top-left corner at `at` and returns when it has closed, a chosen item's
    // action having run by then. The menu is modal meanwhile (a modal session runs). `over` (may be
    // null) is the window the menu belongs to; it is held while the menu is up.
    virtual void PopUp(Window* over, Point at) = 0;
};

// A new empty menu with one reference owned by the caller; null without a running application.
Menu* CreatePlatformMenu();

} // namespace nevalon::platform
