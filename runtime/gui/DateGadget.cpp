#include "runtime/gui/DateGadget.h"

#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/date/DateMask.h"
#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/WindowRecord.h"

#include <algorithm>
#include <vector>

namespace nevalon::gui {
namespace {

constexpr double kCheckBoxWidth = 20, kFieldWithCheckBoxX = 25, kDisclosureWidth = 20;
constexpr platform::Size kCalendarSize{140, 150};
// Room for what a mask's tokens may add to it.
constexpr size_t kTextAllowance = 128;
// How long the disclosure button rests after the calendar closed.
constexpr int64_t kDisclosureRestMs = 50;

using Date = date::Date;

class KxDateGadgetFunctions final : public KxGadgetFunctions, private platform::WindowDelegate {
public:
    KxDateGadgetFunctions(const KxDateGadgetFunctions&) = delete;
    KxDateGadgetFunctions& operator=(const KxDateGadgetFunctions&) = delete;
    KxDateGadgetFunctions(platform::View& dateView, platform::CheckBox* checkBox, platform::TextField& field,
                          platform::Button& disclosure, std::u16string mask, Date date)
        : date_(&dateView), checkBox_(checkBox), textField_(&field), disclosure_(&disclosure),
          mask_(mask.empty() ? kDefaultDateMask : std::move(mask)), dateTime_(date)
    {
        textField_->AddTo(dateView);
        disclosure_->AddTo(dateView);
        disclosure_->SetToggle(true);
        disclosure_->SetBezel(platform::Button::Bezel::Disclosure);
        disclosure_->SetAccessibleName(u"Calendar");
        disclosure_->SetAction([this] { DisclosureHandler(); });
        textField_->SetChangeHandler([this] { SendEvent(GadgetEventChanged); });
        if (checkBox_) {
            checkBox_->AddTo(dateView);
            checkBox_->SetAction([this] { CheckBoxHandler(); });
        }
        Layout();
        Display();
    }
    ~KxDateGadgetFunctions() override { FreeGadget(); }

    void FreeGadget() override
    {
        CloseCalendar();
        if (enableTimer_) enableTimer_->Invalidate();
        disclosure_->SetAction(nullptr);
        textField_->SetChangeHandler(nullptr);
        if (checkBox_) checkBox_->SetAction(nullptr);
    }

    void ActivateGadget() override
    {
        KxGadgetFunctions::ActivateGadget();
        textField_->Focus();
    }
    void DisableGadget(bool disable) override
    {
        textField_->SetEnabled(!disable);
        disclosure_->SetEnabled(!disable);
        if (checkBox_) checkBox_->SetEnabled(!disable);
    }
    void ResizeGadget(int64_t x, int64_t y, int64_t width, int64_t height) override
    {
        KxGadgetFunctions::ResizeGadget(x, y, width, height);
        Layout();
    }
    // The name belongs to the field a reader lands on, not to the box around it.
    void SetGadgetAccessibleName(const std::u16string& name) override { textField_->SetAccessibleName(name); }
    void SetGadgetFont(platform::Font* font) override { textField_->SetFont(font); }
    platform::Font* GetGadgetFont() override { return textField_->GetFont(); }
    void SetGadgetState(int64_t state) override
    {
        dateTime_ = state;
        Display();
    }
    int64_t GetGadgetState() override
    {
        Date parsed = date::TextToDate(mask_, textField_->StringValue());
        // A text that shows no date stays no date: a limit does not stand in for it.
        return parsed == date::InvalidDate ? parsed : EnforceDateLimits(parsed);
    }
    void SetGadgetText(const std::u16string& text) override
    {
        mask_ = text.empty() ? kDefaultDateMask : text;
        Display();
    }
    std::u16string GetGadgetText() override { return textField_->StringValue(); }
    void SetGadgetAttribute(int64_t attribute, int64_t value) override
    {
        if (attribute == DateFieldMinimum) minimumDate_ = value;
        if (attribute == DateFieldMaximum) maximumDate_ = value;
        if (attribute == DateFieldMinimum || attribute == DateFieldMaximum) Display();
    }
    int64_t GetGadgetAttribute(int64_t attribute) override
    {
        return attribute == DateFieldMinimum   ? minimumDate_
               : attribute == DateFieldMaximum ? maximumDate_
                                               : 0;
    }
    void SetGadgetColor(int64_t type, platform::Color color) override
    {
        if (type == GadgetFrontColor) calendarTextColor_ = color;
        if (type == GadgetBackColor) calendarBackColor_ = color;
        if (calendar_) ColourCalendar();
    }

private:
    void Layout()
    {
        platform::Rect frame = date_->Frame();
        double fieldX = checkBox_ ? kFieldWithCheckBoxX : 0;
        if (checkBox_) checkBox_->SetFrame({0, 0, kCheckBoxWidth, frame.height});
        textField_->SetFrame(
            {fieldX, 0, std::max(0.0, frame.width - kDisclosureWidth - fieldX), frame.height});
        disclosure_->SetFrame({frame.width - kDisclosureWidth, 0, kDisclosureWidth, frame.height});
    }

    Date EnforceDateLimits(Date date) const
    {
        if (minimumDate_ != 0 && date < minimumDate_) date = minimumDate_;
        if (maximumDate_ != 0 && date > maximumDate_) date = maximumDate_;
        return date;
    }

    void Display()
    {
        std::vector<char16_t> text(mask_.size() + kTextAllowance + 1);
        int64_t length = date::DateToText(mask_, EnforceDateLimits(dateTime_), text);
        textField_->SetStringValue(std::u16string(text.data(), static_cast<size_t>(length)));
    }

