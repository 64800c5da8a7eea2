#pragma once

#include "app/EventRecord.h"

namespace nevalon::app {

// Row colours, red in the low byte.
inline constexpr int64_t kColourBlack = 0x000000;
inline constexpr int64_t kColourWhite = 0xFFFFFF;
inline constexpr int64_t kColourRed = 0x0000FF;
inline constexpr int64_t kColourYellow = 0x00FFFF;

// What a row of the list window shows for its record.
struct CountdownRow {
    String text;
    int64_t colour = kColourBlack;
};

// Seconds from `now` to `when`, held at the ends of the 64-bit range (a hand-edited file may hold any
// number as a date).
int64_t SecondsUntil(date::Date when, date::Date now);

// The time still to go for d >= 1 seconds, in fixed units (a month is 30 days, a year 365).
String CountdownText(int64_t d);

// 1 when the desktop's appearance is dark, else 0; asked afresh on every call.
int64_t IsDarkMode();

// The next occurrence after `date` for recurrence codes 1 to 6 (InvalidDate when it leaves the
// calendar's range); `date` itself for any other code.
date::Date NextOccurrence(date::Date date, int64_t code);

// The first occurrence after `now` of an event at `date` recurring by `code` (1 to 6); `date` itself when it
// lies ahead or does not recur. A step that leaves the calendar's range ends the search at the step before.
date::Date FirstOccurrenceAfter(date::Date date, int64_t code, date::Date now);

// Moves a recurring record whose moment has come by `now` to its first occurrence after `now`, with its
// notices cleared; whether it moved (a record that does not recur, or cannot step, stays as it is).
bool StepPastNow(EventRecord& record, date::Date now);

// The row of a record at `now`: the countdown while it lies ahead, else the passed row (a passed event that
// does not recur says so; one that recurs and has not rolled over yet shows no text). Changes nothing.
CountdownRow RowForEvent(const EventRecord& record, date::Date now);

// "Nevalon", and for the event of Events that comes next after `now` (the first of equals in list order;
// a passed repeating event by its next time) a second line: its title and its countdown.
String StatusToolTip(date::Date now);

} // namespace nevalon::app
