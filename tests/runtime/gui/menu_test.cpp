#include "ToolkitFixture.h"
#include "runtime/gui/ApplicationMenu.h"
#include "runtime/gui/WindowTimer.h"

#include <tuple>

namespace nevalon::gui {
namespace {

using platform::MenuEntriesForTests;
using testing::Events;

class MenuTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(CreateWindow(1, 20, 20, 200, 100, u"menus", WindowNoActivate), 0);
        Drain();
    }
    // Shows the menu over the window (0: over none), chooses the item titled `choice` and returns the
    // entries the menu showed.
    static MenuEntriesForTests Show(int64_t menu, const std::u16string& choice = u"", int64_t window = 1,
                                    int64_t afterMilliseconds = 0)
    {
        MenuEntriesForTests seen;
        platform::ChooseNextMenuItemForTests(
            choice, [&seen](const MenuEntriesForTests& entries) { seen = entries; }, afterMilliseconds);
        ShowPopupMenu(menu, window ? WindowHandle(window) : 0, 40, 40);
        return seen;
    }
    // The menu events taken from the queue (the window's own may come along as the menu takes the keyboard).
    static Events MenuEvents()
    {
        Events events = TakeQueued();
        std::erase_if(events, [](const testing::SeenEvent& e) { return e.code != EventMenu; });
        return events;
    }
};

TEST_F(MenuTest, AnItemShowsItsTitleWithoutAmpersandsAndTheKeyEquivalentAfterItsTab)
{
    // Text, then the title and the key equivalent the menu shows.
    const std::tuple<const char16_t*, const char16_t*, const char16_t*> items[] = {
        {u"Buy me a &Coffee!", u"Buy me a Coffee!", u""},
        {u"Quit\tCMD+Q", u"Quit", u"Ctrl+Q"},
        {u"Next\tshift+Alt+CTRL+F5", u"Next", u"Meta+Alt+Shift+F5"},
        {u"Help\tF12", u"Help", u"F12"},
        {u"Last key wins\tCmd+a+B", u"Last key wins", u"Ctrl+B"},
        {u"No key\tCMD+SHIFT", u"No key", u""},
        {u"Named key\tCtrl+&Esc", u"Named key", u"Meta+Esc"}};
    ASSERT_NE(NewPopupMenu(0), 0);
    MenuEntriesForTests expected;
    for (auto [text, title, shortcut] : items) {
        EXPECT_NE(AppendMenuItem(1, text), 0);
        expected.push_back({title, shortcut});
    }
    EXPECT_EQ(Show(0), expected);
}

TEST_F(MenuTest, AChosenItemPostsItsMenuEventWithTheWindowUnlessThatWindowIsDisabled)
{
    int64_t dynamic = NewPopupMenu(-1);
    ASSERT_NE(dynamic, 0);
    AppendMenuItem(8, u"Other");
    ASSERT_NE(NewPopupMenu(0), 0);
    AppendMenuItem(7, u"Quit\tCmd+Q");
    for (auto [menu, window, disabled, events] :
         {std::tuple{int64_t{0}, 1, false, Events{{EventMenu, 1, 7, 0}}},
          std::tuple{dynamic, 1, false, Events{{EventMenu, 1, 8, 0}}},
          std::tuple{int64_t{0}, 0, false, Events{{EventMenu, 0, 7, 0}}},
          std::tuple{int64_t{0}, 1, true, Events{}}}) {
        SetWindowDisabled(1, disabled);
        Show(menu, menu == 0 ? u"Quit" : u"Other", window);
        EXPECT_EQ(MenuEvents(), events) << window << disabled;
    }
    // The key equivalent chooses its item while the menu is open.
    SetWindowDisabled(1, false);
    platform::PressKeyInNextMenuForTests({u"q", 0, false, false, false, true});
    ShowPopupMenu(0, WindowHandle(1));
    EXPECT_EQ(MenuEvents(), (Events{{EventMenu, 1, 7, 0}}));
}

TEST_F(MenuTest, ACheckMarkShowsWhereSetAndStaysWhenItsItemIsChosen)
{
    ASSERT_NE(NewPopupMenu(0), 0);
    AppendMenuItem(3, u"Sort");
    AppendMenuItem(1, u"Alarms");
    SetMenuItemCheck(0, 3, 1);
    SetMenuItemCheck(0, 99, 1);
    SetMenuItemCheck(5, 1, 1);
    const MenuEntriesForTests checked = {{u"Sort", u"", true}, {u"Alarms", u""}};
    EXPECT_EQ(Show(0, u"Sort"), checked);
    EXPECT_EQ(Show(0), checked);
    SetMenuItemCheck(0, 3, 0);
    EXPECT_EQ(Show(0), (MenuEntriesForTests{{u"Sort", u""}, {u"Alarms", u""}}));
}

TEST_F(MenuTest, AMenuLivesUntilItIsRebuiltOrFreedOrTheWindowItWasLastShownOverCloses)
{
    ASSERT_NE(CreateWindow(2, 20, 20, 200, 100, u"other", WindowNoActivate), 0);
    for (int64_t menu : {0, 0, 1, 2}) {
        ASSERT_NE(NewPopupMenu(menu), 0);
        AppendMenuItem(1, u"Item");
        AppendMenuSeparator();
        // The application menu's items add nothing.
        for (int64_t item : {MenuItemQuit, MenuItemAbout, MenuItemPreferences})
            EXPECT_EQ(AppendMenuItem(item, u"Quit"), 0);
    }
    EXPECT_EQ(Show(0, u"", 1), (MenuEntriesForTests{{u"Item", u""}, {u"", u"", false, true}}));
    Show(1, u"", 1);
    Show(1, u"", 2);
    DestroyWindow(1);
    EXPECT_EQ(std::tuple(MenuExists(0), MenuExists(1), MenuExists(2)), std::tuple(0, 1, 1));
    // Nothing is built into a freed menu.
    DestroyMenu(2);
    EXPECT_EQ(AppendMenuItem(2, u"Lost"), 0);
    AppendMenuSeparator();
}

TEST_F(MenuTest, NoTimerTickIsDeliveredWhileAMenuIsOpen)
{
    ASSERT_NE(NewPopupMenu(0), 0);
    AppendMenuItem(1, u"Item");
    ASSERT_EQ(StartWindowTimer(1, 1, 20), 1);
    Show(0, u"", 1, 300);
    for (const testing::SeenEvent& e : TakeQueued())
        EXPECT_NE(e.code, EventTimer);
    EXPECT_TRUE(PumpUntil([] { return EventCode() == EventTimer; }));
}

} // namespace
} // namespace nevalon::gui
