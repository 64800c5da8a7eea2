#pragma once

#include "app/EventRecord.h"

#include <cstdint>

namespace nevalon::app {

// What the editor's date field shows: the day, without the time of day the time field holds.
inline constexpr char16_t kEditorDateMask[] = u"%yyyy/%mm/%dd";

// Builds the editor window over the list window: empty for addMode 1, filled from EditedRecord for 0.
// `stored` runs once Save has stored an event, saved the file and closed the editor (the list window's owner
// builds its rows again there); the editor keeps it until the next opening.
void OpenEventEditor(int64_t addMode, void (*stored)());

// Fills the open editor's fields from the record, as Edit does on another row while the editor is open.
void ShowInEditor(const EventRecord& record);

// The Save button: checks the input (each failure shows why and keeps the editor open), stores the event,
// exports it when asked, saves the file, closes the editor and runs the `stored` of its opening.
void SaveEventHandler();

// The calendar check box: flips ExportToCalendar and shows it.
void ToggleCalendarExport();

// Closes the editor (if open): Cancel, Escape and the close box. Clears EditingExisting, ExportToCalendar and
// EditedRecord.
void CloseEditorWindow();

} // namespace nevalon::app
