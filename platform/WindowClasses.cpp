#include "platform/WindowClasses.h"

#include "platform/Class.h"
#include "platform/Window.h"

namespace nevalon::platform {
namespace {

MessageResult Nothing()
{
    return {};
}
int64_t Arg(MessageArgs args, size_t i)
{
    return i < args.size() ? args[i] : 0;
}
Window& AsWindow(Object* self)
{
    return *static_cast<Window*>(self);
}

} // namespace

ContentView::ContentView(Window* window) : Object(FindClass("KxFlippedWindowView")), window_(window) {}

void RegisterWindowClasses()
{
    if (FindClass("KxWindow")) return;
    Class* window = DefineClass("NSObject", "NSWindow");
    DefineClass("NSWindow", "KxWindow");
    window->AddMethod("setTitlebarAppearsTransparent:", "v@:c", [](Object* self, MessageArgs args) {
        AsWindow(self).SetTitlebarTransparent(Arg(args, 0) != 0);
        return Nothing();
    });
    window->AddMethod("setMovable:", "v@:c", [](Object* self, MessageArgs args) {
        AsWindow(self).SetMovable(Arg(args, 0) != 0);
        return Nothing();
    });
    window->AddMethod("displayIfNeeded", "v@:", [](Object* self, MessageArgs) {
        AsWindow(self).Display();
        return Nothing();
    });
    window->AddMethod("contentView", "@@:", [](Object* self, MessageArgs) {
        Object* view = AsWindow(self).ContentViewObject();
        return MessageResult::Of(view ? view->Handle() : int64_t{0});
    });
    window->AddMethod("isVisible", "c@:", [](Object* self, MessageArgs) {
        return MessageResult::Of(int64_t{AsWindow(self).IsVisible() ? 1 : 0});
    });

    Class* view = DefineClass("NSObject", "NSView");
    DefineClass("NSView", "KxFlippedWindowView");
    view->AddMethod("setNeedsDisplay:", "v@:c", [](Object* self, MessageArgs args) {
        Window* owner = static_cast<ContentView*>(self)->OwnerWindow();
        if (owner && Arg(args, 0)) owner->SetNeedsDisplay();
        return Nothing();
    });
    view->AddMethod("displayIfNeeded", "v@:", [](Object* self, MessageArgs) {
        if (Window* owner = static_cast<ContentView*>(self)->OwnerWindow()) owner->Display();
        return Nothing();
    });
}

} // namespace nevalon::platform
