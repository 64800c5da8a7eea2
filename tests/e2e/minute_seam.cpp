// The program itself with one test seam: SIGUSR1 fires its minute at once, as the minute timer would. For
// the long-run test and the soak benchmark, which cannot wait a minute for each rebuild of the list window.
#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "app/SingleInstance.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/EventQueue.h"

#include <csignal>

int main(int argc, char** argv)
{
    using namespace nevalon;
    if (!app::BecomeOnlyInstance()) return 0;
    app::Startup(argc, argv);
    platform::HandleSignalForTests(
        SIGUSR1, [] { gui::PostEvent(gui::EventTimer, app::kMinuteTimer, app::kHolderWindow, 0); });
    app::RunMainLoop();
}
