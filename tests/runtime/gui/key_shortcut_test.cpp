#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/KeyShortcut.h"
#include "runtime/gui/TextGadgets.h"

namespace nevalon::gui {
namespace {

using Menus = std::vector<std::pair<int64_t, int64_t>>; // (window, menu item)

// A key press: its characters, its key code and its modifiers as shortcut bits.
platform::KeyEvent Key(std::u16string characters, int keyCode = 0, int64_t modifiers = 0)
{
    auto has = [modifiers](int64_t bit) { return (modifiers & bit) != 0; };
    return {std::move(characters), keyCode, has(ShortcutShift), has(ShortcutControl), has(ShortcutOption),
            has(ShortcutCommand)};
}

bool Matches(int64_t value, const platform::KeyEvent& key)
{
    return KxShortcut::InitWithKey(value, 1).IsEventMatch(key);
}

TEST(KxShortcutTest, AShortcutMatchesTheKeyItDecodesToWithExactlyItsModifiers)
{
    constexpr int64_t Shift = ShortcutShift, Cmd = ShortcutCommand;
    EXPECT_TRUE(Matches(u'q' | Cmd, Key(u"q", 0, Cmd)));
    EXPECT_TRUE(
        Matches(u'q' | ShortcutControl | ShortcutOption, Key(u"q", 0, ShortcutControl | ShortcutOption)));
    for (const platform::KeyEvent& key : {Key(u"q"), Key(u"q", 0, Cmd | ShortcutOption), Key(u"w", 0, Cmd),
                                          Key(u"qq", 0, Cmd), Key(u"", 0, Cmd)})
        EXPECT_FALSE(Matches(u'q' | Cmd, key));
    // Shift turns a key into its shifted character; without Shift it stays.
    std::u16string plain = u"\t+,-.az/", shifted = u"\x19*;_:AZ/";
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_TRUE(Matches(plain[i] | Shift, Key(shifted.substr(i, 1), 0, Shift))) << int(plain[i]);
        EXPECT_TRUE(Matches(plain[i], Key(plain.substr(i, 1)))) << int(plain[i]);
    }
    EXPECT_FALSE(Matches(u'a' | Shift, Key(u"a", 0, Shift)));
    // Special keys match the platform's characters, with modifiers too; Enter counts as Return.
    const int64_t special[] = {1, 4, 5, 8, 11, 12, 13, 27, 28, 29, 30, 31, 127, 130, 139, 13};
    std::u16string characters = u"\uF729\uF72B\uF727\x7f\uF72C\uF72D\r\x1b\uF702\uF703\uF700\uF701\uF728"
                                u"09\x03";
    for (size_t i = 0; i < std::size(special); ++i) {
        EXPECT_TRUE(Matches(special[i], Key(characters.substr(i, 1)))) << special[i];
        EXPECT_TRUE(Matches(special[i] | Cmd, Key(characters.substr(i, 1), 0, Cmd))) << special[i];
    }
    EXPECT_FALSE(Matches(3, Key(u"\x03")));
    // Digit and function keys (256 + key code) match by key code, whatever the keyboard layout types.
    for (int d = 0; d < 10; ++d) {
        EXPECT_TRUE(Matches(u'0' + d, Key(u"&", platform::kDigitKeyCodes[d]))) << d;
        EXPECT_FALSE(Matches(u'0' + d, Key(std::u16string(1, char16_t(u'0' + d))))) << d;
    }
    for (int code : platform::kFunctionKeyCodes)
        EXPECT_TRUE(Matches(256 + code, Key(u"", 0x10000 | code))) << code;
    EXPECT_FALSE(Matches((256 + 122) | Cmd, Key(u"", 122)));
}

class KeyShortcutTest : public testing::ToolkitTest {
protected:
    void SetUp() override { OpenKey(1); }
    // Presses a key in the key window and returns the menu events it posted.
    static Menus Press(platform::KeyEvent key)
    {
        platform::PostKeyPressForTests(*platform::KeyWindow(), key);
        Menus menus;
        for (const testing::SeenEvent& e : TakeQueued(true))
            if (e.code == EventMenu) menus.emplace_back(e.window, e.object);
        return menus;
    }
};

TEST_F(KeyShortcutTest, APressedShortcutPostsItsMenuItemWithItsWindow)
{
    AddKeyShortcut(1, 27, 1010);
    AddKeyShortcut(1, u'q' | ShortcutCommand, 7);
    AddKeyShortcut(1, u'1', 8);
    AddKeyShortcut(1, 378, 10); // F1
    for (auto [key, menus] :
         {std::pair{Key(u"\x1b"), Menus{{1, 1010}}}, std::pair{Key(u"q", 0, ShortcutCommand), Menus{{1, 7}}},
          std::pair{Key(u"1", platform::kDigitKeyCodes[1]), Menus{{1, 8}}},
          std::pair{Key(u"\uF704"), Menus{{1, 10}}}, std::pair{Key(u"\x1b", 0, ShortcutShift), Menus{}}})
        EXPECT_EQ(Press(key), menus) << key.keyCode;
    // Another window has shortcuts of its own, and a new window under a closed one's number has none.
    OpenKey(2);
    EXPECT_EQ(Press(Key(u"\x1b")), Menus{});
    DestroyWindow(1);
    OpenKey(1);
    EXPECT_EQ(Press(Key(u"\x1b")), Menus{});
}

TEST_F(KeyShortcutTest, AddingReplacesTheSameValueAndRemovingComparesTheValue)
{
    AddKeyShortcut(1, 27, 1);
    AddKeyShortcut(1, 27, 1010);
    AddKeyShortcut(1, 13, 27);
    // Two values for the same key press: the first one added answers.
    AddKeyShortcut(1, u'a' | ShortcutShift, 2);
    AddKeyShortcut(1, u'A' | ShortcutShift, 3);
    EXPECT_EQ(Press(Key(u"\x1b")), (Menus{{1, 1010}}));
    EXPECT_EQ(Press(Key(u"A", 0, ShortcutShift)), (Menus{{1, 2}}));
    RemoveKeyShortcut(1, 1010);
    RemoveKeyShortcut(1, u'a' | ShortcutShift);
    EXPECT_EQ(Press(Key(u"A", 0, ShortcutShift)), (Menus{{1, 3}}));
    RemoveKeyShortcut(1, 27);
    EXPECT_EQ(Press(Key(u"\x1b")), Menus{});
    EXPECT_EQ(Press(Key(u"\r")), (Menus{{1, 27}}));
}

TEST_F(KeyShortcutTest, AFocusedTextFieldTakesTheEditingKeysBeforeTheWindowsShortcuts)
{
    constexpr int64_t Cmd = ShortcutCommand, Shift = ShortcutShift;
    for (char16_t c : std::u16string_view(u"xcvazq"))
        AddKeyShortcut(1, c | Cmd, c);
    AddKeyShortcut(1, u'z' | Cmd | Shift, 1);
    ASSERT_NE(CreateEntryField(2, 10, 10, 200, 25, u"hello"), 0);
    FocusGadget(2);
    auto text = [] { return GetGadgetText(2); };
    // Select all, cut, undo, redo, paste, copy.
    for (auto [key, after] :
         {std::pair{Key(u"a", 0, Cmd), u"hello"}, std::pair{Key(u"x", 0, Cmd), u""},
          std::pair{Key(u"z", 0, Cmd), u"hello"}, std::pair{Key(u"Z", 0, Cmd | Shift), u""},
          std::pair{Key(u"v", 0, Cmd), u"hello"}, std::pair{Key(u"c", 0, Cmd), u"hello"}}) {
        EXPECT_EQ(Press(key), Menus{}) << int(key.characters[0]);
        EXPECT_EQ(text(), after) << int(key.characters[0]);
    }
    EXPECT_EQ(Press(Key(u"q", 0, Cmd)), (Menus{{1, u'q'}}));
}

} // namespace
} // namespace nevalon::gui
