#pragma once

#include "runtime/gui/EventBindings.h"

#include <cstdint>
#include <string>

namespace nevalon::gui {

// The types of gadget events (event 3).
enum GadgetEventTypes : int64_t {
    GadgetEventAction = 0,         // a button pressed, a check box clicked
    GadgetEventFocus = 256,        // a field got the keyboard focus
    GadgetEventEditingEnded = 512, // a field lost it (never for Return)
    GadgetEventChanged = 768,      // the content changed: text typed, an item or a date picked
};

// Colour types of SetGadgetColor.
enum GadgetColorTypes : int64_t { GadgetFrontColor = 1, GadgetBackColor = 2 };

// Gadget numbers are fixed small numbers or the numbers that creation with -1 returned. Every operation
// ignores a number that names no gadget, and answers 0 or "" for it.

// Takes the gadget out of its window, drops its queued events and its bindings, and frees its number
// (-1: every gadget). A gadget freed from inside its own callback stays intact until that returns.
void FreeGadget(int64_t gadget);

// 1 when the number names a gadget, else 0.
int64_t GadgetExists(int64_t gadget);

// The platform handle of the gadget's control, or 0.
int64_t GadgetID(int64_t gadget);

// Non-zero state disables the gadget, zero enables it.
void DisableGadget(int64_t gadget, int64_t state);

// Plain text shown while the pointer rests on the gadget ("" for none); line breaks are kept.
void GadgetToolTip(int64_t gadget, const std::u16string& text);

// The name screen readers announce for the gadget; buttons, check boxes and labels are named by their
// texts unless given one here, image gadgets only through this.
void SetGadgetAccessibleName(int64_t gadget, const std::u16string& name);
// Screen readers name `gadget` by the text of the label gadget `label`: for combo boxes, which the
// desktop's readers otherwise name by their chosen item.
void SetGadgetLabel(int64_t gadget, int64_t label);

// Gives the gadget the keyboard focus and makes its window key, unless the window is disabled. -1 takes
// the focus from the key window's gadgets instead.
void FocusGadget(int64_t gadget);

// Non-zero state hides the gadget, zero shows it.
void HideGadget(int64_t gadget, int64_t state);

// The gadget's left and top edges (mode 0: in its container; 1: on the screen; 2: in its window's
// content) and its size, truncated to whole points.
int64_t GadgetX(int64_t gadget, int64_t mode = 0);
int64_t GadgetY(int64_t gadget, int64_t mode = 0);
int64_t GadgetWidth(int64_t gadget);
int64_t GadgetHeight(int64_t gadget);

// Moves and sizes the gadget; KeepValue (-65535) keeps a value.
void ResizeGadget(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height);

// The kind's state, text and attributes (see each kind's creation call).
int64_t GetGadgetState(int64_t gadget);
void SetGadgetState(int64_t gadget, int64_t state);
std::u16string GetGadgetText(int64_t gadget);
void SetGadgetText(int64_t gadget, const std::u16string& text);
int64_t GetGadgetAttribute(int64_t gadget, int64_t attribute);
void SetGadgetAttribute(int64_t gadget, int64_t attribute, int64_t value);

// Items of a list kind: adds one at the position (image: a platform image handle or 0) and answers its
// index; removes one; removes all; counts them; reads or replaces an item's text.
int64_t AddGadgetItem(int64_t gadget, int64_t position, const std::u16string& text, int64_t image = 0,
                      int64_t flags = 0);
void RemoveGadgetItem(int64_t gadget, int64_t item);
void ClearGadgetItems(int64_t gadget);
int64_t CountGadgetItems(int64_t gadget);
std::u16string GetGadgetItemText(int64_t gadget, int64_t item, int64_t column = 0);
void SetGadgetItemText(int64_t gadget, int64_t item, const std::u16string& text, int64_t column = 0);

// Colour `color` (red in the lowest byte, then green and blue; always opaque) of type GadgetFrontColor or
// GadgetBackColor; -1 restores the kind's own colour. GetGadgetColor answers it in the same form.
void SetGadgetColor(int64_t gadget, int64_t type, int64_t color);
int64_t GetGadgetColor(int64_t gadget, int64_t type);

// Sets the gadget's font (a platform font handle, see FontHandle; -1: the system font at its size). With
// gadget -1, sets the font every gadget created afterwards gets (-1 as the font: none).
void SetGadgetFont(int64_t gadget, int64_t font);

// The platform handle of the font set on the gadget, or 0 for its own font.
int64_t GetGadgetFont(int64_t gadget);

// Binds the callback to the gadget's events of this type (-1: every type); binding it again with the same
// type keeps one binding.
void AddGadgetCallback(int64_t gadget, EventCallback callback, int64_t type = -1);

// Removes the first binding of the callback with this type (-1: whatever its type).
void RemoveGadgetCallback(int64_t gadget, EventCallback callback, int64_t type = -1);

// Frees every gadget of the window (its close).
void FreeWindowGadgets(int64_t window);

} // namespace nevalon::gui
