#include "runtime/gui/GadgetFunctions.h"

#include "platform/Class.h"
#include "platform/Window.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/GadgetList.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowRecord.h"

#include <vector>

namespace nevalon::gui {
namespace {

std::vector<std::unique_ptr<GadgetRecord>> retiredGadgets;
std::vector<std::unique_ptr<KxGadgetFunctions>> retiredFunctions;

} // namespace

GadgetRecord::GadgetRecord() = default;
GadgetRecord::~GadgetRecord() = default;
GadgetRecord::GadgetRecord(GadgetRecord&&) noexcept = default;
GadgetRecord& GadgetRecord::operator=(GadgetRecord&&) noexcept = default;

ObjectTable<GadgetRecord>& Gadgets()
{
    // Never destroyed, like the other tables: gadgets may still go with their windows while the process
    // exits.
    static auto* table = new ObjectTable<GadgetRecord>(16, [](int64_t n) { FreeGadget(n); });
    return *table;
}

platform::Image* ImageFromHandle(int64_t handle)
{
    return dynamic_cast<platform::Image*>(platform::ObjectFromHandle(handle));
}

platform::Ref<platform::Font>& DefaultGadgetFont()
{
    static auto* font = new platform::Ref<platform::Font>();
    return *font;
}

KxGadgetFunctions::~KxGadgetFunctions() = default;

GadgetRecord* KxGadgetFunctions::Setup(std::unique_ptr<KxGadgetFunctions> functions, int64_t number,
                                       int32_t kind, platform::View* control, platform::View* container,
                                       uint32_t flags)
{
    GadgetRecord* record = Gadgets().Create(number);
    if (!record) return nullptr;
    record->control = platform::Ref<platform::View>(control);
    record->container = platform::Ref<platform::View>(container ? container : control);
    record->window = KxGadgetList::CurrentWindow();
    record->flags = flags;
    Reuse(std::move(functions), *record, kind);
    if (platform::Font* font = DefaultGadgetFont().get()) record->functions->SetGadgetFont(font);
    return record;
}

int64_t KxGadgetFunctions::Create(std::unique_ptr<KxGadgetFunctions> functions, int64_t number, int32_t kind,
                                  platform::View* control, platform::View* container, uint32_t flags,
                                  const platform::Rect& frame, const std::function<void()>& configure)
{
    if (!control) return 0;
    (container ? container : control)->SetFrame(frame);
    GadgetRecord* record = Setup(std::move(functions), number, kind, control, container, flags);
    if (!record) return 0;
    if (configure) configure();
    return Place(*record, number);
}

void KxGadgetFunctions::Reuse(std::unique_ptr<KxGadgetFunctions> functions, GadgetRecord& record,
                              int32_t kind)
{
    // The old table may be running (a kind replacing itself from its own action): it goes at the next wait.
    if (record.functions) retiredFunctions.push_back(std::move(record.functions));
    record.functions = std::move(functions);
    record.functions->Attach(record, kind);
}

void KxGadgetFunctions::Attach(GadgetRecord& record, int32_t kind)
{
    record.kind = kind;
    gadget_ = &record;
    gadgetID_ = Gadgets().NumberOf(&record);
    record.control->SetTag(gadgetID_);
    isNSControl_ = record.control->GetClass()->IsKindOf(platform::FindClass("NSControl"));
    if (platform::Control* control = Control()) control->SetAction([this] { EventHandler(); });
}

GadgetRecord& KxGadgetFunctions::Retire(GadgetRecord& record)
{
    auto retired = std::make_unique<GadgetRecord>(std::move(record));
    retired->functions->alreadyDestroyed_ = true;
    retired->functions->gadget_ = retired.get();
    retiredGadgets.push_back(std::move(retired));
    return *retiredGadgets.back();
}

void FreeRetiredGadgets()
{
    // In rounds: releasing a gadget may retire more.
    while (!retiredGadgets.empty() || !retiredFunctions.empty()) {
        auto gadgets = std::move(retiredGadgets);
        auto functions = std::move(retiredFunctions);
    }
}

int64_t KxGadgetFunctions::Place(GadgetRecord& record, int64_t requestedNumber)
{
    if (KxGadgetList* list = KxGadgetList::CurrentList()) {
        if (platform::View* top = list->Top())
            record.container->AddTo(*top);
        else if (WindowRecord* window = FindWindowRecord(list->Window()))
            record.container->AddTo(*window->window);
    }
    return requestedNumber == -1 ? record.functions->GadgetID() : record.control->Handle();
}

platform::Control* KxGadgetFunctions::Control() const
{
    return isNSControl_ ? static_cast<platform::Control*>(gadget_->control.get()) : nullptr;
}

void KxGadgetFunctions::SendEvent(int64_t type)
{
    if (!alreadyDestroyed_) PostEvent(EventGadget, gadgetID_, gadget_->window, type);
}

void KxGadgetFunctions::EventHandler()
{
    SendEvent(GadgetEventAction);
}

void KxGadgetFunctions::ActivateGadget()
{
    WindowRecord* window = FindWindowRecord(gadget_->window);
    if (window && window->window->IsVisible()) window->window->OrderFront(true);
    gadget_->control->Focus();
}

void KxGadgetFunctions::GadgetToolTip(const std::u16string& text)
{
    gadget_->control->SetToolTip(text);
}

void KxGadgetFunctions::SetGadgetAccessibleName(const std::u16string& name)
{
    gadget_->control->SetAccessibleName(name);
}

void KxGadgetFunctions::HideGadget(bool hide)
{
    gadget_->container->SetHidden(hide);
}

void KxGadgetFunctions::DisableGadget(bool disable)
{
    if (platform::Control* control = Control()) control->SetEnabled(!disable);
}

int64_t KxGadgetFunctions::GadgetX(int64_t mode)
{
    const platform::View& view = *gadget_->container.get();
    double x = mode == 1 ? view.OriginOnScreen().x : mode == 2 ? view.OriginInWindow().x : view.Frame().x;
    return static_cast<int64_t>(x);
}

int64_t KxGadgetFunctions::GadgetY(int64_t mode)
{
    const platform::View& view = *gadget_->container.get();
    double y = mode == 1 ? view.OriginOnScreen().y : mode == 2 ? view.OriginInWindow().y : view.Frame().y;
    return static_cast<int64_t>(y);
}

int64_t KxGadgetFunctions::GadgetWidth()
{
    return static_cast<int64_t>(gadget_->container->Frame().width);
}

int64_t KxGadgetFunctions::GadgetHeight()
{
    return static_cast<int64_t>(gadget_->container->Frame().height);
}

void KxGadgetFunctions::ResizeGadget(int64_t x, int64_t y, int64_t width, int64_t height)
{
    platform::Rect frame = gadget_->container->Frame();
    auto keep = [](int64_t value, double current) { return value == KeepValue ? current : double(value); };
    gadget_->container->SetFrame(
        {keep(x, frame.x), keep(y, frame.y), keep(width, frame.width), keep(height, frame.height)});
}

void KxGadgetFunctions::SetGadgetFont(platform::Font* font)
{
    if (platform::Control* control = Control()) control->SetFont(font);
}

platform::Font* KxGadgetFunctions::GetGadgetFont()
{
    platform::Control* control = Control();
    return control ? control->GetFont() : nullptr;
}

void KxGadgetFunctions::SetGadgetState(int64_t state)
{
    if (platform::Control* control = Control()) control->SetIntegerValue(state);
}

int64_t KxGadgetFunctions::GetGadgetState()
{
    platform::Control* control = Control();
    return control ? static_cast<int32_t>(control->IntegerValue()) : 0;
}

void KxGadgetFunctions::SetGadgetText(const std::u16string& text)
{
    if (platform::Control* control = Control()) control->SetStringValue(text);
}

std::u16string KxGadgetFunctions::GetGadgetText()
{
    platform::Control* control = Control();
    return control ? control->StringValue() : std::u16string();
}

} // namespace nevalon::gui
