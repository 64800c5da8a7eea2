#pragma once

#include "app/AppState.h"

namespace nevalon::app {

// The minute check: one day and ten minutes before each event, and once it is reached, gives its reminder
// (DeliverReminder) and saves the record's flag once it has been shown; a passed recurring record then
// moves on to its next occurrence, saved with its flag. The clock is read once per pass.
void CheckReminders();

// The reminder of `kind` for the record at `now`, with its text.
Reminder ReminderFor(const EventRecord& record, ReminderKind kind, date::Date now);

// Gives the reached reminder for the record at `now`; true when it has been shown and the caller sets
// reachedShown and saves, false when a desktop notification took it (DeliverReminder).
bool RemindEventReached(const EventRecord& record, date::Date now);

// For each record of Events whose moment has come by `now`, in list order: gives its reached reminder once
// (RemindEventReached) and saves the flag, then moves a recurring record to its first occurrence after
// `now` (StepPastNow) and saves it. Computes no row: the list window reads the records afterwards.
void RollOverPassedEvents(date::Date now);

} // namespace nevalon::app
