#pragma once

#include "runtime/date/Date.h"
#include "runtime/system/containers/List.h"
#include "runtime/system/strings/String.h"

#include <array>
#include <cstdint>

namespace nevalon::app {

using system::String;

// One countdown event. Gadget numbers name the record's row while the list window shows it (0 and -1:
// none) and are never stored; the three flags record which notices this occurrence has had.
struct EventRecord {
    String title;
    date::Date date = 0;
    int64_t titleGadget = 0;
    int64_t countdownGadget = 0;
    int64_t editGadget = 0;
    int64_t trashGadget = 0;
    int8_t fileFlag = 0;
    int64_t recurrence = 0;
    int64_t category = 0;
    int64_t imageGadget = 0;
    int8_t reachedShown = 0;
    int8_t dayReminderShown = 0;
    int8_t tenMinuteReminderShown = 0;
};

using EventList = system::List<EventRecord>;

enum Recurrence : int64_t {
    RecurNever = 0,
    RecurDaily = 1,
    RecurWeekly = 2,
    RecurBiweekly = 3,
    RecurMonthly = 4,
    RecurQuarterly = 5,
    RecurYearly = 6,
};

// The editor's labels of the recurrence codes, by code.
inline constexpr std::array<const char16_t*, 7> kRecurrenceLabels = {
    u"Never", u"Daily", u"Weekly", u"Biweekly", u"Monthly", u"Quarterly", u"Yearly"};

// The category names by index, as the program fills its category table at start.
inline constexpr std::array<const char16_t*, 7> kCategoryNames = {
    u"Anniversary", u"Birthday", u"Graduation", u"Holiday", u"Meeting", u"Other", u"Vacation"};

} // namespace nevalon::app
