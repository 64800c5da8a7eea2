#include "runtime/gui/ButtonGadgets.h"

#include "platform/Controls.h"
#include "runtime/gui/GadgetFunctions.h"

namespace nevalon::gui {
namespace {

// The height of the rounded push-button bezel.
constexpr int64_t kPushButtonHeight = 25;

class KxButtonGadgetFunctions final : public KxGadgetFunctions {
public:
    void ResizeGadget(int64_t x, int64_t y, int64_t width, int64_t height) override
    {
        KxGadgetFunctions::ResizeGadget(x, y, width, height);
        auto& button = static_cast<platform::Button&>(*Gadget().control.get());
        // The rounded bezel has one height; at any other it turns square, and stays so.
        if (GadgetHeight() != kPushButtonHeight && button.GetBezel() == platform::Button::Bezel::Rounded)
            button.SetBezel(platform::Button::Bezel::Square);
    }
};

// Everything a check box does is the table's defaults: its title is its text, its value its state.
class KxCheckboxGadgetFunctions final : public KxGadgetFunctions {};

class KxButtonImageGadgetFunctions final : public KxGadgetFunctions {
public:
    void SetGadgetAttribute(int64_t attribute, int64_t value) override
    {
        if (attribute == ImageButtonImage) Button().SetImage(ImageFromHandle(value));
        if (attribute == ImageButtonPressedImage) Button().SetAlternateImage(ImageFromHandle(value));
    }
    int64_t GetGadgetAttribute(int64_t attribute) override
    {
        platform::Image* image = attribute == ImageButtonImage          ? Button().GetImage()
                                 : attribute == ImageButtonPressedImage ? Button().GetAlternateImage()
                                                                        : nullptr;
        return image ? image->Handle() : 0;
    }

private:
    platform::Button& Button() const { return static_cast<platform::Button&>(*Gadget().control.get()); }
};

platform::TextAlignment AlignmentOf(int64_t flags, int64_t right, int64_t other,
                                    platform::TextAlignment otherAlignment, platform::TextAlignment none)
{
    return flags & other ? otherAlignment : flags & right ? platform::TextAlignment::Right : none;
}

} // namespace

int64_t CreateButton(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                     const std::u16string& text, int64_t flags)
{
    auto button = platform::Ref<platform::Button>::Adopt(platform::CreateButton());
    return KxGadgetFunctions::Create(
        std::make_unique<KxButtonGadgetFunctions>(), gadget, GadgetButton, button.get(), nullptr,
        uint32_t(flags), GadgetFrame(x, y, width, height), [&] {
            button->SetStringValue(text);
            button->SetAlignment(AlignmentOf(flags, ButtonRightAligned, ButtonLeftAligned,
                                             platform::TextAlignment::Left, platform::TextAlignment::Centre));
            button->SetToggle(flags & ButtonToggle);
            bool pushHeight = height == kPushButtonHeight;
            button->SetBezel(pushHeight ? platform::Button::Bezel::Rounded : platform::Button::Bezel::Square);
            button->SetDefault((flags & ButtonDefault) && pushHeight);
        });
}

int64_t CreateCheckBox(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                       const std::u16string& text, int64_t flags)
{
    auto box = platform::Ref<platform::CheckBox>::Adopt(platform::CreateCheckBox());
    return KxGadgetFunctions::Create(
        std::make_unique<KxCheckboxGadgetFunctions>(), gadget, GadgetCheckBox, box.get(), nullptr,
        uint32_t(flags), GadgetFrame(x, y, width, height), [&] {
            box->SetStringValue(text);
            box->SetAlignment(AlignmentOf(flags, CheckBoxRightAligned, CheckBoxCentred,
                                          platform::TextAlignment::Centre, platform::TextAlignment::Left));
            box->SetAllowsMixedState(flags & CheckBoxThreeState);
        });
}

int64_t CreateImageButton(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height, int64_t image,
                          int64_t flags)
{
    auto button = platform::Ref<platform::Button>::Adopt(platform::CreateButton());
    return KxGadgetFunctions::Create(std::make_unique<KxButtonImageGadgetFunctions>(), gadget,
                                     GadgetImageButton, button.get(), nullptr, uint32_t(flags),
                                     GadgetFrame(x, y, width, height), [&] {
                                         button->SetBezel(platform::Button::Bezel::Square);
                                         button->SetToggle(flags & ImageButtonToggle);
                                         button->SetImage(ImageFromHandle(image));
                                     });
}

} // namespace nevalon::gui
