#pragma once

#include "app/AppState.h"
#include "app/EventRecord.h"

#include <cstdint>
#include <optional>

namespace nevalon::app {

// Builds the list window afresh from Events: one row per event (its notices and roll-over happen here),
// the add and settings buttons, and the empty-list text. Does nothing while the editor edits a record.
void BuildListWindow();

// The window's top edge for its height: the top of the clicked screen's free part, or, after a click on a
// panel at the bottom of a screen, resting on that part's bottom edge without rising above it; under the
// menu bar before any click.
int64_t ListWindowTop(int64_t height, int64_t menuBar, const std::optional<ListWindowPlace>& place);

// The height the window shows for the height its rows ask: no more than the free part of the clicked screen.
int64_t ListWindowShownHeight(int64_t height, const std::optional<ListWindowPlace>& place);
// Opens the list window's fonts and draws each category's badge once, so that the first opening waits
// neither for the desktop's font list to load nor for the badges' texts to be drawn. Changes nothing that
// shows.
void PrepareListWindow();

// The window's height for `events` rows.
int64_t ListWindowHeight(int64_t events);

// "12:05 AM", "9:30 AM", "12:00 PM", "9:07 PM": the list's clock time of a date.
String TwelveHourText(date::Date when);

// "Repeats daily" and so on for a recurrence code; "Unknown recurrence" for a code outside 0-6.
String RecurrenceName(int64_t code);

// The tooltip of a row's title: its date, time and recurrence.
String EventToolTip(const EventRecord& record);

// The colour of a category's badge (RGBA, red lowest), by its name in lower case.
int64_t BadgeColour(const String& categoryName);

// A new 80 x 24 picture of a category's badge: its colour in a rounded box, its name centred in white.
// The picture's number, 0 when it could not be drawn.
int64_t CategoryBadge(const String& categoryName);

} // namespace nevalon::app
