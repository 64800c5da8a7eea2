#include "PermissionsBind.h"
#include "StoreFixture.h"
#include "app/Editor.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "platform/Object.h"
#include "platform/Window.h"
#include "runtime/date/Dates.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/Window.h"

#include <sys/stat.h>

namespace nevalon::app::testing {
namespace {

constexpr int64_t kTitle = 3, kDate = 4, kTime = 5, kAmPm = 6, kRecurrenceBox = 12, kCategoryBox = 13;
constexpr int64_t kPm = 1, kAm = 0;

class EditorTest : public StoreTest {
protected:
    void TearDown() override
    {
        CloseListWindow();
        StoreTest::TearDown();
    }
    // The main loop's dispatch of whatever the desktop and the person queued.
    static void DispatchPending()
    {
        while (platform::ProcessPlatformEvents(0)) {
        }
        while (int32_t code = gui::DequeueEvent())
            DispatchEvent(code);
    }
    // A person's click, then the dispatch.
    static void Click(int64_t gadget)
    {
        platform::ClickViewForTests(gui::GadgetID(gadget));
        DispatchPending();
    }
    void OpenEmptyEditor()
    {
        BuildListWindow();
        Click(kAddButton);
    }
    static void Fill(const String& title, date::Date day, const String& time, int64_t pm)
    {
        gui::SetGadgetText(kTitle, title);
        gui::SetGadgetState(kDate, day);
        gui::SetGadgetText(kTime, time);
        gui::SetGadgetState(kAmPm, pm);
    }
    // The clock time on the day `days` after today (within this month).
    date::Date Today(int32_t hour, int32_t minute, int32_t days = 0) const
    {
        return date::MakeDate(static_cast<int32_t>(date::DateYear(now)),
                              static_cast<int32_t>(date::DateMonth(now)),
                              static_cast<int32_t>(date::DateDay(now)) + days, hour, minute, 0);
    }
};

TEST_F(EditorTest, SaveChecksTheInputInOrderAndStoresNothingOnFailure)
{
    const String badDate =
        u"An invalid date was selected. Please supply a valid date in YYYY-MM-DD format.\n";
    const String badYear = u"An invalid year was selected. Please supply a year between 1900 and 2100.\n";
    const String format = u"Please enter the Countdown Event time in HH:MM format.\n";
    const String value = u"Invalid time value. Please check input.\n";
    Add(u"Dup", Today(10, 0) - now);
    // Each row fails one check and would fail the later ones too.
    for (auto [title, day, time, message] : std::vector<std::tuple<String, date::Date, String, String>>{
             {u"", 0, u"bad", u"The Countdown Event title cannot be empty.\n"},
             {u"a|b", now, u"10:00", u"The Countdown Event title cannot contain '|'.\n"},
             {u"T", 0, u"bad", badDate},
             {u"T", date::MakeDate(1899, 12, 31, 0, 0, 0), u"bad", badYear},
             {u"T", date::MakeDate(2101, 1, 1, 0, 0, 0), u"10:00", badYear},
             {u"T", now, u"9:30", format},
             {u"T", now, u"0930x", format},
             {u"T", now, u"24:00", value},
             {u"T", now, u"10:60", value},
             {u"T", now, u"-1:30", value},
             {u"Dup", now, u"10:00", u"An event with the same title and time already exists.\n"}}) {
        OpenEmptyEditor();
        Fill(title, day, time, kAm);
        notices.clear();
        SaveEventHandler();
        EXPECT_EQ(notices, std::vector<String>{message}) << system::StringToUtf8(time);
        EXPECT_TRUE(gui::WindowExists(kEditorWindow));
        EXPECT_EQ(Records().size(), 1u);
        // The field shows the day alone.
        const date::Date shown = message == badDate || message == badYear ? now : day;
        EXPECT_EQ(gui::GetGadgetState(kDate), shown - date::DateHour(shown) * 3600 -
                                                  date::DateMinute(shown) * 60 - date::DateSecond(shown));
        CloseListWindow();
    }
    OpenEmptyEditor();
    platform::TypeIntoViewForTests(gui::GadgetID(kTitle), u"a|b");
    EXPECT_EQ(gui::GetGadgetText(kTitle), u"ab") << "the field refuses a field separator as it is typed";
    CloseListWindow();
    // A day or month the calendar lacks is a wrong date; only a year out of range is a wrong year.
    for (auto [text, message] : {std::pair<const char16_t*, String>{u"2026/04/31", badDate},
                                 {u"2025/02/29", badDate},
                                 {u"2026/13/01", badDate},
                                 {u"1500/04/30", badYear},
                                 {u"abc", badYear}}) {
        OpenEmptyEditor();
        Fill(u"T", now, u"10:00", kAm);
        platform::TypeIntoViewForTests(gui::GadgetID(kDate), text);
        notices.clear();
        SaveEventHandler();
        EXPECT_EQ(notices, std::vector<String>{message}) << system::StringToUtf8(text);
        CloseListWindow();
    }
}

TEST_F(EditorTest, TwelveHourTimesGiveTheirMomentOnTheChosenDay)
{
    for (auto [time, pm, hour, minute] :
         {std::tuple{u"12:30", kPm, 12, 30}, std::tuple{u"12:30", kAm, 0, 30},
          std::tuple{u"13:15", kAm, 13, 15}, std::tuple{u"13:15", kPm, 13, 15},
          std::tuple{u"00:30", kPm, 12, 30}, std::tuple{u"1:234", kAm, 1, 34},
          std::tuple{u"ab:cd", kAm, 0, 0}, std::tuple{u"ab:cd", kPm, 12, 0},
          std::tuple{u"-1:30", kPm, 11, 30}}) {
        State().Events.EmptyList();
        OpenEmptyEditor();
        Fill(u"T", Today(15, 0, 10), time, pm); // the day's own time of day is ignored
        SaveEventHandler();
        ASSERT_EQ(Records().size(), 1u) << system::StringToUtf8(time);
        EXPECT_EQ(Records()[0].date, Today(hour, minute, 10)) << system::StringToUtf8(time) << " " << pm;
        EXPECT_FALSE(gui::WindowExists(kEditorWindow));
        CloseListWindow();
    }
}

TEST_F(EditorTest, SavingTheDefaultsGivesMidnightOfTheChosenDay)
{
    OpenEmptyEditor();
    gui::SetGadgetText(kTitle, u"Mum birthday\nParty\u2028!");
    SaveEventHandler();
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].date, Today(0, 0));
    EXPECT_EQ(Records()[0].title, u"Mum birthday Party !") << "a title is one line, however it got there";
    EXPECT_EQ(FileText().find("Mum birthday Party !|"), 0u);
}

