#include "runtime/system/drawing/Raster.h"

#include <algorithm>
#include <vector>

namespace nevalon::system {
namespace {

// Far beyond any bitmap, small enough that sums of coordinates and sizes cannot overflow.
constexpr int64_t kCoordinateLimit = int64_t{1} << 40;
// Only boxes far larger than any bitmap have wider corners; they keep this radius.
constexpr int64_t kRadiusLimit = int64_t{1} << 20;

struct Box {
    int64_t left, top, width, height;
};

Box Normalised(int64_t x, int64_t y, int64_t width, int64_t height)
{
    auto bounded = [](int64_t value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); };
    Box box{bounded(x), bounded(y), bounded(width), bounded(height)};
    if (box.width < 0) box.left += box.width, box.width = -box.width;
    if (box.height < 0) box.top += box.height, box.height = -box.height;
    return box;
}

// Fills pixels [from, to) of a row that lies inside the target; `from` and `to` are clipped here.
void FillSpan(const PixelTarget& target, int64_t y, int64_t from, int64_t to, const PreparedColour& colour,
              FillStyle style)
{
    from = std::max<int64_t>(from, 0);
    to = std::min(to, target.width);
    if (from >= to) return;
    uint32_t* row = target.pixels + y * target.width;
    if (style == FillStyle::Copy) {
        std::fill(row + from, row + to, colour.value);
        return;
    }
    if (colour.alpha == 0) return;
    // Fills mostly cross runs of equal pixels: each run is blended once.
    uint32_t before = row[from], after = BlendPixel(before, colour);
    for (int64_t x = from; x < to; ++x) {
        if (row[x] != before) before = row[x], after = BlendPixel(before, colour);
        row[x] = after;
    }
}

void FillClipped(const PixelTarget& target, const Box& box, const PreparedColour& colour, FillStyle style)
{
    int64_t top = std::max<int64_t>(box.top, 0), bottom = std::min(box.top + box.height, target.height);
    for (int64_t y = top; y < bottom; ++y)
        FillSpan(target, y, box.left, box.left + box.width, colour, style);
}

// For each height 0..radiusY above the centre of an ellipse, the half-width of its outline there, traced by
// the midpoint algorithm. Its decisions are kept four times larger, and wide, so that they stay whole
// numbers.
std::vector<int64_t> QuadrantWidths(int64_t radiusX, int64_t radiusY)
{
    using Wide = __int128;
    std::vector<int64_t> widths(static_cast<size_t>(radiusY) + 1, 0);
    const Wide rx2 = Wide(radiusX) * radiusX, ry2 = Wide(radiusY) * radiusY;
    int64_t x = 0, y = radiusY;
    Wide px = 0, py = 2 * rx2 * y;
    auto plot = [&] { widths[y] = std::max(widths[y], std::min(x, radiusX)); };
    plot();
    // Where the outline is flatter than 45 degrees, each step moves one column.
    Wide decision = 4 * ry2 - 4 * rx2 * radiusY + rx2;
    while (px < py) {
        ++x, px += 2 * ry2;
        if (decision < 0) {
            decision += 4 * (ry2 + px);
        } else {
            --y, py -= 2 * rx2;
            decision += 4 * (ry2 + px - py);
        }
        plot();
    }
    // Where it is steeper, each step moves one row.
    decision =
        ry2 * (2 * Wide(x) + 1) * (2 * Wide(x) + 1) + 4 * rx2 * (Wide(y) - 1) * (Wide(y) - 1) - 4 * rx2 * ry2;
    while (y > 0) {
        --y, py -= 2 * rx2;
        if (decision > 0) {
            decision += 4 * (rx2 - py);
        } else {
            ++x, px += 2 * ry2;
            decision += 4 * (rx2 - py + px);
        }
        plot();
    }
    widths[0] = radiusX;
    return widths;
}

} // namespace

PreparedColour PreparedColour::Of(uint32_t value)
{
    PreparedColour colour;
    colour.value = value;
    colour.red = value & 0xFF;
    colour.green = (value >> 8) & 0xFF;
    colour.blue = (value >> 16) & 0xFF;
    colour.alpha = value >> 24;
    colour.inverseAlpha = 255 - colour.alpha;
    return colour;
}

