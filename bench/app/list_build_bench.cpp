// Builds the list window with 8 events offscreen, twice over; under callgrind only the second build is
// counted, the one every minute's refresh repeats (bench/run compares it with `bare_tray --build`).
#include "app/AppState.h"
#include "app/EventStore.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/system/strings/Strings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

using namespace nevalon;

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char pattern[] = "/tmp/nevalon-list-bench-XXXXXX";
    const int descriptor = mkstemp(pattern);
    if (descriptor < 0) return 1;
    close(descriptor);
    {
        // Eight events still to come, one of every category and the last a second birthday.
        std::ofstream file(pattern);
        const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count();
        for (int i = 0; i < 8; ++i)
            file << "Event number " << i + 1 << '|' << now + 86400LL * (10 * i + 3) + 3600 * 4 << "|0|0|"
                 << i % 7 << "|0|0|0\n";
    }
    std::string problem;
    if (!gui::InitToolkit(argc, argv, problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1280, 800}});
    platform::SetPointerForTests(platform::Point{640, 10});
    app::AppState& state = app::State();
    for (size_t i = 0; i < state.Categories.size(); ++i)
        state.Categories[i] = app::kCategoryNames[i];
    state.SortByCategory = 1;
    state.EventsFilePath = system::StringFromUtf8(pattern);
    state.ListWindowX = 640 - app::kListWindowWidth / 2;
    const bool read = app::ReadEventsFile();
    app::BuildListWindow();
    app::CloseListWindow();
    CALLGRIND_START_INSTRUMENTATION;
    app::BuildListWindow();
    CALLGRIND_STOP_INSTRUMENTATION;
    app::CloseListWindow();
    gui::EndToolkit();
    std::remove(pattern);
    if (!read || state.Events.CountElements() != 8) {
        std::fprintf(stderr, "the events file was not read\n");
        return 1;
    }
    return 0;
}
