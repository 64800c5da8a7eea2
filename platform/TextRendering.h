#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nevalon::platform {

class Font;

// Text set by the desktop's text system for drawing into bitmaps. A point of the font is one pixel of the
// bitmap, as in a bitmap drawing context, whatever the screen's resolution.
struct TextExtent {
    double width = 0, height = 0;
};

// The advance width and line height of `text` set on one line in `font` (the desktop's default font when
// null). Zero before StartApplication.
TextExtent MeasureText(const std::u16string& text, const Font* font);

// The coverage of `text` drawn as by MeasureText with its line box's top-left corner at (left, top) of a
// width x height bitmap: one byte per pixel, rows from the top, 0 = untouched, 255 = fully covered; nothing
// outside the bitmap is kept. Empty before StartApplication or for a size below 1 x 1.
std::vector<uint8_t> RenderTextCoverage(const std::u16string& text, const Font* font, int width, int height,
                                        double left, double top);

} // namespace nevalon::platform
