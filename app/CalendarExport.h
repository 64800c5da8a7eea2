#pragma once

#include "runtime/date/Date.h"
#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::app {

using system::String;

// A new random UUID in its 36-character text form.
String NewUuidString();

// Writes a calendar file holding the one event at `path`; a failure shows its own message.
void WriteCalendarFile(const String& path, const String& title, date::Date moment, int64_t recurrence);

} // namespace nevalon::app
