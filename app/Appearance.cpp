#include "app/Appearance.h"

#include "app/AppState.h"
#include "app/ToolkitNumbers.h"
#include "platform/Class.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/system/strings/Strings.h"

namespace nevalon::app {

using gui::PlatformMessage;

void AppearanceChanged(int64_t, int64_t, int64_t keyPath, int64_t, int64_t change, int64_t)
{
    auto* utf8 = reinterpret_cast<const char*>(PlatformMessage(nullptr, keyPath, "UTF8String"));
    if (!utf8 || system::StringFromUtf8(utf8) != u"effectiveAppearance") return;
    int64_t appearance = PlatformMessage(nullptr, change, "objectForKey:", {State().KeyValueChangeNewKey});
    PlatformMessage(nullptr, 0, "NSAppearance setCurrentAppearance:", {appearance});
    gui::QueueEvent(kAppearanceChangedEvent);
}

void ObserveAppearance()
{
    AppState& state = State();
    if (platform::Class* cls = platform::AllocateClass("NSObject", "Kx_KVO")) {
        cls->AddMethod("observeValueForKeyPath:ofObject:change:context:", "v@:@@@^v",
                       [](platform::Object* self, platform::MessageArgs args) {
                           using platform::Argument;
                           AppearanceChanged(self->Handle(), 0, Argument(args, 0), Argument(args, 1),
                                             Argument(args, 2), Argument(args, 3));
                           return platform::MessageResult{};
                       });
        platform::RegisterClass(cls);
    }
    state.AppearanceObserver = PlatformMessage(nullptr, 0, "Kx_KVO new");
    state.SharedApp = PlatformMessage(nullptr, 0, "NSApplication sharedApplication");
    PlatformMessage(
        nullptr, state.SharedApp, "addObserver:",
        {state.AppearanceObserver, "forKeyPath:$", u"effectiveAppearance", "options:", 1, "context:", 0});
}

void StopObservingAppearance()
{
    AppState& state = State();
    PlatformMessage(nullptr, state.SharedApp,
                    "removeObserver:", {state.AppearanceObserver, "forKeyPath:$", u"effectiveAppearance"});
}

} // namespace nevalon::app
