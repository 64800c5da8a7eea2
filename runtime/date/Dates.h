#pragma once

#include "runtime/date/CurrentDate.h"
#include "runtime/date/Date.h"
#include "runtime/date/DateMask.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"
#include "runtime/date/ShiftDate.h"

namespace nevalon::date {

// Reads the process's time zone; runs at start-up before any other date operation.
void InitDates();

// Reads the time zone again, after the desktop changed it.
void ReloadTimeZone();

// Ends the date library at exit; drops a clock set for tests.
void EndDates();

} // namespace nevalon::date
