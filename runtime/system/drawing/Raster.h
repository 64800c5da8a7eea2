#pragma once

#include <cstdint>

namespace nevalon::system {

// Pixels of a bitmap: 32-bit RGBA, red in the lowest byte, not premultiplied, rows of `width` from the top.
struct PixelTarget {
    uint32_t* pixels = nullptr;
    int64_t width = 0, height = 0;
};

// A colour split into its channels once, so that repeated fills in it do not split it again.
struct PreparedColour {
    uint32_t value = 0;
    uint32_t red = 0, green = 0, blue = 0, alpha = 0, inverseAlpha = 255;

    static PreparedColour Of(uint32_t value);
};

// How a fill lays its colour on the pixels.
enum class FillStyle { Copy, Blend };

// `colour` laid over `pixel` by straight-alpha source-over: an alpha-0 colour leaves it, a clear pixel takes
// the colour as it is.
uint32_t BlendPixel(uint32_t pixel, const PreparedColour& colour);

// Fills the box (a negative size extends it left or up from x or y), clipped to the target; with `outline`
// only its four one-pixel edges.
void FillRect(const PixelTarget& target, int64_t x, int64_t y, int64_t width, int64_t height,
              const PreparedColour& colour, FillStyle style, bool outline = false);

// Fills the box with its corners cut along ellipse quadrants of the radii, each clamped to half the box's
// size; aliased, clipped to the target.
void FillRoundRect(const PixelTarget& target, int64_t x, int64_t y, int64_t width, int64_t height,
                   int64_t radiusX, int64_t radiusY, const PreparedColour& colour, FillStyle style);

// Lays `colour` over the target through a width x height coverage map placed at (left, top): the colour's
// alpha is scaled by each byte's coverage (0 leaves the pixel as it is). Clipped to the target.
void BlendCoverage(const PixelTarget& target, int64_t left, int64_t top, int64_t width, int64_t height,
                   const uint8_t* coverage, uint32_t colour);

} // namespace nevalon::system
