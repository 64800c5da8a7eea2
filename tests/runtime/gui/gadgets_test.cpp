#include "ToolkitFixture.h"
#include "platform/Image.h"
#include "runtime/date/MakeDate.h"
#include "runtime/gui/ButtonGadgets.h"
#include "runtime/gui/ComboBoxGadget.h"
#include "runtime/gui/DateGadget.h"
#include "runtime/gui/GadgetFormatters.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/ImageGadget.h"
#include "runtime/gui/TextGadgets.h"

namespace nevalon::gui {
namespace {

class GadgetsTest : public testing::ToolkitTest {
protected:
    void TearDown() override
    {
        FreeGadget(-1);
        ToolkitTest::TearDown();
    }
    // The gadget events taken from the queue once the platform delivered its own.
    static testing::Events GadgetEvents()
    {
        testing::Events events = TakeQueued(true);
        std::erase_if(events, [](const testing::SeenEvent& e) { return e.code != EventGadget; });
        return events;
    }
    static inline testing::Events called;
    static void Record() { called.push_back(Current()); }
    static void RecordToo() { called.push_back(Current()); }
};

TEST_F(GadgetsTest, FreeGadgetTakesItsQueuedEventsAndBindingsWithIt)
{
    OpenKey(1);
    CreateButton(1, 0, 0, 50, 25, u"one");
    CreateButton(2, 60, 0, 50, 25, u"two");
    AddGadgetCallback(1, Record);
    QueueEvent(EventGadget, 1, 1, GadgetEventChanged);
    QueueEvent(EventGadget, 0, 1, GadgetEventAction);
    QueueEvent(EventGadget, 1, 2, GadgetEventAction);
    FreeGadget(1);
    EXPECT_EQ(GadgetExists(1), 0);
    EXPECT_EQ(TakeQueued(), (testing::Events{{EventGadget, 1, 2, GadgetEventAction}}));
    // A new gadget under the number hears nothing bound to the old one.
    CreateButton(1, 0, 0, 50, 25, u"one again");
    called.clear();
    platform::ClickViewForTests(GadgetID(1));
    EXPECT_EQ(GadgetEvents(), (testing::Events{{EventGadget, 1, 1, GadgetEventAction}}));
    EXPECT_TRUE(called.empty());
}

TEST_F(GadgetsTest, GadgetsGoWithTheirWindowAndFreeGadgetMinusOneFreesEveryGadget)
{
    CreateWindow(1, 0, 0, 200, 100, u"one");
    int64_t inOne = CreateLabel(-1, 0, 0, 50, 20, u"one");
    CreateWindow(2, 0, 0, 200, 100, u"two");
    CreateLabel(3, 0, 0, 50, 20, u"two");
    DestroyWindow(2);
    EXPECT_EQ(GadgetExists(3), 0);
    // No window takes new gadgets now: the gadget is numbered, shown nowhere.
    int64_t nowhere = CreateCheckBox(-1, 0, 0, 50, 20, u"nowhere");
    EXPECT_EQ(GadgetExists(inOne) + GadgetExists(nowhere), 2);
    CreateWindow(2, 0, 0, 200, 100, u"two");
    CreateButton(4, 0, 0, 50, 25, u"two");
    FreeGadget(-1);
    EXPECT_EQ(GadgetExists(inOne) + GadgetExists(nowhere) + GadgetExists(4), 0);
    EXPECT_EQ(GadgetID(inOne), 0);
}

TEST_F(GadgetsTest, AClickOnAButtonPostsAnActionAndRunsItsCallbackOnceHoweverOftenBound)
{
    OpenKey(1);
    CreateButton(5, 10, 10, 80, 25, u"Add");
    AddGadgetCallback(5, Record);
    AddGadgetCallback(5, Record);
    AddGadgetCallback(5, RecordToo, GadgetEventChanged);
    called.clear();
    platform::ClickViewForTests(GadgetID(5));
    EXPECT_EQ(GadgetEvents(), (testing::Events{{EventGadget, 1, 5, GadgetEventAction}}));
    EXPECT_EQ(called, (testing::Events{{EventGadget, 1, 5, GadgetEventAction}}));
    // Type -1 removes the first binding of the callback whatever its type.
    RemoveGadgetCallback(5, Record);
    RemoveGadgetCallback(5, RecordToo);
    called.clear();
    platform::ClickViewForTests(GadgetID(5));
    GadgetEvents();
    EXPECT_TRUE(called.empty());
}

TEST_F(GadgetsTest, OnlyADefaultButtonExactly25HighTakesReturn)
{
    platform::KeyEvent enter;
    enter.characters = u"\r";
    for (int64_t height : {25, 30}) {
        OpenKey(1);
        CreateButton(9, 10, 10, 90, height, u"Save", ButtonDefault);
        PostKeyPressForTests(*PlatformWindowOf(1), enter);
        testing::Events expected;
        if (height == 25) expected.push_back({EventGadget, 1, 9, GadgetEventAction});
        EXPECT_EQ(GadgetEvents(), expected) << height;
        DestroyWindow(1);
    }
}

TEST_F(GadgetsTest, TextsAndTipsShowAsWrittenAndEveryGadgetHasANameForScreenReaders)
{
    OpenKey(1);
    auto symbol = platform::Ref<platform::Image>::Adopt(new platform::Image(16, 16, {16, 16}));
    int64_t label = CreateLabel(-1, 0, 0, 90, 20, u"<b>x</b>");
    int64_t button = CreateButton(-1, 0, 20, 90, 25, u"Save & <i>go</i>");
    int64_t box = CreateCheckBox(-1, 0, 50, 90, 20, u"<u>c</u>");
    int64_t trash = CreateImageButton(-1, 100, 0, 36, 40, symbol->Handle());
    SetGadgetAccessibleName(trash, u"Delete");
    GadgetToolTip(label, u"<b>Event Date:</b>\nRecurrence");
    struct Case {
        int64_t gadget;
        platform::ViewTextsForTests texts;
    };
    for (const Case& c : {Case{label, {u"<b>x</b>", u"<b>Event Date:</b>\nRecurrence", u"<b>x</b>"}},
                          Case{button, {u"Save & <i>go</i>", u"", u"Save & <i>go</i>"}},
                          Case{box, {u"<u>c</u>", u"", u"<u>c</u>"}}, Case{trash, {u"", u"", u"Delete"}}})
        EXPECT_EQ(platform::TextsOfViewForTests(GadgetID(c.gadget)), c.texts) << c.gadget;
}

TEST_F(GadgetsTest, AColourIsSetOpaqueAndMinusOneRestoresTheKindsOwn)
{
    for (int64_t gadget : {CreateEntryField(-1, 0, 0, 90, 22, u"x"), CreateLabel(-1, 0, 30, 90, 20, u"x")}) {
        int64_t own = GetGadgetColor(gadget, GadgetFrontColor);
        SetGadgetColor(gadget, GadgetFrontColor, 0x3366FF);
        EXPECT_EQ(GetGadgetColor(gadget, GadgetFrontColor), 0x3366FF);
        SetGadgetColor(gadget, GadgetFrontColor, -1);
        EXPECT_EQ(GetGadgetColor(gadget, GadgetFrontColor), own);
    }
}

TEST_F(GadgetsTest, AnImageViewTakesTheSizeOfItsImageInWholePointsAndKeepsItsCorner)
{
    auto badge = platform::Ref<platform::Image>::Adopt(new platform::Image(157, 44, {78.5, 22}));
    auto symbol = platform::Ref<platform::Image>::Adopt(new platform::Image(16, 16, {16, 16}));
    for (int64_t flags : {int64_t{0}, int64_t{ImageViewBorder}}) {
        int64_t view = CreateImageView(-1, 10, 56, 80, 24, badge->Handle(), flags);
        int64_t border = flags ? 4 : 0;
        EXPECT_EQ((std::vector{GadgetX(view), GadgetY(view), GadgetWidth(view), GadgetHeight(view)}),
                  (std::vector<int64_t>{10, 56, 78 + border, 22 + border}));
        SetGadgetState(view, symbol->Handle());
        EXPECT_EQ(GetGadgetState(view), symbol->Handle());
        EXPECT_EQ(GadgetWidth(view) + GadgetHeight(view), 32 + 2 * border);
    }
}

TEST_F(GadgetsTest, APopUpListShowsNoChoiceUntilOneIsSetAndChoosesByIndexOrText)
{
    int64_t list = CreateComboBox(-1, 0, 0, 120, 25, ComboBoxUpperCase);
    EXPECT_EQ(AddGadgetItem(list, 0, u"never"), 0);
    EXPECT_EQ(AddGadgetItem(list, 7, u"daily"), 1);
    EXPECT_EQ(AddGadgetItem(list, -1, u"weekly"), 2);
    EXPECT_EQ(AddGadgetItem(list, 0, u"first"), 0);
    EXPECT_EQ(GetGadgetState(list), -1);
    EXPECT_EQ(GetGadgetText(list), u"");
    SetGadgetState(list, 2);
    EXPECT_EQ(GetGadgetText(list), u"DAILY");
    // An item added before the choice leaves the choice on its item.
    AddGadgetItem(list, 0, u"zero");
    EXPECT_EQ(GetGadgetState(list), 3);
    SetGadgetText(list, u"Weekly");
    EXPECT_EQ(GetGadgetState(list), 4);
    SetGadgetText(list, u"monthly");
    EXPECT_EQ(GetGadgetState(list), -1);
    EXPECT_EQ(CountGadgetItems(list), 5);
    EXPECT_EQ(CreateComboBox(-1, 0, 0, 120, 25, ComboBoxEditable), 0);
}

TEST_F(GadgetsTest, FormattersRefuseOrConvertWhatAnEditWouldLeave)
{
    KxMaximumLengthFormatter plain;
    KxUpperCaseFormatter upper;
    KxLowerCaseFormatter lower;
    KxNumericFormatter digits;
    for (KxMaximumLengthFormatter* f :
         std::initializer_list<KxMaximumLengthFormatter*>{&plain, &upper, &lower, &digits})
        f->SetMaximumLength(5);
    using Shown = std::optional<std::u16string>;
    struct Case {
        const KxMaximumLengthFormatter& formatter;
        std::u16string proposed;
        Shown shown;
    };
    // A case change that lengthens the text is cut to the maximum, never inside a surrogate pair; a line
    // break becomes a space.
    for (const Case& c : {Case{plain, u"abcde", u"abcde"}, Case{plain, u"abcdef", std::nullopt},
                          Case{plain, u"a\r\nb", u"a  b"}, Case{upper, u"straß", u"STRAS"},
                          Case{upper, u"a\u2028ß\U0001D49C", u"A SS"}, Case{upper, u"abcdef", std::nullopt},
                          Case{lower, u"AbC", u"abc"}, Case{digits, u"", u""}, Case{digits, u"123", u"123"},
                          Case{digits, u"12a", std::nullopt}, Case{digits, u"1\n2", std::nullopt},
                          Case{digits, u"123456", std::nullopt}})
        EXPECT_EQ(c.formatter.IsPartialStringValid(c.proposed), c.shown)
            << std::string(c.proposed.begin(), c.proposed.end());
}

TEST_F(GadgetsTest, AnEntryFieldPassesWhatIsTypedThroughItsFormatterAndPostsItsFocusAndTheEditsThatStand)
{
    OpenKey(1);
    int64_t previous = 0;
    struct Case {
        int64_t flags, maximumLength;
        std::u16string typed, shown;
    };
    for (const Case& c : {Case{0, 5, u"abcdefg", u"abcde"}, Case{EntryDigitsOnly, 0, u"1a2", u"12"},
                          Case{EntryDigitsOnly, 0, u"ab", u""}, Case{EntryUpperCase, 0, u"aB", u"AB"}}) {
        int64_t field = CreateEntryField(-1, 0, 0, 150, 22, u"", c.flags);
        if (c.maximumLength) SetGadgetAttribute(field, EntryMaximumLength, c.maximumLength);
        EXPECT_EQ(GetGadgetAttribute(field, EntryMaximumLength),
                  c.maximumLength ? c.maximumLength : INT32_MAX);
        platform::TypeIntoViewForTests(GadgetID(field), c.typed);
        EXPECT_EQ(GetGadgetText(field), c.shown);
        // The focus moves from the last field; changes waiting in the queue coalesce, refused edits post
        // none.
        testing::Events expected;
        if (previous) expected.push_back({EventGadget, 1, previous, GadgetEventEditingEnded});
        expected.push_back({EventGadget, 1, field, GadgetEventFocus});
        if (!c.shown.empty()) expected.push_back({EventGadget, 1, field, GadgetEventChanged});
        EXPECT_EQ(GadgetEvents(), expected);
        previous = field;
    }
    // A field freed with the focus posts nothing as it goes.
    AddGadgetCallback(previous, Record);
    called.clear();
    FreeGadget(previous);
    EXPECT_TRUE(called.empty());
    int64_t lower = CreateEntryField(-1, 0, 0, 150, 22, u"MiXed", EntryLowerCase);
    EXPECT_EQ(GetGadgetText(lower), u"mixed");
}

TEST_F(GadgetsTest, ADateFieldShowsAndReadsItsDateByItsMaskWithinItsLimits)
{
    OpenKey(1);
    date::Date date = date::MakeDate(2026, 12, 5, 10, 30, 0);
    int64_t field = CreateDateField(-1, 10, 92, 110, 25, u"", date);
    EXPECT_EQ(GetGadgetText(field), u"2026/12/05 10:30");
    EXPECT_EQ(GetGadgetState(field), date);
    SetGadgetText(field, u"%dd.%mm.%yyyy");
    EXPECT_EQ(GetGadgetText(field), u"05.12.2026");
    date::Date minimum = date::MakeDate(2026, 1, 1, 0, 0, 0);
    SetGadgetAttribute(field, DateFieldMinimum, minimum);
    struct Case {
        std::u16string typed;
        date::Date state;
    };
    for (const Case& c : {Case{u"02.03.2027", date::MakeDate(2027, 3, 2, 0, 0, 0)},
                          Case{u"24.12.2025", minimum}, Case{u"no date", date::InvalidDate}}) {
        platform::TypeIntoViewForTests(GadgetID(field), c.typed);
        EXPECT_EQ(GetGadgetText(field), c.typed);
        EXPECT_EQ(GetGadgetState(field), c.state) << std::string(c.typed.begin(), c.typed.end());
    }
    // Shown dates keep to the limits too.
    SetGadgetState(field, date::MakeDate(2020, 6, 1, 0, 0, 0));
    EXPECT_EQ(GetGadgetText(field), u"01.01.2026");
}

} // namespace
} // namespace nevalon::gui
