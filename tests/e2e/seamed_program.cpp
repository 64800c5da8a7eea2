// The program as it ships, with two test seams the shipped program lacks: SIGUSR1 fires its minute at once,
// as the minute timer would (the long-run test and bench/soak cannot wait a minute for each rebuild), and
// "Snooze 10 minutes" puts a reminder off for NEVALON_E2E_SNOOZE_MS milliseconds instead.
#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "app/SingleInstance.h"
#include "app/ToolkitNumbers.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/EventQueue.h"

#include <csignal>
#include <cstdlib>
#include <optional>

int main(int argc, char** argv)
{
    using namespace nevalon;
    if (const char* delay = std::getenv("NEVALON_E2E_SNOOZE_MS"))
        app::State().SnoozeDelay = std::atoll(delay);
    if (!app::BecomeOnlyInstance()) return 0;
    if (const std::optional<int> cannotRun = app::Startup(argc, argv)) return *cannotRun;
    platform::HandleSignalForTests(
        SIGUSR1, [] { gui::PostEvent(gui::EventTimer, app::kMinuteTimer, app::kHolderWindow, 0); });
    return app::RunMainLoop();
}
