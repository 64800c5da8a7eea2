#include "runtime/gui/Gadgets.h"

#include "platform/Window.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/WindowRecord.h"

namespace nevalon::gui {
namespace {

KxGadgetFunctions* FunctionsOf(int64_t gadget)
{
    GadgetRecord* record = Gadgets().Find(gadget);
    return record ? record->functions.get() : nullptr;
}

platform::Color ColorOf(int64_t color)
{
    if (color == -1) return std::nullopt;
    return static_cast<uint32_t>(color) | 0xFF000000u;
}

} // namespace

void FreeGadget(int64_t gadget)
{
    if (gadget == -1) {
        Gadgets().Free(-1);
        return;
    }
    GadgetRecord* record = Gadgets().Find(gadget);
    if (!record) return;
    // Retired first: taking a focused field out of its window ends its editing, which must post nothing.
    GadgetRecord& retired = KxGadgetFunctions::Retire(*record);
    Gadgets().Release(gadget);
    retired.container->RemoveFromSuperview();
    RemoveEventCallbacks(EventGadget, retired.window, gadget);
    DeleteQueuedEvents(
        [gadget](int32_t code, int64_t, int64_t object) { return code == EventGadget && object == gadget; });
    retired.functions->FreeGadget();
}

void FreeWindowGadgets(int64_t window)
{
    for (int64_t gadget : Gadgets().LiveNumbers())
        if (GadgetRecord* record = Gadgets().Find(gadget); record && record->window == window)
            FreeGadget(gadget);
}

int64_t GadgetExists(int64_t gadget)
{
    return Gadgets().Exists(gadget) ? 1 : 0;
}

int64_t GadgetID(int64_t gadget)
{
    GadgetRecord* record = Gadgets().Find(gadget);
    return record ? record->control->Handle() : 0;
}

void DisableGadget(int64_t gadget, int64_t state)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->DisableGadget(state != 0);
}

void GadgetToolTip(int64_t gadget, const std::u16string& text)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->GadgetToolTip(text);
}

void SetGadgetAccessibleName(int64_t gadget, const std::u16string& name)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetAccessibleName(name);
}

void SetGadgetLabel(int64_t gadget, int64_t label)
{
    GadgetRecord* target = Gadgets().Find(gadget);
    GadgetRecord* record = Gadgets().Find(label);
    if (target && record && target->control && record->control)
        record->control->LabelFor(*target->control.get());
}

void FocusGadget(int64_t gadget)
{
    if (gadget == -1) {
        if (platform::Window* key = platform::KeyWindow()) platform::ClearKeyboardFocus(*key);
        return;
    }
    GadgetRecord* record = Gadgets().Find(gadget);
    WindowRecord* window = record ? FindWindowRecord(record->window) : nullptr;
    if (record && !(window && window->disabled)) record->functions->ActivateGadget();
}

void HideGadget(int64_t gadget, int64_t state)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->HideGadget(state != 0);
}

int64_t GadgetX(int64_t gadget, int64_t mode)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GadgetX(mode) : 0;
}

int64_t GadgetY(int64_t gadget, int64_t mode)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GadgetY(mode) : 0;
}

int64_t GadgetWidth(int64_t gadget)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GadgetWidth() : 0;
}

int64_t GadgetHeight(int64_t gadget)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GadgetHeight() : 0;
}

void ResizeGadget(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->ResizeGadget(x, y, width, height);
}

int64_t GetGadgetState(int64_t gadget)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GetGadgetState() : 0;
}

void SetGadgetState(int64_t gadget, int64_t state)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetState(state);
}

std::u16string GetGadgetText(int64_t gadget)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GetGadgetText() : std::u16string();
}

void SetGadgetText(int64_t gadget, const std::u16string& text)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetText(text);
}

int64_t GetGadgetAttribute(int64_t gadget, int64_t attribute)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GetGadgetAttribute(attribute) : 0;
}

void SetGadgetAttribute(int64_t gadget, int64_t attribute, int64_t value)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetAttribute(attribute, value);
}

int64_t AddGadgetItem(int64_t gadget, int64_t position, const std::u16string& text, int64_t image,
                      int64_t flags)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->AddGadgetItem(position, text, ImageFromHandle(image), flags) : 0;
}

void RemoveGadgetItem(int64_t gadget, int64_t item)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->RemoveGadgetItem(item);
}

void ClearGadgetItems(int64_t gadget)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->ClearGadgetItems();
}

int64_t CountGadgetItems(int64_t gadget)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->CountGadgetItems() : 0;
}

std::u16string GetGadgetItemText(int64_t gadget, int64_t item, int64_t column)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GetGadgetItemText(item, column) : std::u16string();
}

void SetGadgetItemText(int64_t gadget, int64_t item, const std::u16string& text, int64_t column)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetItemText(item, text, column);
}

void SetGadgetColor(int64_t gadget, int64_t type, int64_t color)
{
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetColor(type, ColorOf(color));
}

int64_t GetGadgetColor(int64_t gadget, int64_t type)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    return f ? f->GetGadgetColor(type) : 0;
}

void SetGadgetFont(int64_t gadget, int64_t font)
{
    auto* platformFont = dynamic_cast<platform::Font*>(platform::ObjectFromHandle(font));
    if (font != -1 && !platformFont) return;
    if (gadget == -1) {
        DefaultGadgetFont() = platform::Ref<platform::Font>(platformFont);
        return;
    }
    if (KxGadgetFunctions* f = FunctionsOf(gadget)) f->SetGadgetFont(platformFont);
}

int64_t GetGadgetFont(int64_t gadget)
{
    KxGadgetFunctions* f = FunctionsOf(gadget);
    platform::Font* font = f ? f->GetGadgetFont() : nullptr;
    return font ? font->Handle() : 0;
}

void AddGadgetCallback(int64_t gadget, EventCallback callback, int64_t type)
{
    GadgetRecord* record = Gadgets().Find(gadget);
    if (!record || HasTypedEventCallback(EventGadget, callback, record->window, gadget, type)) return;
    AddTypedEventCallback(EventGadget, callback, record->window, gadget, type);
}

void RemoveGadgetCallback(int64_t gadget, EventCallback callback, int64_t type)
{
    if (GadgetRecord* record = Gadgets().Find(gadget))
        RemoveFirstEventCallback(EventGadget, callback, record->window, gadget, type);
}

} // namespace nevalon::gui
