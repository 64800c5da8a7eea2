#include "app/EventStore.h"

#include "app/AppState.h"
#include "runtime/date/Dates.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/strings/Strings.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <unistd.h>
#include <vector>

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
bool IsNumber(std::u16string_view field)
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
    // Where every separator stands, found in one pass: a field is then read in place, and a line with a
    // great many fields (a damaged one) still takes time in proportion to its length.
    std::vector<size_t> bars;
    for (size_t at = line.find(kSeparator[0]); at != String::npos; at = line.find(kSeparator[0], at + 1))
        bars.push_back(at);
    const auto separators = static_cast<int64_t>(bars.size());
    if (line.empty() || separators < 5) return false;
    // Field `index` (from 1) of the line, as GetField counts them; empty past the last.
    const auto field = [&](int64_t index) {
        if (index < 1 || index > separators + 1) return std::u16string_view();
        const size_t start = index == 1 ? 0 : bars[static_cast<size_t>(index) - 2] + 1;
        const size_t end = index > separators ? line.size() : bars[static_cast<size_t>(index) - 1];
        return std::u16string_view(line).substr(start, end - start);
    };
    // A title holding "|" (written by a build that let one through) shows as extra leading fields: when
    // the last seven fields are the numbers of a record, everything before them is the title.
    int64_t titleFields = 1;
    if (separators >= kFieldCount) {
        titleFields = separators - (kFieldCount - 2);
        for (int64_t i = titleFields + 1; i <= separators + 1 && titleFields > 1; ++i)
            if (!IsNumber(field(i))) titleFields = 1;
    }
    auto number = [&](int64_t index) { return StringToInteger(field(titleFields + index - 1)); };
    record.title = StoredTitle(line.substr(0, bars[static_cast<size_t>(titleFields) - 1]));
    record.date = number(2);
    record.fileFlag = LowByte(number(3));
    record.recurrence = number(4);
    record.category = number(5);
    record.reachedShown = LowByte(number(6));
    record.dayReminderShown = LowByte(number(7));
    record.tenMinuteReminderShown = LowByte(number(8));
    return true;
}

// A line that holds text but no event: notes, or a record of another format. Blank lines hold nothing.
bool IsForeignLine(const String& line)
{
    return line.find_first_not_of(u" \t") != String::npos;
}

// The system's words for an errno value, as the person is told them.
String ErrorText(int error)
{
    return error ? StringFromUtf8(std::strerror(error)) : String(u"the disk did not take it");
}

// Copies the events file beside itself under a name of its own, dated so that no earlier copy is replaced;
// the copy's path, or "" with the reason in `problem`.
String CopyAside(const String& path, String& problem)
{
    const String dated = path + u"." + date::DateToText(u"%yyyy-%mm-%dd-%hh%ii%ss", date::CurrentDate());
    for (int n = 1; n < 100; ++n) {
        String copy = dated + (n == 1 ? String() : u"-" + IntegerToString(n)) + u".bak";
        if (CopyFile(path, copy)) return copy;
        if (errno != EEXIST) break;
    }
    problem = u"no copy of the old file could be made (" + ErrorText(errno) + u")";
    return String();
}

// The new file beside the one it replaces: "<name>.<process>.saving".
bool IsUnfinishedSave(const String& name, const String& base)
{
    if (!name.starts_with(base + u".") || !name.ends_with(u".saving")) return false;
    const String middle = name.substr(base.size() + 1, name.size() - base.size() - 1 - 7);
    return !middle.empty() && middle.find_first_not_of(u"0123456789") == String::npos;
}

