#include "platform/Application.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtWindowManagerHints.h"

#include <cstdlib>
#include <string>

namespace nevalon::platform {
namespace {

// Read before Qt starts: Qt takes the variable out of the environment and answers the launch only
// when a window first shows, which a program living in the tray may never do.
const std::string launchId = [] {
    const char* id = std::getenv("DESKTOP_STARTUP_ID");
    return std::string(id ? id : "");
}();
bool answered = false;

} // namespace

void QtApplicationDriver::BringProcessToFront()
{
    if (!answered) AnswerLaunch(launchId);
    answered = true;
    ActivateApplication();
}

} // namespace nevalon::platform
