#include "app/Shell.h"

#include "app/Countdown.h"
#include "app/ToolkitNumbers.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/StatusIcon.h"

namespace nevalon::app {
namespace {

constexpr int64_t kActivateAllWindowsIgnoringOthers = 3;

} // namespace

void BringApplicationToFront()
{
    using gui::PlatformMessage;
    int64_t application = PlatformMessage(nullptr, 0, "NSRunningApplication currentApplication");
    PlatformMessage(nullptr, application, "activateWithOptions:", {kActivateAllWindowsIgnoringOthers});
}

void UpdateStatusIconToolTip()
{
    gui::SetStatusIconToolTip(kStatusIcon, StatusToolTip(date::CurrentDate()));
}

} // namespace nevalon::app
