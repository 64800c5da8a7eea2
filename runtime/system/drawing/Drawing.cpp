#include "runtime/system/drawing/Drawing.h"

#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/TextRendering.h"
#include "runtime/system/drawing/ImageTable.h"
#include "runtime/system/drawing/Raster.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace nevalon::system {
namespace {

constexpr uint32_t kBackColour = 0xFF000000;
// Far beyond any image, small enough to turn into whole pixels without overflow.
constexpr double kPositionLimit = double(int64_t{1} << 40);

// One drawing pass on an image. It holds the platform image, so that its pixels outlive a DisposeImage
// during the pass.
struct DrawingContext {
    platform::Ref<platform::Image> image;
    PixelTarget target;
    PreparedColour prepared;
    PreparedColour back = PreparedColour::Of(kBackColour);
    int64_t mode = 0;
    platform::Ref<platform::Font> font;
    bool italic = false;
    bool open = false;
};

std::unique_ptr<DrawingContext>& Current()
{
    static std::unique_ptr<DrawingContext> context;
    return context;
}

int64_t HandleOf(const DrawingContext* context)
{
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(context));
}

// The open pass, or null.
DrawingContext* Pass()
{
    DrawingContext* context = Current().get();
    return context && context->open ? context : nullptr;
}

FillStyle StyleOf(const DrawingContext& context)
{
    return context.mode & DrawingAlphaBlend ? FillStyle::Blend : FillStyle::Copy;
}

const PreparedColour& Prepare(DrawingContext& context, int64_t colour)
{
    if (context.prepared.value != static_cast<uint32_t>(colour))
        context.prepared = PreparedColour::Of(static_cast<uint32_t>(colour));
    return context.prepared;
}

platform::TextExtent Measure(const String& text)
{
    const DrawingContext* context = Pass();
    return platform::MeasureText(text, context ? context->font.get() : nullptr);
}

// A whole number of pixels, already rounded as the caller needs.
int64_t Whole(double pixels)
{
    return static_cast<int64_t>(std::clamp(pixels, -kPositionLimit, kPositionLimit));
}

} // namespace

int64_t MakeRgba(int64_t red, int64_t green, int64_t blue, int64_t alpha)
{
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16 | (alpha & 0xFF) << 24;
}

int64_t ImageCanvas(int64_t image)
{
    const ImageRecord* record = Images().Find(image);
    if (!record) return 0;
    EndDrawing();
    auto context = std::make_unique<DrawingContext>();
    context->image = record->image;
    platform::Image& picture = *context->image.get();
    context->target = {picture.Pixels().data(), picture.PixelWidth(), picture.PixelHeight()};
    Current() = std::move(context);
    return HandleOf(Current().get());
}

int64_t BeginDrawing(int64_t canvas)
{
    DrawingContext* context = Current().get();
    if (!context || context->open || HandleOf(context) != canvas) return 0;
    context->open = true;
    return 1;
}

void EndDrawing()
{
    // The platform image holds no rendering of its own: whoever shows it reads the pixels as they are now.
    Current().reset();
}

void SetDrawingMode(int64_t mode)
{
    if (DrawingContext* context = Pass()) context->mode = mode;
}

void SetDrawingFont(int64_t font)
{
    DrawingContext* context = Pass();
    if (!context) return;
    auto* platformFont = dynamic_cast<platform::Font*>(platform::ObjectFromHandle(font));
    context->font = platform::Ref<platform::Font>(platformFont);
    context->italic = platformFont && platformFont->Italic();
}

void FillBox(int64_t x, int64_t y, int64_t width, int64_t height, int64_t colour)
{
    DrawingContext* context = Pass();
    if (!context) return;
    FillRect(context->target, x, y, width, height, Prepare(*context, colour), StyleOf(*context),
             context->mode & DrawingOutlined);
}

void FillRoundBox(int64_t x, int64_t y, int64_t width, int64_t height, int64_t radiusX, int64_t radiusY,
                  int64_t colour)
{
    DrawingContext* context = Pass();
    if (!context) return;
    FillRoundRect(context->target, x, y, width, height, radiusX, radiusY, Prepare(*context, colour),
                  StyleOf(*context));
}

double MeasureTextWidth(const String& text)
{
    return Measure(text).width;
}

double MeasureTextHeight(const String& text)
{
    return Measure(text).height;
}

double PaintText(double x, double y, const String& text, int64_t colour)
{
    const platform::TextExtent extent = Measure(text);
    DrawingContext* context = Pass();
    if (!context || !std::isfinite(x) || !std::isfinite(y)) return x + extent.width;
    const PixelTarget& target = context->target;
    if (!(context->mode & DrawingTransparentText))
        FillRect(target, Whole(std::trunc(x)), Whole(std::trunc(y)), Whole(std::trunc(extent.width)),
                 Whole(std::trunc(extent.height)), context->back, StyleOf(*context));
    // The text is rendered only where it lands on the image: a long line costs no more than a short one.
    const int64_t left = Whole(std::floor(x)), top = Whole(std::floor(y));
    const int64_t width = Whole(std::ceil(extent.width)) + (context->italic ? 1 : 0);
    const int64_t height = Whole(std::ceil(extent.height));
    const int64_t x0 = std::max<int64_t>(left, 0), x1 = std::min(left + width, target.width);
    const int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min(top + height, target.height);
    if (x0 >= x1 || y0 >= y1) return x + extent.width;
    const std::vector<uint8_t> coverage = platform::RenderTextCoverage(
        text, context->font.get(), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0),
        0.5 - double(x0 - left), 0.5 - double(y0 - top));
    if (coverage.size() == static_cast<size_t>((x1 - x0) * (y1 - y0)))
        BlendCoverage(target, x0, y0, x1 - x0, y1 - y0, coverage.data(), static_cast<uint32_t>(colour));
    return x + extent.width;
}

} // namespace nevalon::system