// Writes Events over the events file; false with the reason in `problem`.
bool WriteEventsFile(String& problem)
{
    AppState& state = State();
    const String& path = state.EventsFilePath;
    if (path.empty()) {
        problem = u"the home folder is unknown";
        return false;
    }
    if (state.EventsFile.unreadable) {
        problem = u"the file there cannot be read (" + ErrorText(state.EventsFile.unreadable) +
                  u"), so it is left as it is";
        return false;
    }
    if (state.EventsFile.foreignLines) {
        const String copy = CopyAside(path, problem);
        if (copy.empty()) return false;
        state.EventsFile.foreignLines = false;
        state.EventsFile.copy = copy;
    }
    // Written beside the file it replaces (through any link), so that the rename stays on one disk.
    const String target = ResolvedPath(path);
    const String temporary = target + u"." + IntegerToString(getpid()) + u".saving";
    errno = 0;
    const int64_t file = CreateFile(-1, temporary, FileOwnerOnly);
    if (!file) {
        problem = ErrorText(errno);
        return false;
    }
    // Read without the list's cursor: a save in the middle of another walk leaves that walk's place.
    for (const EventRecord& record : state.Events)
        WriteLine(file, LineOf(record));
    if (!CloseFile(file) || !ReplaceFile(temporary, target)) {
        problem = ErrorText(errno);
        DeleteFile(temporary);
        return false;
    }
    problem.clear();
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
    String folder = use == FolderUse::Create ? UserDirectory(UserFolderApplicationSupport)
                                             : ApplicationSupportDirectory();
    return folder.empty() ? String() : folder + u"nevalon_events.dat";
}

String StoredTitle(const String& title)
{
    return ReplaceSubstring(SpacesForControlCharacters(title), kSeparator, u"\u00A6");
}

bool SaveEvents()
{
    EventsFileState& file = State().EventsFile;
    const bool saved = WriteEventsFile(file.saveProblem);
    file.unsaved = !saved;
    return saved;
}

bool ReadEventsFile()
{
    AppState& state = State();
    EventsFileState& status = state.EventsFile;
    const String& path = state.EventsFilePath;
    if (path.empty()) return false;
    const int64_t size = GetFileSize(path);
    if (size == FileSizeFolder) status.unreadable = EISDIR;
    if (size <= 0) {
        if (size != FileSizeFolder) status.unreadable = 0;
        status.foreignLines = false;
        return false;
    }
    // Changes that a save could not write are newer than the file.
    if (status.unsaved && !status.unreadable) return false;
    errno = 0;
    const int64_t file = OpenFileReadOnly(-1, path);
    if (!file) {
        status.unreadable = errno ? errno : EIO;
        return false;
    }
    EventList loaded;
    bool foreign = false;
    for (bool first = true; !AtEndOfFile(file); first = false) {
        String line = ReadLine(file);
        // Some editors start a UTF-8 file with a byte-order mark; it is no part of the first title.
        if (first && line.starts_with(u'\uFEFF')) line.erase(0, 1);
        EventRecord record;
        if (!ParseLine(line, record)) {
            foreign = foreign || IsForeignLine(line);
            continue;
        }
        if (EventRecord* added = loaded.InsertElement()) *added = std::move(record);
    }
    CloseFile(file);
    if (status.unreadable && status.unsaved) {
        // Events made while the file could not be read join the ones it holds; none is lost.
        bool added = false;
        // New records are appended after the last one.
        while (loaded.MoveNext()) {
        }
        for (const EventRecord& record : state.Events) {
            bool known = false;
            for (const EventRecord& other : loaded)
                known = known || (other.title == record.title && other.date == record.date);
            if (known) continue;
            if (EventRecord* copy = loaded.InsertElement()) *copy = record, added = true;
        }
        status.unsaved = added;
    }
    state.Events = std::move(loaded);
    status.unreadable = 0;
    status.unreadableSaid = false;
    status.foreignLines = foreign;
    return true;
}

void RemoveUnfinishedSaves()
{
    const String target = ResolvedPath(State().EventsFilePath);
    const size_t slash = target.rfind(u'/');
    if (target.empty() || slash == String::npos) return;
    const String folder = target.substr(0, slash + 1), base = target.substr(slash + 1);
    for (const String& name : FolderEntries(folder))
        if (IsUnfinishedSave(name, base)) DeleteFile(folder + name);
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
