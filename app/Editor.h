#pragma once

#include <cstdint>

namespace nevalon::app {

// What the editor's date field shows: the day, without the time of day the time field holds.
inline constexpr char16_t kEditorDateMask[] = u"%yyyy/%mm/%dd";

// Builds the editor window: empty for addMode 1, filled from EditedRecord for 0.
void OpenEventEditor(int64_t addMode);

// The list window's add button: opens an empty editor unless one is open.
void AddEventHandler();

// A row's Edit button: opens the editor on that row's event, or refills an open editor with it.
void EditEventHandler();

// The trash button of a row: asks before deleting its event; on Yes deletes it, saves and builds the list
// again (an editor open on a record closes, as the reload replaces every record). No changes nothing.
void DeleteEventHandler();

// The Save button: checks the input (each failure shows why and keeps the editor open), stores the event,
// exports it when asked, saves the file, closes the editor and loads the list again.
void SaveEventHandler();

// The calendar check box: flips ExportToCalendar and shows it.
void ToggleCalendarExport();

// Closes the editor (if open): Cancel, Escape and the close box. Clears EditingExisting, ExportToCalendar and
// EditedRecord.
void CloseEditorWindow();

} // namespace nevalon::app
