#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/KeyShortcut.h"

namespace nevalon::gui {
namespace {

using testing::SeenEvent;

platform::KeyEvent Key(std::u16string characters, int keyCode = 0)
{
    platform::KeyEvent key;
    key.characters = std::move(characters);
    key.keyCode = keyCode;
    return key;
}

platform::KeyEvent With(platform::KeyEvent key, bool shift, bool control, bool option, bool command)
{
    key.shift = shift;
    key.control = control;
    key.option = option;
    key.command = command;
    return key;
}

bool Matches(int64_t value, const platform::KeyEvent& key)
{
    return KxShortcut::InitWithKey(value, 1).IsEventMatch(key);
}

TEST(KxShortcutTest, ModifiersMustBeExactlyThoseOfTheValue)
{
    platform::KeyEvent q = Key(u"q");
    EXPECT_TRUE(Matches(u'q' | ShortcutCommand, With(q, false, false, false, true)));
    EXPECT_FALSE(Matches(u'q' | ShortcutCommand, q));
    EXPECT_FALSE(Matches(u'q' | ShortcutCommand, With(q, false, false, true, true)));
    EXPECT_FALSE(Matches(u'q', With(q, false, false, false, true)));
    EXPECT_TRUE(Matches(u'q' | ShortcutControl | ShortcutOption, With(q, false, true, true, false)));
    EXPECT_FALSE(Matches(u'q' | ShortcutControl | ShortcutOption, With(q, false, true, false, true)));
    EXPECT_FALSE(Matches(u'w' | ShortcutCommand, With(q, false, false, false, true)));
    // One character exactly.
    EXPECT_FALSE(Matches(u'q', Key(u"qq")));
    EXPECT_FALSE(Matches(u'q', Key(u"")));

    KxShortcut s = KxShortcut::InitWithKey(u'x' | ShortcutCommand | ShortcutShift, 1010);
    EXPECT_EQ(s.modifiers, ShortcutCommand | ShortcutShift);
    EXPECT_EQ(s.key, u'x' | ShortcutCommand | ShortcutShift);
    EXPECT_EQ(s.eventMenuID, 1010);
}

TEST(KxShortcutTest, ShiftTurnsKeysIntoTheirShiftedCharacters)
{
    struct Case {
        char16_t key, shifted;
    };
    for (Case c : {Case{9, 25}, Case{u'+', u'*'}, Case{u',', u';'}, Case{u'-', u'_'}, Case{u'.', u':'},
                   Case{u'a', u'A'}, Case{u'z', u'Z'}, Case{u'/', u'/'}, Case{u'A', u'A'}}) {
        KxShortcut s = KxShortcut::InitWithKey(c.key | ShortcutShift, 1);
        EXPECT_EQ(s.character, c.shifted) << int(c.key);
        // Without Shift nothing changes.
        EXPECT_EQ(KxShortcut::InitWithKey(c.key, 1).character, c.key) << int(c.key);
    }
    EXPECT_TRUE(Matches(u'a' | ShortcutShift, With(Key(u"A"), true, false, false, false)));
    EXPECT_FALSE(Matches(u'a' | ShortcutShift, With(Key(u"a"), true, false, false, false)));
}

TEST(KxShortcutTest, SpecialKeysMatchThePlatformsCharacters)
{
    struct Case {
        int64_t key;
        char16_t character;
    };
    for (Case c : {Case{1, 0xF729}, Case{4, 0xF72B}, Case{5, 0xF727}, Case{8, 127}, Case{11, 0xF72C},
                   Case{12, 0xF72D}, Case{13, 13}, Case{27, 27}, Case{28, 0xF702}, Case{29, 0xF703},
                   Case{30, 0xF700}, Case{31, 0xF701}, Case{127, 0xF728}, Case{130, u'0'}, Case{139, u'9'}}) {
        KxShortcut s = KxShortcut::InitWithKey(c.key, 1);
        EXPECT_EQ(s.character, c.character) << c.key;
        EXPECT_EQ(s.keyCode, 0) << c.key;
        EXPECT_TRUE(s.IsEventMatch(Key(std::u16string(1, c.character)))) << c.key;
        // With modifiers the key still means the same special key.
        EXPECT_EQ(KxShortcut::InitWithKey(c.key | ShortcutCommand, 1).character, c.character) << c.key;
    }
    // Enter (character 3) counts as Return.
    EXPECT_TRUE(Matches(13, Key(u"\x03")));
    EXPECT_FALSE(Matches(3, Key(u"\x03")));
}

TEST(KxShortcutTest, DigitAndFunctionKeysMatchByKeyCode)
{
    const int digitCodes[] = {29, 18, 19, 20, 21, 23, 22, 26, 28, 25};
    for (int d = 0; d < 10; ++d) {
        KxShortcut s = KxShortcut::InitWithKey(48 + d, 1);
        EXPECT_EQ(s.keyCode, digitCodes[d]) << d;
        // The key code decides, whatever the characters (a digit key gives other characters elsewhere).
        EXPECT_TRUE(s.IsEventMatch(Key(u"&", digitCodes[d]))) << d;
        EXPECT_FALSE(s.IsEventMatch(Key(std::u16string(1, char16_t(u'0' + d)), 0))) << d;
    }
    const int64_t functionKeys[] = {352, 353, 354, 355, 356, 357, 359, 365, 367, 374, 376, 378};
    const int functionCodes[] = {96, 97, 98, 99, 100, 101, 103, 109, 111, 118, 120, 122};
    for (size_t i = 0; i < std::size(functionKeys); ++i)
        EXPECT_EQ(KxShortcut::InitWithKey(functionKeys[i], 1).keyCode, functionCodes[i]) << functionKeys[i];
    EXPECT_EQ(KxShortcut::InitWithKey(358, 1).keyCode, 0);
    // Only the low 16 bits of the event's key code count.
    EXPECT_TRUE(Matches(378, Key(u"", 0x10000 | 122)));
    EXPECT_FALSE(Matches(378 | ShortcutCommand, Key(u"", 122)));
}

class KeyShortcutTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        ASSERT_NE(CreateWindow(1, 0, 0, 300, 200, u"list"), 0);
        ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
        Drain();
    }
    // Presses a key in the window and returns the menu events it produced.
    static std::vector<SeenEvent> Press(int64_t window, platform::KeyEvent key)
    {
        platform::PostKeyPressForTests(*PlatformWindowOf(window), key);
        std::vector<SeenEvent> menus;
        for (int64_t code; (code = WaitEvent(100)) != 0;)
            if (code == EventMenu)
                menus.push_back({EventCode(), EventWindow(), EventMenuItem(), EventSubtype()});
        return menus;
    }
};

