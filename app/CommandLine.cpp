#include "app/CommandLine.h"

#include "app/AppState.h"
#include "app/Countdown.h"
#include "app/EventStore.h"
#include "runtime/date/Dates.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

namespace nevalon::app {
namespace {

using system::StringToUtf8;

constexpr std::string_view kUsage =
    "Usage: nevalon [--next | --list] [--json]\n"
    "Counts down to your events from the tray. Without options it starts, or opens the list window of\n"
    "the Nevalon that already runs.\n"
    "\n"
    "  --next     print the next upcoming event and the time still to go\n"
    "  --list     print every event and its countdown, one a line, in the list window's order\n"
    "  --json     with --next (or alone): one line of JSON for a Waybar custom module\n"
    "  --help     print this help\n"
    "  --version  print the version\n"
    "\n"
    "These read the events file only. Exit code 2: a wrong option, or an events file that cannot be read.\n";

// The toolkit's own options, which start the program; the first group takes a value.
constexpr std::string_view kToolkitOptionsWithValue[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::string_view kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The number of arguments a toolkit option at argv[i] takes up, 0 when it is none.
int ToolkitOption(std::string_view arg, bool valueFollows)
{
    if (arg.size() < 2 || arg[0] != '-') return 0;
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    for (std::string_view option : kToolkitOptionsWithValue)
        if (name == option) return equals != std::string_view::npos ? 1 : valueFollows ? 2 : 0;
    for (std::string_view flag : kToolkitFlags)
        if (arg == flag) return 1;
    return 0;
}

// One event as the command line shows it.
struct EventAnswer {
    String line;
    int64_t remaining;
};

// A panel shows one line: a control character from a hand-edited file must not break it.
String OneLine(String text)
{
    for (char16_t& unit : text)
        if (unit < 0x20 || unit == 0x7F) unit = u' ';
    return text;
}

// Every event in list order, a passed recurring one at its next occurrence. Events is reordered in memory
// only; nothing is saved.
std::vector<EventAnswer> Answers(date::Date now)
{
    GroupByCategory();
    std::vector<EventAnswer> answers;
    EventList& events = State().Events;
    events.RewindList();
    while (const EventRecord* record = events.MoveNext()) {
        const int64_t d = SecondsUntil(FirstOccurrenceAfter(record->date, record->recurrence, now), now);
        answers.push_back(
            {OneLine(record->title) + u": " + (d >= 1 ? CountdownText(d) : String(u"This event has passed!")),
             d});
    }
    return answers;
}

// Whether `a` answers --next before `b`: an upcoming event before a passed one, the soonest upcoming, the
// latest passed.
bool AnswersFirst(const EventAnswer& a, const EventAnswer& b)
{
    const bool aAhead = a.remaining >= 1, bAhead = b.remaining >= 1;
    if (aAhead != bAhead) return aAhead;
    return aAhead ? a.remaining < b.remaining : a.remaining > b.remaining;
}

std::string JsonString(std::string_view utf8)
{
    std::string json = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c == '\n') {
            json += "\\n";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + "\"";
}

// Reads Events from the events file; a missing or empty file is no events. False, with `error`, when the
// file is there but cannot be read or holds no event.
bool ReadEvents(std::string& error)
{
    AppState& state = State();
    state.EventsFilePath = ComputeEventsFilePath(FolderUse::Leave);
    state.Events.EmptyList();
    const std::string path = StringToUtf8(state.EventsFilePath);
    if (path.empty()) {
        error = "nevalon: cannot find the home folder";
        return false;
    }
    const int64_t size = system::GetFileSize(state.EventsFilePath);
    if (size == system::FileSizeMissing || size == 0) return true;
    if (size == system::FileSizeFolder || !ReadEventsFile()) {
        error = "nevalon: cannot read the events file " + path;
        return false;
    }
    if (state.Events.CountElements() == 0) {
        error = "nevalon: the events file " + path + " holds no event";
        return false;
    }
    return true;
}

} // namespace

CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine request;
    bool next = false, list = false, json = false, help = false, version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--next") {
            next = true;
        } else if (arg == "--list") {
            list = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (int taken = ToolkitOption(arg, i + 1 < argc)) {
            i += taken - 1;
        } else {
            request.action = CommandLine::Invalid;
            request.error = "nevalon: unknown option '" + std::string(arg) + "' (see nevalon --help)";
            return request;
        }
    }
    request.json = json;
    if (help) {
        request.action = CommandLine::Help;
    } else if (version) {
        request.action = CommandLine::Version;
    } else if (next && list) {
        request.action = CommandLine::Invalid;
        request.error = "nevalon: --next and --list cannot go together";
    } else if (list && json) {
        request.action = CommandLine::Invalid;
        request.error = "nevalon: --json goes with --next only";
    } else if (list) {
        request.action = CommandLine::List;
    } else if (next || json) {
        request.action = CommandLine::Next;
    }
    return request;
}

int AnswerCommandLine(const CommandLine& request, date::Date now, std::string& out, std::string& err)
{
    switch (request.action) {
    case CommandLine::StartProgram:
    case CommandLine::Invalid:
        err = request.error + "\n";
        return 2;
    case CommandLine::Help:
        out = kUsage;
        return 0;
    case CommandLine::Version:
        out = "nevalon " NEVALON_VERSION "\n";
        return 0;
    default:
        break;
    }
    std::string error;
    if (!ReadEvents(error)) {
        err = error + "\n";
        return 2;
    }
    const std::vector<EventAnswer> answers = Answers(now);
    if (request.action == CommandLine::List) {
        for (const EventAnswer& answer : answers)
            out += StringToUtf8(answer.line) + "\n";
        return 0;
    }
    // The first of equals in list order.
    const auto next = std::min_element(answers.begin(), answers.end(), AnswersFirst);
    const bool any = next != answers.end();
    const std::string text = StringToUtf8(any ? next->line : String(kNoEventsText));
    if (!request.json) {
        out = text + "\n";
        return 0;
    }
    std::string tooltip;
    for (const EventAnswer& answer : answers)
        tooltip += (tooltip.empty() ? "" : "\n") + StringToUtf8(answer.line);
    const bool upcoming = any && next->remaining >= 1;
    out = "{\"text\":" + JsonString(text) + ",\"tooltip\":" + JsonString(tooltip) +
          ",\"class\":" + JsonString(upcoming ? "upcoming" : "passed") + "}\n";
    return 0;
}

int RunCommandLine(const CommandLine& request)
{
    system::InitStrings();
    system::InitFiles();
    date::InitDates();
    std::string out, err;
    const int code = AnswerCommandLine(request, date::CurrentDate(), out, err);
    std::fputs(out.c_str(), stdout);
    std::fputs(err.c_str(), stderr);
    system::EndFiles();
    date::EndDates();
    system::EndStrings();
    return std::fflush(stdout) == 0 ? code : 2;
}

} // namespace nevalon::app
