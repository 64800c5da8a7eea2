#include "app/SingleInstance.h"

#include "app/AppState.h"
#include "app/ToolkitNumbers.h"
#include "platform/ApplicationService.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/system/filesystem/InstanceLock.h"

#include <cstdio>

namespace nevalon::app {
namespace {

constexpr const char16_t* kLockName = u"com.brask.Nevalon.lock";
// A program that holds the lock may still be starting and not yet have its bus name.
constexpr int kStartingProgramWaitMs = 5000;

} // namespace

bool BecomeOnlyInstance()
{
    if (system::HoldInstanceLock(kLockName) != 0) return true;
    if (!platform::ActivateRunningApplication(kBusName, kBusObjectPath, kStartingProgramWaitMs))
        std::fputs("nevalon: Nevalon already runs\n", stderr);
    return false;
}

void ServeLaterStarts()
{
    platform::ExportApplicationService(kBusName, kBusObjectPath, LaterStartActivated);
}

void LaterStartActivated()
{
    // Several starts at once ask several times; an open window is only brought to the front.
    gui::PostEvent(gui::EventStatusIcon, kStatusIcon, kHolderWindow, gui::StatusIconOpenRequest);
}

} // namespace nevalon::app
