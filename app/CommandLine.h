#pragma once

#include "runtime/date/Date.h"

#include <string>

namespace nevalon::app {

// What the program was asked for on its command line.
struct CommandLine {
    enum Action { StartProgram, Next, List, Help, Version, Invalid };
    Action action = StartProgram;
    bool json = false;
    // For Invalid: what was wrong, in one line.
    std::string error;
};

// Reads the options. The toolkit's own options (-platform, -session, ...) are left to the toolkit and
// start the program; any other argument makes the request Invalid.
CommandLine ParseCommandLine(int argc, char** argv);

// The text --next prints when the events file holds no event.
inline constexpr const char16_t* kNoEventsText = u"No countdown events";

// Answers a request other than StartProgram from the events file at `now`: into `out` what goes to
// stdout, into `err` one line for stderr. Reads the file and nothing else: no display, no notices, no
// roll-over written back. Returns the exit code: 0, or 2 for an Invalid request or an events file that
// cannot be read or holds no event.
int AnswerCommandLine(const CommandLine& request, date::Date now, std::string& out, std::string& err);

// AnswerCommandLine at the current time, printed; returns the exit code.
int RunCommandLine(const CommandLine& request);

} // namespace nevalon::app