TEST_F(KeyShortcutTest, EscapePostsTheMenuItemWithTheWindow)
{
    AddKeyShortcut(1, 27, 1010);
    EXPECT_EQ(Press(1, Key(u"\x1b")), (std::vector<SeenEvent>{{EventMenu, 1, 1010, 0}}));
    // Other keys are passed on.
    EXPECT_TRUE(Press(1, Key(u"a")).empty());
    EXPECT_TRUE(Press(1, With(Key(u"\x1b"), true, false, false, false)).empty());
}

TEST_F(KeyShortcutTest, ShortcutsWithModifiersAndKeyCodesArriveThroughThePlatform)
{
    AddKeyShortcut(1, u'q' | ShortcutCommand, 7);
    AddKeyShortcut(1, 49, 8);   // the digit key 1
    AddKeyShortcut(1, 30, 9);   // Up
    AddKeyShortcut(1, 378, 10); // F1
    EXPECT_EQ(Press(1, With(Key(u"q"), false, false, false, true)),
              (std::vector<SeenEvent>{{EventMenu, 1, 7, 0}}));
    EXPECT_EQ(Press(1, Key(u"1", 18)), (std::vector<SeenEvent>{{EventMenu, 1, 8, 0}}));
    EXPECT_EQ(Press(1, Key(u"\uF700")), (std::vector<SeenEvent>{{EventMenu, 1, 9, 0}}));
    EXPECT_EQ(Press(1, Key(u"\uF704")), (std::vector<SeenEvent>{{EventMenu, 1, 10, 0}}));
}

TEST_F(KeyShortcutTest, TheSameValueRegisteredTwiceKeepsTheNewerItem)
{
    AddKeyShortcut(1, 27, 1);
    AddKeyShortcut(1, 27, 2);
    EXPECT_EQ(Press(1, Key(u"\x1b")), (std::vector<SeenEvent>{{EventMenu, 1, 2, 0}}));
    RemoveKeyShortcut(1, 27);
    EXPECT_TRUE(Press(1, Key(u"\x1b")).empty());
}

TEST_F(KeyShortcutTest, TheFirstMatchingShortcutWins)
{
    // Two values that mean the same key press.
    AddKeyShortcut(1, u'a' | ShortcutShift, 1);
    AddKeyShortcut(1, u'A' | ShortcutShift, 2);
    EXPECT_EQ(Press(1, With(Key(u"A"), true, false, false, false)),
              (std::vector<SeenEvent>{{EventMenu, 1, 1, 0}}));
    RemoveKeyShortcut(1, u'a' | ShortcutShift);
    EXPECT_EQ(Press(1, With(Key(u"A"), true, false, false, false)),
              (std::vector<SeenEvent>{{EventMenu, 1, 2, 0}}));
}

TEST_F(KeyShortcutTest, RemoveKeyShortcutComparesTheValueNotTheItem)
{
    AddKeyShortcut(1, 27, 1010);
    AddKeyShortcut(1, 13, 27);
    RemoveKeyShortcut(1, 1010);
    EXPECT_EQ(Press(1, Key(u"\x1b")), (std::vector<SeenEvent>{{EventMenu, 1, 1010, 0}}));
    RemoveKeyShortcut(1, 27);
    EXPECT_TRUE(Press(1, Key(u"\x1b")).empty());
    EXPECT_EQ(Press(1, Key(u"\r")), (std::vector<SeenEvent>{{EventMenu, 1, 27, 0}}));
    // Removing again, or on a window that does not exist, does nothing.
    RemoveKeyShortcut(1, 27);
    RemoveKeyShortcut(5, 13);
    AddKeyShortcut(5, 13, 99);
    EXPECT_EQ(Press(1, Key(u"\r")), (std::vector<SeenEvent>{{EventMenu, 1, 27, 0}}));
}

TEST_F(KeyShortcutTest, ShortcutsBelongToTheirWindow)
{
    AddKeyShortcut(1, 27, 1010);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"editor"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    Drain();
    EXPECT_TRUE(Press(2, Key(u"\x1b")).empty());

    // A window that closes takes its shortcuts along; a new window under its number has none.
    DestroyWindow(1);
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"list again"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    Drain();
    EXPECT_TRUE(Press(1, Key(u"\x1b")).empty());
}

TEST_F(KeyShortcutTest, AShortcutsCallbacksRunAtOnce)
{
    static int64_t seenItem = 0;
    seenItem = 0;
    AddEventCallback(
        EventMenu, [] { seenItem = EventMenuItem(); }, 1, 1010);
    AddKeyShortcut(1, 27, 1010);
    platform::PostKeyPressForTests(*PlatformWindowOf(1), Key(u"\x1b"));
    PumpPlatform();
    EXPECT_EQ(seenItem, 1010);
}

} // namespace
} // namespace nevalon::gui
