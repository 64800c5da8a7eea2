// The program as it ships, with one test seam the shipped program lacks: "Snooze 10 minutes" puts a
// reminder off for NEVALON_E2E_SNOOZE_MS milliseconds instead.
#include "app/AppState.h"
#include "app/Lifecycle.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    if (const char* delay = std::getenv("NEVALON_E2E_SNOOZE_MS"))
        nevalon::app::State().SnoozeDelay = std::atoll(delay);
    nevalon::app::Main(argc, argv);
}
