#pragma once

#include "app/AppState.h"
#include "app/Countdown.h"
#include "app/EventRecord.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace nevalon::app {

// The list window: where it opens, its rows and buttons, the handlers of those buttons, and its teardown.
// The editor is its child: closing the list closes the editor.

// ReadEventsFile and the notice of an unreadable file, then the list window built from Events and the
// status icon's tooltip brought up to date.
void LoadEvents();

// Builds the list window afresh from Events: one row per event (its notices and roll-over happen here),
// the add and settings buttons, and the empty-list text. Does nothing while the editor edits a record.
void BuildListWindow();

// Tears the list window down (and the editor with it), keeping its left edge for the next opening.
void CloseListWindow();

// Builds the list window again from Events without reading the events file.
void RefreshListWindow();

// Groups Events, reads the clock once, rolls the passed events over (RollOverPassedEvents: their reminders
// and saves come first) and returns every record's row in list order.
std::vector<CountdownRow> CountdownRows();

// The add button: opens an empty editor unless one is open.
void AddEventHandler();

// A row's Edit button: opens the editor on that row's event, or refills an open editor with it.
void EditEventHandler();

// The trash button of a row: asks before deleting its event; on Yes deletes it, saves and builds the list
// again (an editor open on a record closes, as the reload replaces every record). No changes nothing.
void DeleteEventHandler();

// Whether the point lies on the desktop, its edges included.
bool DesktopContains(int64_t desktop, int64_t x, int64_t y);

// Index of the desktop under the pointer, searching from the last; 0 when none, -1 without desktops.
int64_t DesktopUnderMouse();

// The left edge at which the list window opens under the point (x, y): centred on it, kept on its screen.
int64_t ListWindowXAt(int64_t x, int64_t y);
int64_t ListWindowXUnderMouse();

// The free part of the screen under the point (the main one when none is), resting on its bottom edge for a
// point in the lower half of that screen; none without screens.
std::optional<ListWindowPlace> ListWindowPlaceAt(int64_t x, int64_t y);
std::optional<ListWindowPlace> ListWindowPlaceUnderMouse();

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
// The picture's number, 0 when it could not be drawn; the caller disposes of it.
[[nodiscard]] int64_t CategoryBadge(const String& categoryName);

} // namespace nevalon::app
