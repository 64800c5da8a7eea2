#pragma once

#include "platform/Image.h"
#include "platform/View.h"

#include <functional>
#include <optional>

namespace nevalon::platform {

// A bordered push button ("NSButton"). Its string value is its title; its integer value is its state (a
// toggle button: 1 pressed, 0 released; a momentary one: 0). The action runs on each press.
class Button : public Control {
public:
    using Control::Control;

    enum class Bezel { Rounded, Square, Disclosure };

    virtual void SetAlignment(TextAlignment alignment) = 0;
    // A toggle button stays pressed after a press until the next one.
    virtual void SetToggle(bool toggle) = 0;
    // The default button of its window: Return pressed anywhere in the window presses it, unless the view
    // that has the focus takes the key.
    virtual void SetDefault(bool isDefault) = 0;
    // The outline: rounded or square corners, or a small disclosure arrow. Where the desktop's style draws
    // one shape for every button, the bezel changes the corners only as far as the style lets it.
    virtual void SetBezel(Bezel bezel) = 0;
    virtual Bezel GetBezel() const = 0;
    // The picture shown instead of a title, and the one shown while the button is pressed (null: none);
    // the button holds them.
    virtual void SetImage(Image* image) = 0;
    virtual Image* GetImage() const = 0;
    virtual void SetAlternateImage(Image* image) = 0;
    virtual Image* GetAlternateImage() const = 0;
};

// A check box with its title ("NSButton" of the switch kind). String value: the title. Integer value: 1
// checked, 0 unchecked, -1 mixed. A click on a mixed box checks it; otherwise a click turns the box over.
class CheckBox : public Control {
public:
    using Control::Control;

    // The title keeps its place beside the box: Qt's styles draw it after the box whatever the alignment.
    virtual void SetAlignment(TextAlignment alignment) = 0;
    // Without it, the mixed state is refused.
    virtual void SetAllowsMixedState(bool allows) = 0;
};

// A line of text that is neither editable nor selectable ("NSTextField" as a label). String value: the text;
// integer value: the text read as a decimal number (0 when it is none).
class TextLabel : public Control {
public:
    using Control::Control;

    virtual void SetAlignment(TextAlignment alignment) = 0;
    virtual void SetBordered(bool bordered) = 0;
};

// A single-line entry field that scrolls its text sideways ("NSTextField"/"NSSecureTextField"). String
// value: its text; integer value: the text read as a decimal number (0 when it is none).
class TextField : public Control {
public:
    using Control::Control;

    // Asked before every edit the person makes, with the text the edit would leave: answers the text to
    // show (the proposal itself, or a replacement), or nothing to refuse the edit. Program changes are not
    // asked.
    using EditCheck = std::function<std::optional<std::u16string>(const std::u16string& proposed)>;
    virtual void SetEditCheck(EditCheck check) = 0;

    // Not editable: the text can still be selected and copied.
    virtual void SetEditable(bool editable) = 0;
    virtual void SetBordered(bool bordered) = 0;

    // The field got the keyboard focus.
    virtual void SetFocusHandler(std::function<void()> handler) = 0;
    // The person changed the text.
    virtual void SetChangeHandler(std::function<void()> handler) = 0;
    // The field lost the keyboard focus, which ends an edit. Return keeps the focus and reports nothing.
    virtual void SetEditingEndHandler(std::function<void()> handler) = 0;
};

// A button that opens a list of items to choose one from ("NSPopUpButton"). String value: the chosen item's
// title (setting it chooses the first item with that title, or none); integer value: the chosen index, -1
// for none. The action runs when the person chooses an item.
class PopUpButton : public Control {
public:
    using Control::Control;

    // Inserts before `index`, or appends for an index outside the items. The choice stays on its item; a
    // list that had no choice has none after.
    virtual void InsertItem(int64_t index, const std::u16string& title, Image* image) = 0;
    virtual void RemoveItem(int64_t index) = 0;
    virtual void RemoveAllItems() = 0;
    virtual int64_t ItemCount() const = 0;
    // "" for an index outside the items; setting one there does nothing.
    virtual std::u16string ItemTitle(int64_t index) const = 0;
    virtual void SetItemTitle(int64_t index, const std::u16string& title) = 0;
};

// A picture drawn at the top-left corner, scaled down to fit (keeping its proportions), never up
// ("NSImageView"). It holds the image. It has no text and no value: "" and 0, and setting them does nothing.
class ImageView : public Control {
public:
    using Control::Control;

    virtual void SetImage(Image* image) = 0;
    virtual Image* GetImage() const = 0;
    // A groove two points wide around the picture.
    virtual void SetBordered(bool bordered) = 0;
    // A click or a series of them ended over the view: the right or the left button, how many in the series.
    virtual void SetClickHandler(std::function<void(bool rightButton, int clicks)> handler) = 0;
};

// A month calendar to pick a day from ("NSDatePicker" in its calendar style). The action runs when the
// person picks a day; turning to another month picks nothing. Integer value: the day as yyyymmdd; it has no
// text ("", and setting one does nothing).
class DatePicker : public Control {
public:
    using Control::Control;

    struct Day {
        int year = 1970, month = 1, day = 1;
    };
    virtual void SetDay(Day day) = 0;
    virtual Day GetDay() const = 0;
    // The smallest size that shows a whole month.
    virtual Size FittingSize() const = 0;
};

// New controls, each with one reference owned by the caller, or null without a running application.
Button* CreateButton();
CheckBox* CreateCheckBox();
TextLabel* CreateTextLabel();
// `secure` shows a dot for each character and lets nobody copy the text.
TextField* CreateTextField(bool secure);
PopUpButton* CreatePopUpButton();
ImageView* CreateImageView();
DatePicker* CreateDatePicker();

} // namespace nevalon::platform