TEST_F(EditorTest, EditFillsTheEditorRefillsItAndSavingClearsTheFlags)
{
    // The record's clock time, the editor's time text and its AM/PM choice.
    const std::vector<std::tuple<int, int, String, int64_t>> rows = {
        {0, 5, u"12:05", kAm}, {9, 30, u"09:30", kAm}, {12, 0, u"12:00", kPm}, {21, 7, u"09:07", kPm}};
    for (auto [hour, minute, text, pm] : rows) {
        EventRecord& record =
            Add(u"E" + system::IntegerToString(hour), Today(hour, minute, 1) - now, RecurWeekly, 2);
        record.reachedShown = record.dayReminderShown = record.tenMinuteReminderShown = 1;
    }
    BuildListWindow();
    EventRecord last;
    for (auto [hour, minute, text, pm] : rows) {
        for (const EventRecord& record : Records())
            if (record.title == u"E" + system::IntegerToString(hour)) last = record;
        Click(last.editGadget);
        EXPECT_EQ(gui::GetGadgetText(kTitle), last.title);
        EXPECT_EQ(gui::GetGadgetText(kTime), text);
        EXPECT_EQ(gui::GetGadgetState(kAmPm), pm);
        EXPECT_EQ(gui::GetGadgetState(kRecurrenceBox), RecurWeekly);
        EXPECT_EQ(gui::GetGadgetState(kCategoryBox), 2);
    }
    SaveEventHandler(); // unchanged: no collision with itself
    EXPECT_TRUE(notices.empty());
    ASSERT_EQ(Records().size(), rows.size());
    for (const EventRecord& saved : Records()) // only the edited record's flags are cleared
        EXPECT_EQ(saved.reachedShown + saved.dayReminderShown + saved.tenMinuteReminderShown,
                  saved.title == last.title ? 0 : 3);
}

