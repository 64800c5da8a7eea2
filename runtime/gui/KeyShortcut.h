#pragma once

#include <cstdint>

namespace nevalon::platform {
struct KeyEvent;
}

namespace nevalon::gui {

// Modifier bits of a shortcut value (the key is in the low 16 bits).
enum ShortcutModifier : int64_t {
    ShortcutShift = 0x10000,
    ShortcutControl = 0x20000,
    ShortcutOption = 0x40000,
    ShortcutCommand = 0x80000,
};

// One keyboard shortcut of a window: which key press produces which menu item.
struct KxShortcut {
    int64_t modifiers = 0;
    char16_t character = 0;
    int32_t keyCode = 0; // 0: match by character
    int32_t eventMenuID = 0;
    int32_t key = 0; // the shortcut value it was made from

    // Decodes a shortcut value into what a key press must look like.
    static KxShortcut InitWithKey(int64_t value, int64_t menuItem);
    // Whether this key press is the shortcut.
    bool IsEventMatch(const platform::KeyEvent& event) const;
};

// Attaches a shortcut to a window, replacing one with the same value; pressing it posts event 1
// with the menu item and the window.
void AddKeyShortcut(int64_t window, int64_t shortcut, int64_t menuItem);

// Removes the window's first shortcut made from this value.
void RemoveKeyShortcut(int64_t window, int64_t shortcut);

} // namespace nevalon::gui
