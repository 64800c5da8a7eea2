#include "app/Reminders.h"

#include "app/AppState.h"
#include "app/Countdown.h"
#include "app/ReminderNotices.h"
#include "app/StoreNotices.h"
#include "runtime/date/CurrentDate.h"

namespace nevalon::app {
namespace {

// The sentence of a reached notice for the categories that call for a card.
String CardSentence(int64_t category)
{
    if (category < 0 || category > 2) return {};
    return u"Since this is a " + State().Categories[category] + u", make sure you remember to buy a card!";
}

String ReminderText(const EventRecord& record, ReminderKind kind)
{
    switch (kind) {
    case ReminderKind::Day:
        return u"This is a reminder that '" + record.title + u"' is happening in 1 day!";
    case ReminderKind::TenMinutes:
        return u"This is a reminder that '" + record.title + u"' is happening in 10 minutes!";
    default:
        return u"A Countdown Event was reached!\n\rThe event '" + record.title + u"' is happening now!\n\r" +
               CardSentence(record.category) + u"\n";
    }
}

} // namespace

Reminder ReminderFor(const EventRecord& record, ReminderKind kind, date::Date now)
{
    // A reached recurring record moves on in the same pass, as StepPastNow takes it.
    const date::Date after = kind == ReminderKind::Reached
                                 ? FirstOccurrenceAfter(record.date, record.recurrence, now)
                                 : record.date;
    return Reminder{kind, record.title, record.date, after, ReminderText(record, kind)};
}

bool RemindEventReached(const EventRecord& record, date::Date now)
{
    return DeliverReminder(ReminderFor(record, ReminderKind::Reached, now));
}

void CheckReminders()
{
    const date::Date now = date::CurrentDate();
    EventList& events = State().Events;
    // A reminder's box waits for the person, and what runs meanwhile may move the list's cursor: each
    // record is found by its index.
    for (int64_t i = 0; i < events.CountElements(); ++i) {
        EventRecord* record = events.SelectElement(i);
        const int64_t remaining = SecondsUntil(record->date, now);
        if (remaining >= 85801 && remaining <= 86400 && record->dayReminderShown == 0 &&
            DeliverReminder(ReminderFor(*record, ReminderKind::Day, now))) {
            record->dayReminderShown = 1;
            SaveEventsAndSay(SaveCause::Program);
        }
        if (remaining >= 541 && remaining <= 600 && record->tenMinuteReminderShown == 0 &&
            DeliverReminder(ReminderFor(*record, ReminderKind::TenMinutes, now))) {
            record->tenMinuteReminderShown = 1;
            SaveEventsAndSay(SaveCause::Program);
        }
        if (remaining > 0) continue;
        bool changed = false;
        if (record->reachedShown == 0 && RemindEventReached(*record, now)) {
            record->reachedShown = 1;
            changed = true;
        }
        // A program left running and never clicked still reminds every occurrence: the next one starts
        // with its notices cleared.
        changed = StepPastNow(*record, now) || changed;
        if (changed) SaveEventsAndSay(SaveCause::Program);
    }
}

void RollOverPassedEvents(date::Date now)
{
    EventList& events = State().Events;
    // As in CheckReminders, each record is found by its index.
    for (int64_t i = 0; i < events.CountElements(); ++i) {
        EventRecord& record = *events.SelectElement(i);
        if (SecondsUntil(record.date, now) > 0) continue;
        if (record.reachedShown == 0 && RemindEventReached(record, now)) {
            record.reachedShown = 1;
            SaveEventsAndSay(SaveCause::Program);
        }
        if (StepPastNow(record, now)) SaveEventsAndSay(SaveCause::Program);
    }
}

} // namespace nevalon::app
