#include "runtime/gui/Menu.h"

#include "platform/Application.h"
#include "platform/Menu.h"
#include "platform/Screens.h"
#include "runtime/gui/ApplicationMenu.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/ObjectTable.h"
#include "runtime/gui/WindowRecord.h"
#include "runtime/system/strings/Strings.h"

#include <optional>

namespace nevalon::gui {
namespace {

// What the toolkit keeps for one menu. Only pop-up menus are made here: one platform menu, no menu bar,
// no images, no submenus.
struct MenuRecord {
    platform::Ref<platform::Menu> menu;
    int64_t shownOver = 0; // platform handle of the window the menu was last shown over

    bool IsLive() const { return static_cast<bool>(menu); }
};

ObjectTable<MenuRecord>& Menus()
{
    // Never destroyed: menus may still be freed while the process exits.
    static auto* table = new ObjectTable<MenuRecord>(8, [](int64_t n) { DestroyMenu(n); });
    return *table;
}

// The menu that AppendMenuItem builds.
std::optional<int64_t> currentMenu;

struct ItemText {
    std::u16string title;
    platform::KeyEquivalent key;
};

ItemText ParseItemText(std::u16string text)
{
    std::erase(text, u'&');
    size_t tab = text.find(u'\t');
    if (tab == std::u16string::npos) return {text, {}};
    ItemText parsed{text.substr(0, tab), {}};
    platform::KeyEquivalent& key = parsed.key;
    // Upper-cased and lower-cased alike: the words match in any case, and a key is lower case.
    std::u16string keys = system::LowerCase(text.substr(tab + 1)) + u"+";
    size_t plus = 0;
    for (size_t start = 0; (plus = keys.find(u'+', start)) != std::u16string::npos; start = plus + 1) {
        std::u16string token = keys.substr(start, plus - start);
        if (token == u"cmd") {
            key.command = true;
        } else if (token == u"shift") {
            key.shift = true;
        } else if (token == u"alt") {
            key.option = true;
        } else if (token == u"ctrl") {
            key.control = true;
        } else {
            key.key = token;
            for (int f = 1; f <= 12; ++f)
                if (token == u"f" + system::IntegerToString(f))
                    key.key = std::u16string(1, static_cast<char16_t>(platform::kF1Character + f - 1));
        }
    }
    return parsed;
}

// A choice of an item of the menu `number`: reported with the window the menu was shown over, unless
// that window is disabled.
void PostChoice(int64_t number, int64_t item)
{
    MenuRecord* record = Menus().Find(number);
    if (!record) return;
    int64_t window = 0;
    if (record->shownOver != 0) {
        auto* shownOver = dynamic_cast<platform::Window*>(platform::ObjectFromHandle(record->shownOver));
        window = shownOver ? WindowNumberOf(*shownOver) : -1;
        if (WindowRecord* over = FindWindowRecord(window); over && over->disabled) return;
    }
    PostEvent(EventMenu, item, window, 0);
}

} // namespace

int64_t NewPopupMenu(int64_t menu)
{
    auto created = platform::Ref<platform::Menu>::Adopt(platform::CreatePlatformMenu());
    if (!created) return 0;
    MenuRecord* record = Menus().Create(menu);
    if (!record) return 0;
    record->menu = created;
    int64_t number = menu == -1 ? Menus().NumberOf(record) : menu;
    currentMenu = number;
    return menu == -1 ? number : created->Handle();
}

int64_t AppendMenuItem(int64_t item, const std::u16string& text, int64_t /*image*/)
{
    MenuRecord* record = currentMenu ? Menus().Find(*currentMenu) : nullptr;
    if (!record || item == MenuItemQuit || item == MenuItemAbout || item == MenuItemPreferences) return 0;
    ItemText parsed = ParseItemText(text);
    int64_t number = *currentMenu;
    platform::MenuItem* added =
        record->menu->AddItem(parsed.title, parsed.key, item, [number, item] { PostChoice(number, item); });
    return added ? added->Handle() : 0;
}

void AppendMenuSeparator()
{
    if (MenuRecord* record = currentMenu ? Menus().Find(*currentMenu) : nullptr) record->menu->AddSeparator();
}

void SetMenuItemCheck(int64_t menu, int64_t item, int64_t state)
{
    MenuRecord* record = Menus().Find(menu);
    platform::MenuItem* found = record ? record->menu->ItemWithTag(item) : nullptr;
    if (found) found->SetChecked(state != 0);
}

void ShowPopupMenu(int64_t menu, int64_t windowHandle, int64_t x, int64_t y)
{
    MenuRecord* record = Menus().Find(menu);
    if (!record) return;
    auto* window = dynamic_cast<platform::Window*>(platform::ObjectFromHandle(windowHandle));
    record->shownOver = window ? windowHandle : 0;
    platform::Point at = x != KeepValue && y != KeepValue ? platform::Point{double(x), double(y)}
                                                          : platform::PointerPosition();
    // Held: a choice may free the menu while it is still up.
    platform::Ref<platform::Menu> shown = record->menu;
    shown->PopUp(window, at);
}

int64_t MenuExists(int64_t menu)
{
    return Menus().Exists(menu) ? 1 : 0;
}

void DestroyMenu(int64_t menu)
{
    if (menu == -1) {
        Menus().Free(-1);
        return;
    }
    if (!Menus().Exists(menu)) return;
    if (currentMenu == menu) currentMenu.reset();
    Menus().Release(menu);
}

void DestroyMenusShownOver(int64_t windowHandle)
{
    if (windowHandle == 0) return;
    for (int64_t n : Menus().LiveNumbers())
        if (Menus().Find(n)->shownOver == windowHandle) DestroyMenu(n);
}

} // namespace nevalon::gui
