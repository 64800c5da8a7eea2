// Opens windows as the application does, for the desktop tests. "list": the list window, then the
// accessory policy, then a window "Nevalon Later"; "tray": the hidden window 0 with status icon 0;
// otherwise an ordinary window titled by the argument, with the policy switched on and off again.
// Prints "ready", then "escape" for each Escape in the list window and "status <icon> <window> <type>"
// for each status-icon event; ends at a quit request.
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/KeyShortcut.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"

#include <cstdio>
#include <string>

using namespace nevalon::gui;

int main(int argc, char** argv)
{
    constexpr int64_t kEscapeKey = 27, kEscapeItem = 1010, kQuitRequest = -4;
    std::string error;
    if (argc < 2 || !InitToolkit(argc, argv, error)) return 2;
    std::string kind = argv[1];
    int64_t app = PlatformMessage(nullptr, 0, "NSApplication sharedApplication");
    if (kind == "list") {
        CreateWindow(1, 0, 0, 460, 230, u"Nevalon", WindowCentred);
        // A quick window manager has framed it by the time its frame goes away.
        for (int i = 0; i < 20; ++i)
            WaitEvent(25);
        PlatformMessage(nullptr, WindowHandle(1), "setTitlebarAppearsTransparent:", {1});
        PlatformMessage(nullptr, WindowHandle(1), "setMovable:", {0});
        SetWindowFloating(1, 1);
        SetWindowBounds(1, 100, 40, KeepValue, KeepValue);
        AddKeyShortcut(1, kEscapeKey, kEscapeItem);
        PlatformMessage(nullptr, app, "setActivationPolicy:", {1});
        CreateWindow(2, 100, 400, 300, 150, u"Nevalon Later");
    } else if (kind == "tray") {
        CreateWindow(0, 0, 0, 0, 0, u"", WindowInvisible);
        int64_t symbol = PlatformMessage(nullptr, 0, "NSImage imageWithSystemSymbolName:$",
                                         {"calendar.badge.clock", "accessibilityDescription:", 0});
        CreateStatusIcon(0, WindowHandle(0), symbol);
    } else {
        CreateWindow(1, 700, 300, 300, 200, std::u16string(kind.begin(), kind.end()));
        PlatformMessage(nullptr, app, "setActivationPolicy:", {1});
        PlatformMessage(nullptr, app, "setActivationPolicy:", {0});
    }
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        int64_t code = WaitEvent();
        if (code == EventStatusIcon)
            std::printf("status %lld %lld %lld\n", (long long)EventGadgetNumber(), (long long)EventWindow(),
                        (long long)EventSubtype());
        std::fflush(stdout);
        if (code != EventMenu) continue;
        if (EventMenuItem() == kQuitRequest) break;
        if (EventMenuItem() == kEscapeItem) std::puts("escape");
        std::fflush(stdout);
    }
    EndToolkit();
}
