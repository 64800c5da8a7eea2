#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

// CreateLabel flags.
enum LabelFlags : int64_t { LabelRightAligned = 1, LabelCentred = 2, LabelBordered = 4 };

// CreateEntryField flags. The formatter goes by EntryDigitsOnly, then EntryUpperCase, then EntryLowerCase.
enum EntryFieldFlags : int64_t {
    EntryPassword = 1,
    EntryReadOnly = 2, // not editable, still selectable
    EntryUpperCase = 4,
    EntryLowerCase = 8,
    EntryDigitsOnly = 16,
    EntryNoBorder = 32,
};

// Attribute of an entry field: the most characters (UTF-16 units) it takes; edits beyond are refused.
// EntryRefusedCharacter: a character code no edit may bring in (0: none).
enum EntryFieldAttributes : int64_t { EntryMaximumLength = 1, EntryRefusedCharacter = 2 };

// A line of plain text that is neither editable nor selectable (GetGadgetText / SetGadgetText). State is
// always 0. Colours: GadgetFrontColor, GadgetBackColor. Disabled, it draws its text in the desktop's disabled
// colour. Screen readers read its text. See ButtonGadgets.h for what every creation call answers.
int64_t CreateLabel(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                    const std::u16string& text, int64_t flags = 0);

// A single-line entry field holding `text`. SetGadgetText converts the text to lower case (EntryLowerCase),
// then to upper case (EntryUpperCase); the person's edits pass the formatter of the flags. Colours:
// GadgetFrontColor, GadgetBackColor. Posts GadgetEventFocus when it gets the keyboard focus,
// GadgetEventChanged on each change the person makes, GadgetEventEditingEnded when it loses the focus.
int64_t CreateEntryField(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                         const std::u16string& text, int64_t flags = 0);

} // namespace nevalon::gui
