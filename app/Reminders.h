#pragma once

#include "app/EventRecord.h"

namespace nevalon::app {

// The minute check: one day and ten minutes before each event, and once it is reached, shows its notice
// (modal, with the reminder sound) and saves the record's flag; a passed recurring record then moves on to
// its next occurrence, saved with its flag. The clock is read once per pass.
void CheckReminders();

// Brings every window of the program to the front, whichever application is active.
void BringApplicationToFront();

// Shows the reached notice for the record and returns when the user has closed it; the caller sets
// reachedShown and saves.
void ShowEventReached(const EventRecord& record);

} // namespace nevalon::app
