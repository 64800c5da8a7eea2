#pragma once

#include "runtime/date/Date.h"
#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::app {

using system::String;

// A fresh random (version 4) UUID: 36 characters, upper-case hexadecimal in groups of 8-4-4-4-12.
String NewUuidString();

// Writes the event as a one-event iCalendar file at `path`, which must not exist yet, and hands it to the
// calendar application without waiting; when the file cannot be written the user is told and nothing runs.
void WriteCalendarFile(const String& path, const String& title, date::Date moment, int64_t recurrence);

} // namespace nevalon::app