    void CheckBoxHandler()
    {
        bool checked = checkBox_->IntegerValue() == 1;
        textField_->SetEditable(!checked);
        WindowRecord* window = FindWindowRecord(Gadget().window);
        if (checked && window) platform::ClearKeyboardFocus(*window->window);
        SendEvent(GadgetEventAction);
    }

    void DisclosureHandler()
    {
        if (disclosure_->IntegerValue() == 0 || calendarWindow_) return;
        auto picker = platform::Ref<platform::DatePicker>::Adopt(platform::CreateDatePicker());
        platform::Size fitting = picker ? picker->FittingSize() : platform::Size{};
        // Qt's month view may need more room than the platform's own calendar.
        platform::Size size{std::max(kCalendarSize.width, fitting.width),
                            std::max(kCalendarSize.height, fitting.height)};
        platform::Window* window =
            picker ? platform::CreatePlatformWindow({false, false, false, false}, size) : nullptr;
        if (!window) {
            disclosure_->SetIntegerValue(0);
            return;
        }
        // Just below the button, right edges flush.
        platform::Point origin = disclosure_->OriginOnScreen();
        platform::Rect button = disclosure_->Frame();
        window->SetFrameTopLeft({origin.x + button.width - size.width, origin.y + button.height});
        window->SetLevel(platform::WindowLevel::Floating);
        picker->SetFrame({0, 0, size.width, size.height});
        int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        if (date::DateParts(EnforceDateLimits(dateTime_), year, month, day, hour, minute, second))
            picker->SetDay({year, month, day});
        picker->SetAction([this] { DatePicked(); });
        picker->AddTo(*window);
        calendar_ = picker;
        calendarWindow_ = platform::Ref<platform::Window>(window);
        ColourCalendar();
        window->SetDelegate(this);
        window->OrderFront(true);
        disclosure_->SetEnabled(false);
    }

    void ColourCalendar()
    {
        calendar_->SetTextColor(calendarTextColor_);
        calendar_->SetBackgroundColor(calendarBackColor_);
    }

    void DatePicked()
    {
        platform::DatePicker::Day day = calendar_->GetDay();
        CloseCalendarWindow();
        int32_t year = 0, month = 0, dayOfMonth = 0, hour = 0, minute = 0, second = 0;
        date::DateParts(dateTime_, year, month, dayOfMonth, hour, minute, second);
        // The day changes; the time of day stays.
        Date picked = date::MakeDate(day.year, day.month, day.day, hour, minute, second);
        if (picked != date::InvalidDate) dateTime_ = picked;
        Display();
        SendEvent(GadgetEventChanged);
    }

    // The calendar loses the keyboard: it closes, the date stays.
    void DidResignKey(platform::Window&) override { CloseCalendarWindow(); }

    void CloseCalendarWindow()
    {
        if (!CloseCalendar()) return;
        WindowRecord* window = FindWindowRecord(Gadget().window);
        if (window && window->window->IsVisible()) window->window->OrderFront(true);
        disclosure_->SetIntegerValue(0);
        // A rest, so that the click on the button that took the keyboard from the calendar does not open it.
        enableTimer_ =
            platform::Ref<platform::Timer>::Adopt(platform::CreateRepeatingTimer(kDisclosureRestMs, [this] {
                enableTimer_->Invalidate();
                disclosure_->SetEnabled(true);
            }));
        if (!enableTimer_) disclosure_->SetEnabled(true);
    }

    // Closes the calendar if it is open; false when it was not.
    bool CloseCalendar()
    {
        if (!calendarWindow_) return false;
        platform::Ref<platform::Window> window = std::move(calendarWindow_);
        platform::Ref<platform::DatePicker> picker = std::move(calendar_);
        picker->SetAction(nullptr);
        window->SetDelegate(nullptr);
        window->Close();
        return true;
    }

    platform::Ref<platform::View> date_;
    platform::Ref<platform::CheckBox> checkBox_;
    platform::Ref<platform::TextField> textField_;
    platform::Ref<platform::Button> disclosure_;
    platform::Color calendarTextColor_, calendarBackColor_;
    Date minimumDate_ = 0, maximumDate_ = 0;
    std::u16string mask_;
    Date dateTime_;
    platform::Ref<platform::DatePicker> calendar_;
    platform::Ref<platform::Window> calendarWindow_;
    platform::Ref<platform::Timer> enableTimer_;
};

} // namespace

int64_t CreateDateField(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                        const std::u16string& mask, int64_t date, int64_t flags)
{
    auto view = platform::Ref<platform::View>::Adopt(platform::CreateContainerView());
    auto field = platform::Ref<platform::TextField>::Adopt(platform::CreateTextField(false));
    auto disclosure = platform::Ref<platform::Button>::Adopt(platform::CreateButton());
    platform::Ref<platform::CheckBox> checkBox;
    if (flags & DateFieldCheckBox)
        checkBox = platform::Ref<platform::CheckBox>::Adopt(platform::CreateCheckBox());
    if (!view || !field || !disclosure || ((flags & DateFieldCheckBox) && !checkBox)) return 0;
    view->SetFrame(GadgetFrame(x, y, width, height));
    auto functions =
        std::make_unique<KxDateGadgetFunctions>(*view.get(), checkBox.get(), *field.get(), *disclosure.get(),
                                                mask, date == 0 ? date::CurrentDate() : date);
    return KxGadgetFunctions::Create(std::move(functions), gadget, GadgetDate, view.get(), nullptr,
                                     uint32_t(flags), GadgetFrame(x, y, width, height), {});
}

} // namespace nevalon::gui
