#pragma once

#include <cstdint>

namespace nevalon::gui {

// CreateComboBox flags.
enum ComboBoxFlags : int64_t {
    ComboBoxEditable = 1, // an editable box: not offered, the call fails
    ComboBoxLowerCase = 2,
    ComboBoxUpperCase = 4,
    ComboBoxImages = 8, // items carry a picture (a blank 16 x 16 one when none is given)
};

// A pop-up list of items to choose one from. AddGadgetItem (gadget, position, text [, image]) inserts at
// the position when it is an item's index, else appends, and answers the item's index; a list that showed no
// choice shows none after it, so a new list has none until SetGadgetState. Item texts and SetGadgetText go
// to lower case (ComboBoxLowerCase) or upper case (ComboBoxUpperCase) first. State: the chosen index, -1 for
// none. Text: the chosen item's text; SetGadgetText chooses the first item with that text, or none. Posts a
// GadgetEventChanged when the person chooses an item. See ButtonGadgets.h for what creation answers.
int64_t CreateComboBox(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                       int64_t flags = 0);

} // namespace nevalon::gui
