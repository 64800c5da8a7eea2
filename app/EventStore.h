#pragma once

#include "app/EventRecord.h"

namespace nevalon::app {

// The events file and Events: reading, writing and ordering. Knows no window and tells the person nothing
// (StoreNotices does).

// Whether computing the events file's path makes its folder.
enum class FolderUse { Create, Leave };

// The events file in the user's data folder, which is made when missing unless `use` is Leave; "" when the
// home folder is unknown.
String ComputeEventsFilePath(FolderUse use = FolderUse::Create);

// Writes every record of Events to the events file; whether the file now holds them. The previous file
// stays whole until the new one is completely on the disk. Nothing is written over a file that could not
// be read, and a file that held lines that are no events is first copied beside itself (EventsFile.copy
// names the copy). A failure sets EventsFile.unsaved and gives its reason in EventsFile.saveProblem.
[[nodiscard]] bool SaveEvents();

// Replaces Events by the records of the events file; returns whether the file was read. Events stays as it
// is when the file is missing or empty, when it cannot be read (EventsFile.unreadable tells why), and
// while Events holds changes that a failed save could not write; changes made while the file could not be
// read are added to what it holds once it can be.
bool ReadEventsFile();

// Removes the new files that saves cut short by a kill left beside the events file. Only for the one
// running instance: another's save may be under way.
void RemoveUnfinishedSaves();

// Orders Events by category (0 to 6, then any other value), then by title, keeping ties in order.
void GroupByCategory();

// The title as the events file holds it: one line, so each control character becomes a space, and a field
// separator would split it, so "|" becomes "¦".
String StoredTitle(const String& title);

} // namespace nevalon::app
