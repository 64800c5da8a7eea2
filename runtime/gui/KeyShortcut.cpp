#include "runtime/gui/KeyShortcut.h"

#include "platform/Application.h"
#include "runtime/gui/WindowRecord.h"

#include <algorithm>

namespace nevalon::gui {
namespace {

char16_t SpecialCharacter(int64_t key)
{
    switch (key) {
    case 1:
        return 0xF729;
    case 4:
        return 0xF72B;
    case 5:
        return 0xF727;
    case 8:
        return 127;
    case 11:
        return 0xF72C;
    case 12:
        return 0xF72D;
    case 13:
        return 13;
    case 27:
        return 27;
    case 28:
        return 0xF702;
    case 29:
        return 0xF703;
    case 30:
        return 0xF700;
    case 31:
        return 0xF701;
    case 127:
        return 0xF728;
    default:
        break;
    }
    if (key >= 130 && key <= 139) return static_cast<char16_t>(u'0' + (key - 130));
    return 0;
}

// Digits are matched by key, and function keys (key values 256 + their key code) too, whatever the
// keyboard's layout makes them type.
int32_t SpecialKeyCode(int64_t key)
{
    if (key >= u'0' && key <= u'9') return platform::kDigitKeyCodes[key - u'0'];
    for (int code : platform::kFunctionKeyCodes)
        if (key == 256 + code) return code;
    return 0;
}

} // namespace

KxShortcut KxShortcut::InitWithKey(int64_t value, int64_t menuItem)
{
    KxShortcut s;
    s.key = static_cast<int32_t>(value);
    s.eventMenuID = static_cast<int32_t>(menuItem);
    s.modifiers = value & 0xF0000;
    s.character = static_cast<char16_t>(value & 0xFFFF);
    if (s.modifiers & ShortcutShift) {
        switch (s.character) {
        case 9:
            s.character = 25;
            break;
        case u'+':
            s.character = u'*';
            break;
        case u',':
            s.character = u';';
            break;
        case u'-':
            s.character = u'_';
            break;
        case u'.':
            s.character = u':';
            break;
        default:
            break;
        }
        if (s.character >= u'a' && s.character <= u'z') s.character = static_cast<char16_t>(s.character - 32);
    }
    int64_t plain = value & ~int64_t{0xF0000};
    if (char16_t c = SpecialCharacter(plain)) s.character = c;
    if (int32_t code = SpecialKeyCode(plain)) s.keyCode = code;
    return s;
}

bool KxShortcut::IsEventMatch(const platform::KeyEvent& event) const
{
    int64_t flags = 0;
    if (event.shift) flags |= ShortcutShift;
    if (event.control) flags |= ShortcutControl;
    if (event.option) flags |= ShortcutOption;
    if (event.command) flags |= ShortcutCommand;
    if (flags != modifiers) return false;
    if (keyCode != 0) return (event.keyCode & 0xFFFF) == keyCode;
    if (event.characters.size() != 1) return false;
    char16_t c = event.characters[0] == 3 ? char16_t{13} : event.characters[0];
    return c == character;
}

void AddKeyShortcut(int64_t window, int64_t shortcut, int64_t menuItem)
{
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return;
    std::erase_if(record->shortcuts,
                  [&](const KxShortcut& s) { return s.key == static_cast<int32_t>(shortcut); });
    record->shortcuts.push_back(KxShortcut::InitWithKey(shortcut, menuItem));
}

void RemoveKeyShortcut(int64_t window, int64_t shortcut)
{
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return;
    auto it = std::find_if(record->shortcuts.begin(), record->shortcuts.end(),
                           [&](const KxShortcut& s) { return s.key == static_cast<int32_t>(shortcut); });
    if (it != record->shortcuts.end()) record->shortcuts.erase(it);
}

} // namespace nevalon::gui
