#include "app/Editor.h"

#include "app/AppState.h"
#include "app/CalendarExport.h"
#include "app/Shell.h"
#include "app/StoreNotices.h"
#include "app/ToolkitNumbers.h"
#include "runtime/date/Dates.h"
#include "runtime/gui/ButtonGadgets.h"
#include "runtime/gui/ComboBoxGadget.h"
#include "runtime/gui/DateGadget.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/KeyShortcut.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/TextGadgets.h"
#include "runtime/gui/Window.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/strings/Strings.h"

#include <vector>

namespace nevalon::app {
namespace {

using gui::PlatformMessage;
using namespace system;

constexpr int64_t kTitleLength = 32;
constexpr int64_t kOtherCategory = 5;

// What follows a stored event, as the editor's opening set it.
void (*whenStored)() = nullptr;

constexpr const char16_t* kDateMessage =
    u"An invalid date was selected. Please supply a valid date in YYYY-MM-DD format.\n";

void ShowError(const String& text)
{
    gui::ShowMessageBox(u"Error!", text, gui::MessageBoxStopIcon);
}

// The hour on the 12-hour clock and the minutes, both two digits: "12:05" for 00:05, "09:07" for 21:07.
String EditorTimeText(date::Date when)
{
    const int64_t hour = date::DateHour(when) % 12;
    return PadLeft(IntegerToString(hour == 0 ? 12 : hour), 2, u"0") + u":" +
           PadLeft(IntegerToString(date::DateMinute(when)), 2, u"0");
}

int64_t MonthLength(int64_t year, int64_t month)
{
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return date::IsLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

void FillFromRecord(const EventRecord& record)
{
    gui::SetGadgetText(kTitleField, record.title);
    gui::SetGadgetState(kDateField, record.date);
    gui::SetGadgetText(kTimeField, EditorTimeText(record.date));
    gui::SetGadgetState(kAmPmBox, date::DateHour(record.date) >= 12 ? 1 : 0);
    gui::SetGadgetState(kRecurrenceBox, record.recurrence);
    gui::SetGadgetState(kCategoryBox, record.category);
}

void CreateChoice(int64_t gadget, int64_t x, int64_t y, int64_t width, const std::vector<String>& items,
                  int64_t state)
{
    gui::CreateComboBox(gadget, x, y, width, 25);
    for (const String& item : items)
        gui::AddGadgetItem(gadget, -1, item);
    gui::SetGadgetState(gadget, state);
}

void ExportEvent(const String& title, date::Date moment, int64_t recurrence)
{
    WriteCalendarFile(TemporaryDirectory() + NewUuidString() + u".ics", title, moment, recurrence);
}

} // namespace

void OpenEventEditor(int64_t addMode, void (*stored)())
{
    AppState& state = State();
    whenStored = stored;
    BringApplicationToFront();
    // A close box, as a dialog on this desktop has; it cancels, as Escape does.
    const int64_t window =
        gui::CreateWindow(kEditorWindow, 200, 200, 320, 340, addMode ? u"Add Event" : u"Edit Event",
                          gui::WindowCentredOnParent | gui::WindowCloseBox, gui::WindowHandle(kListWindow));
    PlatformMessage(nullptr, window, "setTitlebarAppearsTransparent:", {1});
    PlatformMessage(nullptr, window, "setMovable:", {0});

    gui::CreateLabel(-1, 10, 10, 330, 20, u"Event Title");
    gui::CreateEntryField(kTitleField, 10, 30, 280, 25, u"");
    PlatformMessage(nullptr, gui::GadgetID(kTitleField), "setBezelStyle:", {1});
    gui::SetGadgetAttribute(kTitleField, gui::EntryMaximumLength, kTitleLength);
    gui::SetGadgetAttribute(kTitleField, gui::EntryRefusedCharacter, u'|');
    gui::CreateLabel(-1, 10, 70, 330, 20, u"Event Date");
    // The day alone: its time of day is never used (the time field holds it), and a date with a time would
    // not fit the field.
    gui::CreateDateField(kDateField, 10, 92, 110, 25, kEditorDateMask);
    gui::CreateLabel(-1, 120, 70, 180, 20, u"Time (HH:MM)");
    gui::CreateEntryField(kTimeField, 120, 92, 100, 25, u"12:00");
    PlatformMessage(nullptr, gui::GadgetID(kTimeField), "setAlignment:", {2});
    PlatformMessage(nullptr, gui::GadgetID(kTimeField), "setBezelStyle:", {1});
    gui::SetGadgetAttribute(kTimeField, gui::EntryMaximumLength, 5);
    CreateChoice(kAmPmBox, 224, 93, 70, {u"AM", u"PM"}, 0);
    const int64_t recurrenceLabel = gui::CreateLabel(-1, 10, 130, 160, 25, u"Repeat Countdown");
    CreateChoice(kRecurrenceBox, 8, 150, 160, {kRecurrenceLabels.begin(), kRecurrenceLabels.end()},
                 RecurNever);
    const int64_t categoryLabel = gui::CreateLabel(-1, 10, 180, 160, 25, u"Event Category");
    CreateChoice(kCategoryBox, 10, 200, 160, {state.Categories.begin(), state.Categories.end()},
                 kOtherCategory);
    gui::CreateCheckBox(kExportCheckBox, 10, 240, 300, 25, u"Also create a Calendar Event");
    gui::CreateButton(kCancelGadget, 100, 290, 100, 25, u"Cancel");
    gui::CreateButton(kSaveButton, 220, 290, 90, 25, u"Save", gui::ButtonDefault);
    gui::AddGadgetCallback(kSaveButton, SaveEventHandler);

    // The labels above the fields are gadgets of their own, so a screen reader learns the names here;
    // combo boxes by their label, as the desktop's readers name a combo box by its item (AM or PM says
    // enough).
    for (auto [gadget, name] :
         {std::pair{kTitleField, u"Event Title"}, {kDateField, u"Event Date"}, {kTimeField, u"Time (HH:MM)"}})
        gui::SetGadgetAccessibleName(gadget, name);
    gui::SetGadgetLabel(kRecurrenceBox, recurrenceLabel);
    gui::SetGadgetLabel(kCategoryBox, categoryLabel);

    gui::AddKeyShortcut(kEditorWindow, kEscapeKey, kEditorEscapeItem);

    state.EditingExisting = addMode ? 0 : 1;
    state.ExportToCalendar = 0;
    if (!addMode && state.EditedRecord) FillFromRecord(*state.EditedRecord);
    gui::FocusGadget(kTitleField);
}

void ShowInEditor(const EventRecord& record)
{
    FillFromRecord(record);
}

void SaveEventHandler()
{
    AppState& state = State();
    const String typed = gui::GetGadgetText(kTitleField);
    if (typed.empty()) return ShowError(u"The Countdown Event title cannot be empty.\n");
    // "|" separates the fields of the events file.
    if (FindSubstring(typed, u"|") != 0) return ShowError(u"The Countdown Event title cannot contain '|'.\n");
    // A title is one line of the events file, whatever the program put in the field.
    const String title = SpacesForControlCharacters(typed);
    const date::Date date = gui::GetGadgetState(kDateField);
    const String timeText = gui::GetGadgetText(kTimeField);
    const int64_t pm = gui::GetGadgetState(kAmPmBox);
    const int64_t recurrence = gui::GetGadgetState(kRecurrenceBox);
    const int64_t category = gui::GetGadgetState(kCategoryBox);

    const int64_t y = date::DateYear(date), m = date::DateMonth(date), d = date::DateDay(date);
    // A text that reads as no date ("2026/04/31") names an impossible day or month, unless its year is
    // the fault.
    const int64_t writtenYear = StringToInteger(LeftPart(gui::GetGadgetText(kDateField), 4));
    const bool impossible = date == date::InvalidDate && writtenYear >= 1900 && writtenYear <= 2100;
    if (date == 0 || impossible || d > MonthLength(y, m)) {
        ShowError(kDateMessage);
        return gui::SetGadgetState(kDateField, date::CurrentDate());
    }
    if (y < 1900 || y > 2100) {
        ShowError(u"An invalid year was selected. Please supply a year between 1900 and 2100.\n");
        return gui::SetGadgetState(kDateField, date::CurrentDate());
    }
    if (StringLength(timeText) != 5 || FindSubstring(timeText, u":") == 0)
        return ShowError(u"Please enter the Countdown Event time in HH:MM format.\n");
    const int64_t hh = StringToInteger(LeftPart(timeText, 2)), mm = StringToInteger(RightPart(timeText, 2));
    const int64_t hour = pm == 1 && hh <= 11 ? hh + 12 : pm == 0 && hh == 12 ? 0 : hh;
    if (hour < 0 || hour > 23 || mm < 0 || mm > 59)
        return ShowError(u"Invalid time value. Please check input.\n");
    const date::Date moment =
        date::MakeDate(static_cast<int32_t>(y), static_cast<int32_t>(m), static_cast<int32_t>(d),
                       static_cast<int32_t>(hour), static_cast<int32_t>(mm), 0);

    EventRecord* edited = state.EditingExisting ? state.EditedRecord : nullptr;
    for (const EventRecord& record : state.Events) {
        if (&record != edited && record.title == title && record.date == moment)
            return ShowError(u"An event with the same title and time already exists.\n");
    }

    EventRecord* record = edited;
    if (!record) {
        while (state.Events.MoveNext()) {
        }
        record = state.Events.InsertElement();
    } else {
        record->reachedShown = record->dayReminderShown = record->tenMinuteReminderShown = 0;
    }
    if (record) {
        record->title = title;
        record->date = moment;
        record->recurrence = recurrence;
        record->category = category;
    }
    if (state.ExportToCalendar == 1) ExportEvent(title, moment, recurrence);
    SaveEventsAndSay(SaveCause::Person);
    CloseEditorWindow();
    if (whenStored) whenStored();
}

void ToggleCalendarExport()
{
    State().ExportToCalendar = State().ExportToCalendar ? 0 : 1;
    gui::SetGadgetState(kExportCheckBox, State().ExportToCalendar);
}

void CloseEditorWindow()
{
    if (gui::WindowExists(kEditorWindow)) gui::DestroyWindow(kEditorWindow);
    State().EditingExisting = 0;
    State().ExportToCalendar = 0;
    State().EditedRecord = nullptr;
}

} // namespace nevalon::app
