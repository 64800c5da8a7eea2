#include "platform/WindowClasses.h"

#include "platform/Class.h"
#include "platform/Window.h"

namespace nevalon::platform {

ContentView::ContentView(Window* window) : Object(FindClass("KxFlippedWindowView")), window_(window) {}

void RegisterWindowClasses()
{
    if (FindClass("KxWindow")) return;
    Class* window = DefineClass("NSObject", "NSWindow");
    DefineClass("NSWindow", "KxWindow");
    window->AddMethodOf<Window>("setTitlebarAppearsTransparent:", "v@:c", [](Window& self, MessageArgs args) {
        self.SetTitlebarTransparent(Argument(args, 0) != 0);
        return MessageResult{};
    });
    window->AddMethodOf<Window>("setMovable:", "v@:c", [](Window& self, MessageArgs args) {
        self.SetMovable(Argument(args, 0) != 0);
        return MessageResult{};
    });
    window->AddMethodOf<Window>("displayIfNeeded", "v@:", [](Window& self, MessageArgs) {
        self.Display();
        return MessageResult{};
    });
    window->AddMethodOf<Window>("contentView", "@@:", [](Window& self, MessageArgs) {
        Object* view = self.ContentViewObject();
        return MessageResult::Of(view ? view->Handle() : int64_t{0});
    });
    window->AddMethodOf<Window>("isVisible", "c@:", [](Window& self, MessageArgs) {
        return MessageResult::Of(int64_t{self.IsVisible() ? 1 : 0});
    });

    Class* view = DefineClass("NSObject", "NSView");
    DefineClass("NSView", "KxFlippedWindowView");
    view->AddMethodOf<ContentView>("setNeedsDisplay:", "v@:c", [](ContentView& self, MessageArgs args) {
        Window* owner = self.OwnerWindow();
        if (owner && Argument(args, 0)) owner->SetNeedsDisplay();
        return MessageResult{};
    });
    view->AddMethodOf<ContentView>("displayIfNeeded", "v@:", [](ContentView& self, MessageArgs) {
        if (Window* owner = self.OwnerWindow()) owner->Display();
        return MessageResult{};
    });
}

} // namespace nevalon::platform
