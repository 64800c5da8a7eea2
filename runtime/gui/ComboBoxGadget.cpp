#include "runtime/gui/ComboBoxGadget.h"

#include "platform/Controls.h"
#include "platform/TextCase.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/Gadgets.h"

namespace nevalon::gui {
namespace {

constexpr int kBlankSide = 16;

class KxComboBoxGadgetFunctions final : public KxGadgetFunctions {
public:
    void EventHandler() override { SendEvent(GadgetEventChanged); }

    int64_t AddGadgetItem(int64_t position, const std::u16string& text, platform::Image* image,
                          int64_t) override
    {
        platform::Ref<platform::Image> shown(image);
        if (!(Gadget().flags & ComboBoxImages))
            shown = {};
        else if (!shown)
            shown = platform::Ref<platform::Image>::Adopt(
                new platform::Image(kBlankSide, kBlankSide, {kBlankSide, kBlankSide}));
        int64_t count = PopUp().ItemCount();
        int64_t index = position >= 0 && position < count ? position : count;
        PopUp().InsertItem(index, Converted(text), shown.get());
        return index;
    }
    void RemoveGadgetItem(int64_t item) override { PopUp().RemoveItem(item); }
    void ClearGadgetItems() override { PopUp().RemoveAllItems(); }
    int64_t CountGadgetItems() override { return PopUp().ItemCount(); }
    void SetGadgetText(const std::u16string& text) override { PopUp().SetStringValue(Converted(text)); }
    void SetGadgetItemText(int64_t item, const std::u16string& text, int64_t) override
    {
        PopUp().SetItemTitle(item, Converted(text));
    }
    std::u16string GetGadgetItemText(int64_t item, int64_t) override { return PopUp().ItemTitle(item); }

private:
    platform::PopUpButton& PopUp() const
    {
        return static_cast<platform::PopUpButton&>(*Gadget().control.get());
    }
    std::u16string Converted(const std::u16string& text) const
    {
        if (Gadget().flags & ComboBoxLowerCase) return platform::LowerCaseText(text);
        return Gadget().flags & ComboBoxUpperCase ? platform::UpperCaseText(text) : text;
    }
};

} // namespace

int64_t CreateComboBox(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height, int64_t flags)
{
    if (flags & ComboBoxEditable) return 0;
    auto popUp = platform::Ref<platform::PopUpButton>::Adopt(platform::CreatePopUpButton());
    return KxGadgetFunctions::Create(std::make_unique<KxComboBoxGadgetFunctions>(), gadget, GadgetComboBox,
                                     popUp.get(), nullptr, uint32_t(flags), GadgetFrame(x, y, width, height),
                                     {});
}

} // namespace nevalon::gui
