#include "app/EventStore.h"

#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/strings/Strings.h"

#include <unistd.h>

namespace nevalon::app {
namespace {

using namespace system;

constexpr const char16_t* kSeparator = u"|";
constexpr int64_t kFieldCount = 8;

// The low eight bits of a stored number, as the signed byte the record keeps.
int8_t LowByte(int64_t value)
{
    return static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF));
}

// Whether the field is a plain decimal number (blanks before it, an optional sign).
bool IsNumber(const String& field)
{
    size_t i = field.find_first_not_of(u" \t");
    if (i != String::npos && (field[i] == u'-' || field[i] == u'+')) ++i;
    if (i == String::npos || i >= field.size()) return false;
    for (; i < field.size(); ++i)
        if (field[i] < u'0' || field[i] > u'9') return false;
    return true;
}

String LineOf(const EventRecord& record)
{
    // Appended in place: a save writes every record, and temporaries per field were most of its cost.
    String line = StoredTitle(record.title);
    line.reserve(line.size() + 48);
    for (int64_t value : {record.date, int64_t{record.fileFlag}, record.recurrence, record.category,
                          int64_t{record.reachedShown}, int64_t{record.dayReminderShown},
                          int64_t{record.tenMinuteReminderShown}}) {
        line += kSeparator;
        line += IntegerToString(value);
    }
    return line;
}

// Fills `record` from one line of the file; false for a line that holds no record.
bool ParseLine(const String& line, EventRecord& record)
{
    const int64_t separators = CountSubstring(line, kSeparator);
    if (line.empty() || separators < 5) return false;
    // A title holding "|" (written by a build that let one through) shows as extra leading fields: when
    // the last seven fields are the numbers of a record, everything before them is the title.
    int64_t titleFields = 1;
    if (separators >= kFieldCount) {
        titleFields = separators - (kFieldCount - 2);
        for (int64_t i = titleFields + 1; i <= separators + 1 && titleFields > 1; ++i)
            if (!IsNumber(GetField(line, i, kSeparator))) titleFields = 1;
    }
    // Cut in one piece: joining the title's fields one by one would take time growing with the square
    // of their number, and a damaged line may hold a great many.
    int64_t titleEnd = 0;
    for (int64_t i = 0; i < titleFields; ++i)
        titleEnd = FindSubstring(line, kSeparator, titleEnd + 1);
    const String title = LeftPart(line, titleEnd - 1);
    auto number = [&](int64_t field) {
        int64_t index = titleFields + field - 1;
        return index - 1 <= separators ? StringToInteger(GetField(line, index, kSeparator)) : 0;
    };
    record.title = StoredTitle(title);
    record.date = number(2);
    record.fileFlag = LowByte(number(3));
    record.recurrence = number(4);
    record.category = number(5);
    record.reachedShown = LowByte(number(6));
    record.dayReminderShown = LowByte(number(7));
    record.tenMinuteReminderShown = LowByte(number(8));
    return true;
}

// Category order of the grouping: 0 to 6, then every other value together.
int64_t CategoryRank(int64_t category)
{
    return category >= 0 && category <= 6 ? category : 7;
}

} // namespace

String ComputeEventsFilePath(FolderUse use)
{
    String folder = use == FolderUse::Create ? UserDirectory(4) : ApplicationSupportDirectory();
    return folder.empty() ? String() : folder + u"nevalon_events.dat";
}

String StoredTitle(const String& title)
{
    return ReplaceSubstring(title, kSeparator, u"\u00A6");
}

void SaveEvents()
{
    const String& path = State().EventsFilePath;
    if (path.empty()) return;
    // Written beside the file it replaces (through any link), so that the rename stays on one disk.
    const String target = ResolvedPath(path);
    const String temporary = target + u"." + IntegerToString(getpid()) + u".saving";
    const int64_t file = CreateFile(-1, temporary, FileOwnerOnly);
    if (!file) return;
    EventList& events = State().Events;
    events.RewindList();
    while (const EventRecord* record = events.MoveNext())
        WriteLine(file, LineOf(*record));
    if (!CloseFile(file) || !ReplaceFile(temporary, target)) DeleteFile(temporary);
}

bool ReadEventsFile()
{
    const String& path = State().EventsFilePath;
    if (path.empty() || GetFileSize(path) <= 0) return false;
    const int64_t file = OpenFileReadOnly(-1, path);
    if (!file) return false;
    EventList loaded;
    for (bool first = true; !AtEndOfFile(file); first = false) {
        String line = ReadLine(file);
        // Some editors start a UTF-8 file with a byte-order mark; it is no part of the first title.
        if (first && line.starts_with(u'\uFEFF')) line.erase(0, 1);
        EventRecord record;
        if (!ParseLine(line, record)) continue;
        if (EventRecord* added = loaded.InsertElement()) *added = std::move(record);
    }
    CloseFile(file);
    State().Events = std::move(loaded);
    return true;
}

void LoadEvents()
{
    ReadEventsFile();
    BuildListWindow();
    UpdateStatusIconToolTip();
}

void GroupByCategory()
{
    EventList& events = State().Events;
    if (events.CountElements() < 2) return;
    events.SortElements(-1, -1, [](const EventRecord& a, const EventRecord& b) {
        int64_t rankA = CategoryRank(a.category), rankB = CategoryRank(b.category);
        return rankA != rankB ? rankA < rankB : CompareStrings(a.title, b.title) <= 0;
    });
}

} // namespace nevalon::app
