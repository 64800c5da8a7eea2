#pragma once

#include "app/EventRecord.h"

namespace nevalon::app {

// Whether computing the events file's path makes its folder.
enum class FolderUse { Create, Leave };

// The events file in the user's data folder, which is made when missing unless `use` is Leave; "" when the
// home folder is unknown.
String ComputeEventsFilePath(FolderUse use = FolderUse::Create);

// Writes every record of Events to the events file. The previous file stays whole until the new one
// is completely on the disk; a save that fails leaves it untouched and says nothing.
void SaveEvents();

// Replaces Events by the records of the events file; a missing, empty or unreadable file leaves Events
// as it is. Returns whether the file was read.
bool ReadEventsFile();

// ReadEventsFile, then the list window built from Events.
void LoadEvents();

// Orders Events by category (0 to 6, then any other value), then by title, keeping ties in order.
void GroupByCategory();

// The title as the events file holds it: a field separator would split the line, so "|" becomes "¦".
String StoredTitle(const String& title);

} // namespace nevalon::app
