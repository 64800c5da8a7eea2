#include "runtime/gui/Window.h"

#include "platform/Object.h"
#include "platform/Screens.h"
#include "runtime/gui/EventBindings.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/GadgetList.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/KxWindowEvents.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/WindowTable.h"

#include <algorithm>
#include <cmath>

namespace nevalon::gui {
namespace {

// A delegate tears its own window down from inside its close notification, so it is kept until
// the next WaitEvent rather than freed with the record while that call still runs.
std::vector<std::unique_ptr<KxWindowEvents>> retiredDelegates;

platform::WindowStyle StyleOf(int64_t flags)
{
    platform::WindowStyle style;
    style.titled = !(flags & WindowBorderless);
    style.closable =
        style.titled && (flags & (WindowCloseBox | WindowResizableCloseBox | WindowMiniaturizableCloseBox));
    style.resizable = flags & (WindowResizable | WindowResizableCloseBox | WindowZoomed);
    style.miniaturizable = flags & (WindowMiniaturizableCloseBox | WindowMiniaturized);
    return style;
}

// The screen under the frame's centre (the main screen when none is), as an index of Screens().
size_t ScreenIndexOf(const platform::Rect& frame, const std::vector<platform::Rect>& screens)
{
    double cx = frame.x + frame.width / 2, cy = frame.y + frame.height / 2;
    for (size_t i = 0; i < screens.size(); ++i) {
        const platform::Rect& s = screens[i];
        if (cx >= s.x && cx < s.x + s.width && cy >= s.y && cy < s.y + s.height) return i;
    }
    return 0;
}

platform::Rect ScreenOf(const platform::Rect& frame)
{
    std::vector<platform::Rect> screens = platform::Screens();
    return screens.empty() ? platform::Rect{} : screens[ScreenIndexOf(frame, screens)];
}

void CentreOn(platform::Window& window, const platform::Rect& area)
{
    platform::Rect frame = window.Frame();
    window.SetFrameTopLeft({area.x + std::trunc((area.width - frame.width) / 2),
                            area.y + std::trunc((area.height - frame.height) / 2)});
}

// A centred window may reach past its screen, or under a panel: it is moved inside the part of the screen
// that panels leave to windows, its top-left corner kept inside where it is larger.
void KeepInsideWorkArea(platform::Window& window)
{
    const platform::Rect frame = window.Frame();
    const std::vector<platform::Rect> areas = platform::WorkAreas();
    if (areas.empty()) return;
    const platform::Rect& area = areas[std::min(ScreenIndexOf(frame, platform::Screens()), areas.size() - 1)];
    const double x = std::max(area.x, std::min(frame.x, area.x + area.width - frame.width));
    const double y = std::max(area.y, std::min(frame.y, area.y + area.height - frame.height));
    if (x != frame.x || y != frame.y) window.SetFrameTopLeft({x, y});
}

platform::Window* PlatformWindow(int64_t handle)
{
    return dynamic_cast<platform::Window*>(platform::ObjectFromHandle(handle));
}

} // namespace

WindowRecord::WindowRecord() = default;
WindowRecord::~WindowRecord() = default;
WindowRecord::WindowRecord(WindowRecord&&) noexcept = default;
WindowRecord& WindowRecord::operator=(WindowRecord&&) noexcept = default;

ObjectTable<WindowRecord>& Windows()
{
    // Never destroyed: windows may still close while the process exits.
    static auto* table = new ObjectTable<WindowRecord>(8, [](int64_t n) { DestroyWindow(n); });
    return *table;
}

WindowRecord* FindWindowRecord(int64_t window)
{
    return Windows().Find(window);
}

int64_t WindowNumberOf(const platform::Window& window)
{
    return window.Delegate() ? window.Delegate()->WindowID() : -1;
}

void TearDownWindow(int64_t window)
{
    WindowRecord* record = Windows().Find(window);
    if (!record) return;
    InvalidateWindowTimers(record->timers);
    record->shortcuts.clear();
    FreeWindowGadgets(window);
    KxGadgetList::RemoveWindow(window);
    record->window->SetDelegate(nullptr);
    DeleteQueuedEvents([window](int32_t, int64_t w) { return w == window; });
    retiredDelegates.push_back(std::move(record->delegate));
    Windows().Release(window);
}

void FreeRetiredDelegates()
{
    retiredDelegates.clear();
}

int64_t CreateWindow(int64_t window, int64_t x, int64_t y, int64_t width, int64_t height,
                     const std::u16string& title, int64_t flags, int64_t parentHandle)
{
    if (x == KeepValue || y == KeepValue) flags |= WindowCentred;
    if (flags & WindowZoomed) {
        width = std::max<int64_t>(width, 1);
        height = std::max<int64_t>(height, 1);
    }
    platform::Window* key = platform::KeyWindow();
    platform::Window* created =
        platform::CreatePlatformWindow(StyleOf(flags), {double(width), double(height)});
    if (!created) return 0;

    WindowRecord* record = Windows().Create(window);
    if (!record) {
        created->Close();
        return 0;
    }
    int64_t number = window == -1 ? Windows().NumberOf(record) : window;
    record->window = created;
    record->parent = parentHandle;
    record->delegate = std::make_unique<KxWindowEvents>(created, number);
    created->SetDelegate(record->delegate.get());
    record->previousKey = key ? key->Handle() : 0;
    record->contentMinSize = created->ContentMinSize();
    record->contentMaxSize = created->ContentMaxSize();
    created->SetTitle(title);
    created->SetFrameTopLeft({double(x == KeepValue ? 0 : x), double(y == KeepValue ? 0 : y)});

    platform::Window* parent = PlatformWindow(parentHandle);
    if (parent && !(flags & WindowInvisible)) created->SetParent(parent);

    if (flags & WindowCentred) {
        CentreOn(*created, ScreenOf(created->Frame()));
        KeepInsideWorkArea(*created);
    } else if (flags & WindowCentredOnParent) {
        platform::Window* over = parent ? parent : key;
        if (over) {
            CentreOn(*created, over->Frame());
            KeepInsideWorkArea(*created);
        }
    }
    if (!(flags & WindowInvisible)) created->OrderFront(!(flags & WindowNoActivate));

    RaiseEventSuppression();
    if (flags & WindowMiniaturized)
        created->Miniaturize();
    else if (flags & WindowZoomed)
        created->Zoom();
    // The platform may resize the window for the zoom only later; that resize must not announce it.
    record->delegate->ForgetZoomEvent();
    LowerEventSuppression();

    if (!(flags & WindowNoGadgets)) KxGadgetList::SetWindow(number);
    return window == -1 ? number : created->Handle();
}

void DestroyWindow(int64_t window)
{
    if (window == -1) {
        Windows().Free(-1);
        return;
    }
    WindowRecord* record = Windows().Find(window);
    if (!record) return;
    RemoveWindowCallbacks(window);
    FreeWindowGadgets(window);

    platform::Window* closing = record->window;
    platform::Window* candidate = nullptr;
    if (closing->IsKey() && record->previousKey != 0) {
        for (int64_t n : Windows().LiveNumbers()) {
            platform::Window* w = Windows().Find(n)->window;
            // The closing window is walked over but can no longer take the keyboard.
            if (w != closing && w->IsVisible() && !candidate) candidate = w;
            if (w->Handle() == record->previousKey) {
                if (w->IsVisible()) candidate = w;
                break;
            }
        }
    }
    DestroyMenusShownOver(closing->Handle());
    closing->SetParent(nullptr);
    // Keep the platform window alive until the close has fully run.
    platform::Ref<platform::Window> keep(closing);
    closing->Close();
    if (Windows().Find(window)) TearDownWindow(window);
    DeleteQueuedEvents([window](int32_t, int64_t w) { return w == window; });
    if (candidate) candidate->OrderFront(true);
}

int64_t WindowExists(int64_t window)
{
    return Windows().Exists(window) ? 1 : 0;
}

int64_t WindowHandle(int64_t window)
{
    WindowRecord* record = Windows().Find(window);
    return record ? record->window->Handle() : 0;
}

void SetWindowCaption(int64_t window, const std::u16string& text)
{
    if (WindowRecord* record = Windows().Find(window)) record->window->SetTitle(text);
}

void ActivateWindow(int64_t window)
{
    WindowRecord* record = Windows().Find(window);
    if (record && record->window->IsVisible()) record->window->OrderFront(true);
}

void ShowWindow(int64_t window)
{
    WindowRecord* record = Windows().Find(window);
    if (record && !record->window->IsVisible()) record->window->OrderFront(true);
}

int64_t WindowLeft(int64_t window)
{
    WindowRecord* record = Windows().Find(window);
    return record ? static_cast<int64_t>(record->window->Frame().x) : 0;
}

int64_t WindowInnerHeight(int64_t window)
{
    WindowRecord* record = Windows().Find(window);
    return record ? static_cast<int64_t>(record->window->ContentSize().height) : 0;
}

void SetWindowBounds(int64_t window, int64_t x, int64_t y, int64_t width, int64_t height)
{
    WindowRecord* record = Windows().Find(window);
    if (!record) return;
    platform::Window& w = *record->window;
    platform::Rect frame = w.Frame();
    platform::Size content = w.ContentSize();
    if (width != KeepValue || height != KeepValue)
        w.SetContentSize({width == KeepValue ? content.width : double(width),
                          height == KeepValue ? content.height : double(height)});
    if (x != KeepValue || y != KeepValue)
        w.SetFrameTopLeft({x == KeepValue ? frame.x : double(x), y == KeepValue ? frame.y : double(y)});
    w.Display();
}

void SetWindowFloating(int64_t window, int64_t state)
{
    if (WindowRecord* record = Windows().Find(window))
        record->window->SetLevel(state ? platform::WindowLevel::Floating : platform::WindowLevel::Normal);
}

void SetWindowDisabled(int64_t window, bool disabled)
{
    WindowRecord* record = Windows().Find(window);
    if (!record) return;
    record->disabled = disabled;
    record->window->SetCanBecomeKey(!disabled);
}

} // namespace nevalon::gui
