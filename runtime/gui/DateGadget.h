#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

// CreateDateField flags.
enum DateFieldFlags : int64_t { DateFieldCheckBox = 2 };

// Attributes of a date field: the earliest and the latest date it gives (0: no limit).
enum DateFieldAttributes : int64_t { DateFieldMinimum = 1, DateFieldMaximum = 2 };

// The mask of a date field made with an empty one.
inline constexpr char16_t kDefaultDateMask[] = u"%yyyy/%mm/%dd %hh:%ii";

// A date entry: from left to right an optional check box (DateFieldCheckBox; while checked the text cannot
// be edited), a text field showing the date by `mask` (runtime/date/DateMask.h; "" for kDefaultDateMask),
// and a button that opens a month calendar to pick a day from. The date starts as `date`, or now for 0.
// State: SetGadgetState shows a date; GetGadgetState reads the text by the mask, InvalidDate when it shows
// no date. Both keep to the limits. Text: GetGadgetText the field's text, SetGadgetText a new mask ("" the
// default one). Colours: the calendar's text and background. SetGadgetFont sets the text's font. Posts
// GadgetEventChanged when the text is edited or a day picked, GadgetEventAction when the check box is
// clicked. See ButtonGadgets.h for what creation answers.
int64_t CreateDateField(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                        const std::u16string& mask = u"", int64_t date = 0, int64_t flags = 0);

} // namespace nevalon::gui
