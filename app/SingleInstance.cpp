#include "app/SingleInstance.h"

#include "app/AppState.h"
#include "app/Reminders.h"
#include "platform/ApplicationService.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Window.h"
#include "runtime/system/filesystem/InstanceLock.h"

#include <cstdio>

namespace nevalon::app {
namespace {

constexpr const char16_t* kLockName = u"com.brask.Nevalon.lock";
// A program that holds the lock may still be starting and not yet have its bus name.
constexpr int kStartingProgramWaitMs = 5000;

// Whether a click posted for a later start still waits in the queue: a second activation then adds none,
// since that click would close the window the first one opens.
bool activationQueued = false;

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
    if (gui::WindowExists(kListWindow)) {
        BringApplicationToFront();
        return;
    }
    if (activationQueued) return;
    activationQueued = true;
    gui::PostEvent(gui::EventStatusIcon, kStatusIcon, kHolderWindow, 0);
}

void ActivationDispatched()
{
    activationQueued = false;
}

} // namespace nevalon::app
