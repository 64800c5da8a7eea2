#include "runtime/gui/StatusIcon.h"

#include "platform/Image.h"
#include "platform/Menu.h"
#include "platform/StatusItem.h"
#include "platform/Window.h"
#include "runtime/gui/ApplicationMenu.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/ObjectTable.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WindowRecord.h"

namespace nevalon::gui {
namespace {

struct StatusIconRecord {
    platform::Ref<platform::StatusItem> item;

    bool IsLive() const { return static_cast<bool>(item); }
};

ObjectTable<StatusIconRecord>& StatusIcons()
{
    // Never destroyed: icons may still be removed while the process exits.
    static auto* table = new ObjectTable<StatusIconRecord>(16, [](int64_t n) { RemoveStatusIcon(n); });
    return *table;
}

} // namespace

int64_t CreateStatusIcon(int64_t icon, int64_t windowHandle, int64_t imageHandle)
{
    auto* window = dynamic_cast<platform::Window*>(platform::ObjectFromHandle(windowHandle));
    auto* image = dynamic_cast<platform::Image*>(platform::ObjectFromHandle(imageHandle));
    if (!window || !image) return 0;
    auto item = platform::Ref<platform::StatusItem>::Adopt(platform::CreateStatusItem());
    auto menu = platform::Ref<platform::Menu>::Adopt(platform::CreatePlatformMenu());
    if (!item || !menu) return 0;
    StatusIconRecord* record = StatusIcons().Create(icon);
    if (!record) return 0;
    int64_t number = icon == -1 ? StatusIcons().NumberOf(record) : icon;

    // Taken now: the icon keeps reporting to that number whatever becomes of the window.
    auto post = [number, window = WindowNumberOf(*window)](int64_t type) {
        return [=] { PostEvent(EventStatusIcon, number, window, type); };
    };
    item->SetClickHandler(post(StatusIconClick));
    const std::u16string& name = Product().name;
    const std::u16string named = name.empty() ? u"" : u" " + name;
    menu->AddItem(u"Open" + named, {}, 0, post(StatusIconOpenRequest));
    menu->AddSeparator();
    menu->AddItem(u"Quit" + named, {}, 0, PostQuitRequest);
    item->SetMenu(menu.get());
    item->SetToolTip(name);
    item->SetImage(*image);
    record->item = item;
    return icon == -1 ? number : item->Handle();
}

void SetStatusIconToolTip(int64_t icon, const std::u16string& text)
{
    if (StatusIconRecord* record = StatusIcons().Find(icon)) record->item->SetToolTip(text);
}

void RemoveStatusIcon(int64_t icon)
{
    if (icon == -1) {
        StatusIcons().Free(-1);
        return;
    }
    StatusIcons().Release(icon);
}

std::optional<std::pair<int64_t, int64_t>> StatusIconCentre(int64_t icon)
{
    StatusIconRecord* record = StatusIcons().Find(icon);
    const std::optional<platform::Rect> frame = record ? record->item->ScreenFrame() : std::nullopt;
    if (!frame) return std::nullopt;
    return std::pair{static_cast<int64_t>(frame->x + frame->width / 2),
                     static_cast<int64_t>(frame->y + frame->height / 2)};
}

int64_t StatusIconHandle(int64_t icon)
{
    StatusIconRecord* record = StatusIcons().Find(icon);
    return record ? record->item->Handle() : 0;
}

} // namespace nevalon::gui
