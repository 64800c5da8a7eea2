#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

// CreateButton flags.
enum ButtonFlags : int64_t {
    ButtonRightAligned = 1,
    ButtonLeftAligned = 2, // wins over ButtonRightAligned
    ButtonToggle = 4,      // stays pressed until the next press; state 1 pressed
    ButtonDefault = 8,     // Return in the window presses it; only a button exactly 25 high
};

// CreateCheckBox flags.
enum CheckBoxFlags : int64_t { CheckBoxRightAligned = 1, CheckBoxCentred = 2, CheckBoxThreeState = 4 };

// CreateImageButton flags.
enum ImageButtonFlags : int64_t { ImageButtonToggle = 4 };

// Attributes of an image button: its image and the image shown while it is pressed (platform image handles).
enum ImageButtonAttributes : int64_t { ImageButtonImage = 1, ImageButtonPressedImage = 2 };

// Every creation call puts the gadget at (x, y) in the current container of the window that takes new
// gadgets, width x height points, and answers the control handle for a fixed number, the new gadget's number
// for -1, 0 on failure.

// A bordered push button titled `text` (GetGadgetText / SetGadgetText). Exactly 25 high it has the rounded
// bezel, else the square one, which it keeps once resized to another height. State: 1 pressed, 0 released
// (a toggle button). Posts a GadgetEventAction when pressed.
int64_t CreateButton(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                     const std::u16string& text, int64_t flags = 0);

// A check box titled `text`. State: 1 checked, 0 unchecked, -1 mixed (three-state boxes only; a click on a
// mixed box checks it). Posts a GadgetEventAction on each click.
int64_t CreateCheckBox(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                       const std::u16string& text, int64_t flags = 0);

// A bordered square button showing the image (a platform image handle). Posts a GadgetEventAction when
// pressed. Screen readers know it only by SetGadgetAccessibleName.
int64_t CreateImageButton(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height, int64_t image,
                          int64_t flags = 0);

} // namespace nevalon::gui
