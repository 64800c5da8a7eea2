#pragma once

#include <cstdint>

namespace nevalon::gui {

// Attributes of a scroll area: the size of what it scrolls, and the point of it shown at the top-left corner.
enum ScrollAreaAttributes : int64_t {
    ScrollAreaInnerWidth = 1,
    ScrollAreaInnerHeight = 2,
    ScrollAreaX = 3,
    ScrollAreaY = 4,
};

// A rectangle that shows part of an inner area of innerWidth x innerHeight and scrolls it (a vertical scroll
// bar while the inner area is taller; the wheel; the keyboard focus moving to a gadget out of sight). Gadgets
// made after it go into the inner area, at positions inside it, until CloseGadgetList. Attributes: above. See
// ButtonGadgets.h for what creation answers.
int64_t CreateScrollArea(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                         int64_t innerWidth, int64_t innerHeight);

// Ends the gadget list the last CreateScrollArea opened: gadgets go where they went before it.
void CloseGadgetList();

} // namespace nevalon::gui
