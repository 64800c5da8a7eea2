#include "app/CalendarExport.h"

#include "app/EventRecord.h"
#include "app/SettingsMenu.h"
#include "runtime/date/DateMask.h"
#include "runtime/date/ShiftDate.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/Strings.h"

namespace nevalon::app {
namespace {

constexpr const char16_t* kDateTimeMask = u"%yyyy%mm%ddT%hh%ii%ss";

struct RecurrenceRule {
    const char16_t* description;
    const char16_t* rule;
};

// By recurrence code; the descriptions carry the escaped line break that separates them.
constexpr RecurrenceRule kRecurrenceRules[] = {
    {u"", u""},
    {u"\\nRepeats: Daily", u"RRULE:FREQ=DAILY\r\n"},
    {u"\\nRepeats: Weekly", u"RRULE:FREQ=WEEKLY\r\n"},
    {u"\\nRepeats: Biweekly", u"RRULE:FREQ=WEEKLY;INTERVAL=2\r\n"},
    {u"\\nRepeats: Monthly", u"RRULE:FREQ=MONTHLY\r\n"},
    {u"\\nRepeats: Quarterly", u"RRULE:FREQ=MONTHLY;INTERVAL=3\r\n"},
    {u"\\nRepeats: Yearly", u"RRULE:FREQ=YEARLY\r\n"},
};

// Text as an iCalendar value holds it: "\\", ";" and "," escaped, a line break as "\\n", and no other
// control character.
String CalendarValue(const String& text)
{
    String value;
    value.reserve(text.size() + 8);
    for (char16_t c : text) {
        if (c == u'\\' || c == u';' || c == u',') value += u'\\';
        if (c == u'\n')
            value += u"\\n";
        else
            value += c;
    }
    return system::SpacesForControlCharacters(value);
}

String CalendarText(const String& title, date::Date moment, int64_t recurrence)
{
    const String start = date::DateToText(kDateTimeMask, moment);
    const String end = date::DateToText(kDateTimeMask, date::ShiftDate(moment, date::kMinuteUnit, 30));
    const RecurrenceRule& repeats = recurrence >= RecurDaily && recurrence <= RecurYearly
                                        ? kRecurrenceRules[recurrence]
                                        : kRecurrenceRules[0];
    const String description = CalendarValue(String(u"Created via Nevalon\n") + kOtherAppsPage);
    return u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brask//Nevalon//EN\r\nMETHOD:PUBLISH\r\n"
           u"BEGIN:VEVENT\r\nUID:" +
           NewUuidString() + u"\r\nLOCATION:Unknown\r\nSUMMARY:" + CalendarValue(title) +
           u"\r\nDESCRIPTION:" + description + repeats.description + u"\r\nCLASS:PUBLIC\r\nDTSTART:" + start +
           u"\r\nDTEND:" + end + u"\r\nDTSTAMP:" + start + u"\r\n" + repeats.rule +
           u"END:VEVENT\r\nEND:VCALENDAR";
}

} // namespace

String NewUuidString()
{
    using gui::PlatformMessage;
    const int64_t text = PlatformMessage(nullptr, PlatformMessage(nullptr, 0, "NSUUID UUID"), "UUIDString");
    auto* utf8 = reinterpret_cast<const char*>(PlatformMessage(nullptr, text, "UTF8String"));
    return utf8 ? system::StringFromUtf8(utf8) : String();
}

void WriteCalendarFile(const String& path, const String& title, date::Date moment, int64_t recurrence)
{
    const String content = CalendarText(title, moment, recurrence);
    // The file holds the user's event in a shared folder: private, and never through a link planted there.
    const int64_t file = system::CreateFile(-1, path, system::FileCreateNew | system::FileOwnerOnly);
    bool written = file != 0 && system::WriteText(file, content, system::FormatUtf8) > 0;
    // A file cut short must not reach the calendar as if it were the event.
    if (file != 0) written = system::CloseFile(file) == 1 && written;
    if (!written) {
        gui::ShowMessageBox(u"Error!", u"There was a problem generating the Calendar file!\n",
                            gui::MessageBoxStopIcon);
        return;
    }
#ifdef __APPLE__
    system::LaunchProgram(u"open", u"-b com.apple.iCal " + path);
#else
    system::LaunchProgram(u"xdg-open", path);
#endif
}

} // namespace nevalon::app
