// The program as it ships, with three test seams the shipped program lacks: SIGUSR1 fires its minute at once,
// as the minute timer would (the long-run test and bench/soak cannot wait a minute for each rebuild);
// "Snooze 10 minutes" puts a reminder off for NEVALON_E2E_SNOOZE_MS milliseconds instead; and with
// NEVALON_PAINT_LOG set, each window prints "painted TITLE MICROSECONDS" (wall clock) on stderr once its
// first frame has gone to the display, for bench/run.
#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "app/SingleInstance.h"
#include "app/ToolkitNumbers.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/system/strings/StringBytes.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>

int main(int argc, char** argv)
{
    using namespace nevalon;
    if (const char* delay = std::getenv("NEVALON_E2E_SNOOZE_MS"))
        app::State().SnoozeDelay = std::atoll(delay);
    if (std::getenv("NEVALON_PAINT_LOG")) {
        platform::SetFirstFrameObserverForTests([](const std::u16string& title) {
            using namespace std::chrono;
            const auto now = duration_cast<microseconds>(system_clock::now().time_since_epoch());
            std::fprintf(stderr, "painted %s %lld\n", system::StringToUtf8(title).c_str(),
                         static_cast<long long>(now.count()));
        });
    }
    if (!app::BecomeOnlyInstance()) return 0;
    if (const std::optional<int> cannotRun = app::Startup(argc, argv)) return *cannotRun;
    platform::HandleSignalForTests(
        SIGUSR1, [] { gui::PostEvent(gui::EventTimer, app::kMinuteTimer, app::kHolderWindow, 0); });
    return app::RunMainLoop();
}