TEST_F(EditorTest, DeleteAsksFirstAndOnlyYesClosesAnEditorOpenOnARecord)
{
    Add(u"A", 3600);
    Add(u"B", 7200);
    ASSERT_TRUE(SaveEvents());
    const std::string saved = FileText();
    BuildListWindow();
    Click(Records()[0].editGadget);
    gui::SetGadgetText(kTitle, u"A, changed");
    platform::SetAlertResponderForTests([](const platform::AlertRequest&) { return 1; }); // No
    Click(Records()[1].trashGadget);
    EXPECT_TRUE(gui::WindowExists(kEditorWindow)) << "No leaves the editor open with its input";
    EXPECT_EQ(gui::GetGadgetText(kTitle), u"A, changed");
    EXPECT_EQ(State().EditedRecord, State().Events.SelectElement(0));
    EXPECT_EQ(Records().size(), 2u);
    EXPECT_EQ(FileText(), saved);
    platform::SetAlertResponderForTests([](const platform::AlertRequest&) { return 0; }); // Yes
    Click(Records()[1].trashGadget);
    EXPECT_FALSE(gui::WindowExists(kEditorWindow));
    EXPECT_EQ(State().EditedRecord, nullptr);
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].title, u"A");
    EXPECT_EQ(FileText().find("B|"), std::string::npos);
    EXPECT_TRUE(gui::WindowExists(kListWindow));
}

TEST_F(EditorTest, ASaveThatFailsSaysWhyAndKeepsTheChangeOnScreenUntilASaveWorks)
{
    Add(u"A", 3600);
    ASSERT_TRUE(SaveEvents());
    const std::string saved = FileText();
    {
        PermissionsBind bind;
        chmod(folder.Path().c_str(), 0555);
        OpenEmptyEditor();
        Fill(u"B", Today(0, 0, 1), u"10:00", kAm);
        notices.clear();
        SaveEventHandler();
        Click(Records()[0].trashGadget); // A, answered Yes
        chmod(folder.Path().c_str(), 0700);
    }
    const String failed =
        u"Nevalon could not save your events to " + State().EventsFilePath +
        u": Permission denied.\n\nYour changes stay in the list while Nevalon runs, and are "
        u"saved as soon as saving works again.\n";
    EXPECT_EQ(notices, (std::vector<String>{failed, u"Are you sure you want to delete 'A'?\n\r", failed}))
        << "each change a person makes is answered";
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(gui::GetGadgetText(Records()[0].titleGadget), u"B") << "the list shows what is in memory";
    EXPECT_EQ(FileText(), saved);
    // The minute tick writes everything once the disk takes it.
    gui::PostEvent(gui::EventTimer, kMinuteTimer, kHolderWindow, 0);
    DispatchEvent(gui::DequeueEvent());
    EXPECT_EQ(FileText(), "B|" + std::to_string(Today(10, 0, 1)) + "|0|0|5|0|0|0\n");
    EXPECT_EQ(notices.size(), 3u);
}

TEST_F(EditorTest, CancelEscapeAndTheCloseBoxCloseTheEditorAndClearTheExportFlag)
{
    Add(u"A", 3600);
    for (const char* way : {"Cancel", "Escape", "close box"}) {
        OpenEmptyEditor();
        Click(kExportCheckBox);
        EXPECT_EQ(State().ExportToCalendar, 1);
        EXPECT_EQ(gui::GetGadgetState(kExportCheckBox), 1);
        auto* editor =
            dynamic_cast<platform::Window*>(platform::ObjectFromHandle(gui::WindowHandle(kEditorWindow)));
        ASSERT_TRUE(editor);
        if (way == std::string("Cancel")) Click(kCancelGadget);
        if (way == std::string("Escape"))
            platform::PostKeyPressForTests(*editor, platform::KeyEvent{u"\x1b"});
        if (way == std::string("close box")) platform::PostCloseRequestForTests(*editor);
        DispatchPending();
        EXPECT_FALSE(gui::WindowExists(kEditorWindow)) << way;
        EXPECT_TRUE(gui::WindowExists(kListWindow)) << way << " leaves the list window open";
        EXPECT_EQ(State().ExportToCalendar, 0) << way;
        EXPECT_EQ(Records().size(), 1u) << way;
        CloseListWindow();
    }
}

} // namespace
} // namespace nevalon::app::testing
