#include "app/Countdown.h"

#include "app/AppState.h"
#include "runtime/date/Dates.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/system/strings/Strings.h"

#include <climits>
#include <string_view>

namespace nevalon::app {
namespace {

using system::IntegerToString;

constexpr int64_t kMinute = 60;
constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 86400;
constexpr int64_t kMonth = 2592000;
constexpr int64_t kYear = 31536000;

// The row of a record `d` >= 1 seconds ahead.
CountdownRow AheadRow(int64_t d)
{
    return {CountdownText(d), IsDarkMode() ? kColourWhite : kColourBlack};
}

// "1 day", "0 days", "2 days": the singular exactly for 1.
String Count(int64_t n, const char16_t* unit)
{
    return IntegerToString(n) + u" " + unit + (n == 1 ? u"" : u"s");
}

} // namespace

int64_t SecondsUntil(date::Date when, date::Date now)
{
    int64_t d = 0;
    if (!__builtin_sub_overflow(when, now, &d)) return d;
    return when < now ? INT64_MIN : INT64_MAX;
}

String CountdownText(int64_t d)
{
    if (d < kMinute) return u"Less than a minute left";
    if (d < 2 * kMinute) return u"1 minute";
    if (d < kHour) return IntegerToString((d + kMinute - 1) / kMinute) + u" minutes";
    if (d < kDay) {
        const int64_t hours = d / kHour, rest = d - hours * kHour;
        String text = Count(hours, u"hour");
        if (rest >= kMinute) text += u", " + Count(rest / kMinute, u"minute");
        return text;
    }
    if (d < kYear) {
        const int64_t days = d / kDay;
        return Count(days, u"day") + u", " + Count((d - days * kDay) / kHour, u"hour");
    }
    const int64_t years = d / kYear, afterYears = d - years * kYear;
    const int64_t months = afterYears / kMonth, afterMonths = afterYears - months * kMonth;
    return Count(years, u"year") + u", " + Count(months, u"month") + u", " +
           Count(afterMonths / kDay, u"day");
}

int64_t IsDarkMode()
{
    using gui::PlatformMessage;
    int64_t defaults = PlatformMessage(nullptr, 0, "NSUserDefaults standardUserDefaults");
    int64_t style = PlatformMessage(nullptr, defaults, "stringForKey:$", {u"AppleInterfaceStyle"});
    if (!style) return 0;
    auto* utf8 = reinterpret_cast<const char*>(PlatformMessage(nullptr, style, "UTF8String"));
    return utf8 && std::string_view(utf8) == "Dark" ? 1 : 0;
}

date::Date NextOccurrence(date::Date when, int64_t code)
{
    using namespace date;
    switch (code) {
    case RecurDaily:
        return ShiftDate(when, kDayUnit, 1);
    case RecurWeekly:
        return ShiftDate(when, kWeekUnit, 1);
    case RecurBiweekly:
        return ShiftDate(when, kWeekUnit, 2);
    case RecurMonthly:
        return ShiftDate(when, kMonthUnit, 1);
    case RecurQuarterly:
        return ShiftDate(when, kMonthUnit, 3);
    case RecurYearly:
        if (DateDay(when) == 29 && DateMonth(when) == 2) {
            const auto year = static_cast<int32_t>(DateYear(when) + 1);
            return MakeDate(year, 2, IsLeapYear(year) ? 29 : 28, static_cast<int32_t>(DateHour(when)),
                            static_cast<int32_t>(DateMinute(when)), static_cast<int32_t>(DateSecond(when)));
        }
        return ShiftDate(when, kYearUnit, 1);
    default:
        return when;
    }
}

date::Date FirstOccurrenceAfter(date::Date date, int64_t code, date::Date now)
{
    if (code < RecurDaily || code > RecurYearly) return date;
    while (date <= now) {
        const date::Date next = NextOccurrence(date, code);
        if (next == date::InvalidDate) break;
        date = next;
    }
    return date;
}

bool StepPastNow(EventRecord& record, date::Date now)
{
    // A date outside the calendar's range (only a hand-edited file holds one) cannot step: the record is
    // left as it is and shows as passed.
    const date::Date next = FirstOccurrenceAfter(record.date, record.recurrence, now);
    if (next == record.date) return false;
    record.date = next;
    record.reachedShown = record.dayReminderShown = record.tenMinuteReminderShown = 0;
    return true;
}

CountdownRow RowForEvent(const EventRecord& record, date::Date now)
{
    const int64_t d = SecondsUntil(record.date, now);
    if (d > 0) return AheadRow(d);
    return {record.recurrence == RecurNever ? u"This event has passed!" : u"",
            IsDarkMode() ? kColourYellow : kColourRed};
}

String StatusToolTip(date::Date now)
{
    const EventRecord* next = nullptr;
    date::Date nextDate = 0;
    // A passed repeating event may not have rolled over yet (with notifications off, only the list build
    // rolls it), so its next time is worked out here.
    for (const EventRecord& record : State().Events) {
        const date::Date when = FirstOccurrenceAfter(record.date, record.recurrence, now);
        if (when > now && (!next || when < nextDate)) next = &record, nextDate = when;
    }
    if (!next) return u"Nevalon";
    return u"Nevalon\n" + next->title + u": " + CountdownText(SecondsUntil(nextDate, now));
}

} // namespace nevalon::app
