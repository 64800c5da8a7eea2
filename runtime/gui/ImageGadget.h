#pragma once

#include <cstdint>

namespace nevalon::gui {

// CreateImageView flags.
enum ImageViewFlags : int64_t { ImageViewBorder = 1 };

// Types of the gadget events an image view posts for clicks on it.
enum ImageViewEventTypes : int64_t {
    ImageViewLeftClick = 0,
    ImageViewRightClick = 1,
    ImageViewLeftDoubleClick = 2,
    ImageViewRightDoubleClick = 3,
};

// A picture (a platform image handle, or 0 for none) at the top-left corner, scaled down to fit, never up.
// With an image the gadget takes the image's size in whole points (plus 4 each with ImageViewBorder, a
// groove); its corner stays. State: the image handle; SetGadgetState shows another image and fits to it.
// Screen readers know it only by SetGadgetAccessibleName. See ButtonGadgets.h for what creation answers.
int64_t CreateImageView(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height, int64_t image,
                        int64_t flags = 0);

} // namespace nevalon::gui
