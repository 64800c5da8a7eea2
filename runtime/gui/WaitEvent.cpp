#include "runtime/gui/WaitEvent.h"

#include "platform/Application.h"
#include "platform/Object.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/WindowTable.h"

namespace nevalon::gui {

int64_t WaitEvent(int64_t timeout)
{
    platform::DrainAutoreleasePool();
    FreeRetiredDelegates();
    FreeRetiredGadgets();
    platform::FreeDeferredObjects();
    if (int32_t code = DequeueEvent()) return code;
    bool handled = platform::ProcessPlatformEvents(timeout < 0 ? -1 : timeout);
    if (int32_t code = DequeueEvent()) return code;
    return handled ? -1 : 0;
}

} // namespace nevalon::gui