uint32_t BlendPixel(uint32_t pixel, const PreparedColour& colour)
{
    const uint32_t alpha = colour.alpha;
    if (alpha == 0) return pixel;
    const uint32_t pixelAlpha = pixel >> 24;
    if (pixelAlpha == 0) return (colour.value & 0x00FFFFFF) | alpha << 24;
    // Each side weighted by its own alpha; the pixel's share is what the colour lets through.
    const uint32_t below = pixelAlpha * colour.inverseAlpha, above = alpha * 255, total = below + above;
    auto channel = [&](int shift, uint32_t source) {
        return (((pixel >> shift) & 0xFF) * below + source * above) / total << shift;
    };
    return channel(0, colour.red) | channel(8, colour.green) | channel(16, colour.blue) |
           (total + 127) / 255 << 24;
}

void FillRect(const PixelTarget& target, int64_t x, int64_t y, int64_t width, int64_t height,
              const PreparedColour& colour, FillStyle style, bool outline)
{
    Box box = Normalised(x, y, width, height);
    if (box.width < 1 || box.height < 1) return;
    if (!outline) return FillClipped(target, box, colour, style);
    // Each pixel of the edges once, so that a blended outline has no darker corners.
    int64_t right = box.left + box.width - 1, bottom = box.top + box.height - 1;
    FillClipped(target, {box.left, box.top, box.width, 1}, colour, style);
    if (box.height > 1) FillClipped(target, {box.left, bottom, box.width, 1}, colour, style);
    if (box.height > 2) {
        FillClipped(target, {box.left, box.top + 1, 1, box.height - 2}, colour, style);
        if (box.width > 1) FillClipped(target, {right, box.top + 1, 1, box.height - 2}, colour, style);
    }
}

void FillRoundRect(const PixelTarget& target, int64_t x, int64_t y, int64_t width, int64_t height,
                   int64_t radiusX, int64_t radiusY, const PreparedColour& colour, FillStyle style)
{
    Box box = Normalised(x, y, width, height);
    if (box.width < 1 || box.height < 1) return;
    int64_t rx = std::min({std::max<int64_t>(radiusX, 0), box.width / 2, kRadiusLimit});
    int64_t ry = std::min({std::max<int64_t>(radiusY, 0), box.height / 2, kRadiusLimit});
    if (rx == 0 || ry == 0) return FillClipped(target, box, colour, style);
    const std::vector<int64_t> widths = QuadrantWidths(rx, ry);
    // Centres of the corner ellipses, in the box; with a radius of exactly half an even size they cross by
    // one, and a row or column is inside when any corner's quadrant holds it.
    const int64_t leftCentre = rx, rightCentre = box.width - 1 - rx;
    const int64_t topCentre = ry, bottomCentre = box.height - 1 - ry;
    int64_t first = std::max<int64_t>(0, -box.top), last = std::min(box.height, target.height - box.top);
    for (int64_t row = first; row < last; ++row) {
        int64_t dy = ry;
        if (row <= topCentre) dy = std::min(dy, topCentre - row);
        if (row >= bottomCentre) dy = std::min(dy, row - bottomCentre);
        if (row >= topCentre && row <= bottomCentre) dy = 0;
        int64_t half = widths[static_cast<size_t>(dy)];
        int64_t from = std::min(leftCentre - half, rightCentre),
                to = std::max(rightCentre + half, leftCentre);
        FillSpan(target, box.top + row, box.left + from, box.left + to + 1, colour, style);
    }
}

void BlendCoverage(const PixelTarget& target, int64_t left, int64_t top, int64_t width, int64_t height,
                   const uint8_t* coverage, uint32_t colour)
{
    const PreparedColour full = PreparedColour::Of(colour);
    int64_t x0 = std::max<int64_t>(left, 0), x1 = std::min(left + width, target.width);
    int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min(top + height, target.height);
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* source = coverage + (y - top) * width;
        uint32_t* row = target.pixels + y * target.width;
        for (int64_t x = x0; x < x1; ++x) {
            const uint32_t covered = source[x - left];
            if (covered == 0) continue;
            PreparedColour scaled = full;
            scaled.alpha = (full.alpha * covered + 127) / 255;
            scaled.inverseAlpha = 255 - scaled.alpha;
            row[x] = BlendPixel(row[x], scaled);
        }
    }
}

} // namespace nevalon::system
