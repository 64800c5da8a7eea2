#include "runtime/gui/TextGadgets.h"

#include "platform/Controls.h"
#include "platform/TextCase.h"
#include "runtime/gui/GadgetFormatters.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/Gadgets.h"

#include <algorithm>

namespace nevalon::gui {
namespace {

class KxTextGadgetFunctions final : public KxGadgetFunctions {
public:
    void SetGadgetColor(int64_t type, platform::Color color) override
    {
        if (type == GadgetFrontColor) {
            frontColor_ = color;
            Label().SetTextColor(color);
        }
        if (type == GadgetBackColor) Label().SetBackgroundColor(color);
    }
    int64_t GetGadgetColor(int64_t type) override
    {
        if (type == GadgetFrontColor) return ColorValue(Label().TextColor());
        return type == GadgetBackColor ? ColorValue(Label().BackgroundColor()) : 0;
    }
    // A label takes no input: disabling it only greys its text.
    void DisableGadget(bool disable) override
    {
        Label().SetTextColor(disable ? platform::Color(platform::DisabledTextColor()) : frontColor_);
    }
    void SetGadgetState(int64_t) override {}
    int64_t GetGadgetState() override { return 0; }

private:
    platform::TextLabel& Label() const { return static_cast<platform::TextLabel&>(*Gadget().control.get()); }

    platform::Color frontColor_;
};

class KxStringGadgetFunctions final : public KxGadgetFunctions {
public:
    explicit KxStringGadgetFunctions(std::unique_ptr<KxMaximumLengthFormatter> formatter)
        : formatter_(std::move(formatter))
    {
    }

    // Wires the field's edits, changes and focus to the formatter and the gadget's events.
    void Connect(platform::TextField& field)
    {
        field.SetEditCheck(
            [this](const std::u16string& proposed) { return formatter_->IsPartialStringValid(proposed); });
        field.SetFocusHandler([this] { SendEvent(GadgetEventFocus); });
        field.SetChangeHandler([this] { SendEvent(GadgetEventChanged); });
        field.SetEditingEndHandler([this] { SendEvent(GadgetEventEditingEnded); });
    }

    // The field's changes and focus post its events; its action posts nothing.
    void EventHandler() override {}
    void FreeGadget() override
    {
        Field().SetEditCheck(nullptr);
        Field().SetFocusHandler(nullptr);
        Field().SetChangeHandler(nullptr);
        Field().SetEditingEndHandler(nullptr);
    }
    void SetGadgetColor(int64_t type, platform::Color color) override
    {
        // No colour is the field's own, as it had at creation.
        if (type == GadgetFrontColor) Field().SetTextColor(color);
        if (type == GadgetBackColor) Field().SetBackgroundColor(color);
    }
    int64_t GetGadgetColor(int64_t type) override
    {
        if (type == GadgetFrontColor) return ColorValue(Field().TextColor());
        return type == GadgetBackColor ? ColorValue(Field().BackgroundColor()) : 0;
    }
    void SetGadgetText(const std::u16string& text) override
    {
        std::u16string shown = Gadget().flags & EntryLowerCase ? platform::LowerCaseText(text) : text;
        if (Gadget().flags & EntryUpperCase) shown = platform::UpperCaseText(shown);
        Field().SetStringValue(shown);
    }
    void SetGadgetAttribute(int64_t attribute, int64_t value) override
    {
        if (attribute == EntryMaximumLength)
            formatter_->SetMaximumLength(static_cast<int32_t>(std::clamp<int64_t>(value, 0, INT32_MAX)));
        if (attribute == EntryRefusedCharacter && value >= 0 && value <= 0xFFFF)
            formatter_->SetRefusedCharacter(static_cast<char16_t>(value));
    }
    int64_t GetGadgetAttribute(int64_t attribute) override
    {
        if (attribute == EntryRefusedCharacter) return formatter_->RefusedCharacter();
        return attribute == EntryMaximumLength ? formatter_->MaximumLength() : 0;
    }

private:
    platform::TextField& Field() const { return static_cast<platform::TextField&>(*Gadget().control.get()); }

    std::unique_ptr<KxMaximumLengthFormatter> formatter_;
};

std::unique_ptr<KxMaximumLengthFormatter> FormatterFor(int64_t flags)
{
    if (flags & EntryDigitsOnly) return std::make_unique<KxNumericFormatter>();
    if (flags & EntryUpperCase) return std::make_unique<KxUpperCaseFormatter>();
    if (flags & EntryLowerCase) return std::make_unique<KxLowerCaseFormatter>();
    return std::make_unique<KxMaximumLengthFormatter>();
}

} // namespace

int64_t CreateLabel(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                    const std::u16string& text, int64_t flags)
{
    auto label = platform::Ref<platform::TextLabel>::Adopt(platform::CreateTextLabel());
    return KxGadgetFunctions::Create(
        std::make_unique<KxTextGadgetFunctions>(), gadget, GadgetText, label.get(), nullptr, uint32_t(flags),
        GadgetFrame(x, y, width, height), [&] {
            label->SetStringValue(text);
            label->SetAlignment(flags & LabelCentred        ? platform::TextAlignment::Centre
                                : flags & LabelRightAligned ? platform::TextAlignment::Right
                                                            : platform::TextAlignment::Left);
            label->SetBordered(flags & LabelBordered);
        });
}

int64_t CreateEntryField(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                         const std::u16string& text, int64_t flags)
{
    auto field = platform::Ref<platform::TextField>::Adopt(platform::CreateTextField(flags & EntryPassword));
    auto functions = std::make_unique<KxStringGadgetFunctions>(FormatterFor(flags));
    KxStringGadgetFunctions* string = functions.get();
    return KxGadgetFunctions::Create(std::move(functions), gadget, GadgetString, field.get(), nullptr,
                                     uint32_t(flags), GadgetFrame(x, y, width, height), [&] {
                                         field->SetEditable(!(flags & EntryReadOnly));
                                         field->SetBordered(!(flags & EntryNoBorder));
                                         string->SetGadgetText(text);
                                         string->Connect(*field.get());
                                     });
}

} // namespace nevalon::gui
