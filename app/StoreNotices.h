#pragma once

namespace nevalon::app {

// Who asked for a save. A person's own change is always answered when it cannot be saved; the program's
// own saves (notice flags, roll-overs, retries) say so only when saving stops working.
enum class SaveCause { Person, Program };

// SaveEvents, then what the person needs to hear: why it failed, and where a copy of the old file went.
// Whether the file now holds Events.
bool SaveEventsAndSay(SaveCause cause);

// Says once, until the file can be read again, that the events file is there but cannot be read.
void SayWhenEventsFileUnreadable();

} // namespace nevalon::app
