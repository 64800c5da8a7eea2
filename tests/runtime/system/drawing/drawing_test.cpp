#include "platform/Application.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "runtime/system/drawing/Drawing.h"
#include "runtime/system/drawing/Images.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace nevalon::system;
using namespace nevalon::platform;
using Pixels = std::vector<uint32_t>;

namespace {

constexpr uint32_t kBlue = 0xFFFF0000, kHalfBlue = 0x80FF0000;

class DrawingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "drawing-tests";
        static char* argv[] = {name, nullptr};
        std::string error;
        ASSERT_TRUE(StartApplication(argc, argv, error)) << error;
        InitImages();
    }
    void TearDown() override { EndImages(); }

    // A new 80 x 24 image with a pass open on it in `mode`.
    static int64_t Drawn(int64_t mode, int64_t background = kTransparentBackground)
    {
        int64_t image = NewImage(-1, 80, 24, 32, background);
        EXPECT_NE(BeginDrawing(ImageCanvas(image)), 0);
        SetDrawingMode(mode);
        return image;
    }
    static Pixels PixelsOf(int64_t image)
    {
        return dynamic_cast<Image*>(ObjectFromHandle(ImageHandle(image)))->Pixels();
    }
    // A round box over the whole of a clear 80 x 24 image, from its far corner for negative sizes.
    static Pixels RoundBox(int64_t width, int64_t height, int64_t radiusX, int64_t radiusY)
    {
        int64_t image = Drawn(DrawingAlphaBlend);
        FillRoundBox(width < 0 ? 80 : 0, height < 0 ? 24 : 0, width, height, radiusX, radiusY, kBlue);
        return PixelsOf(image);
    }
    // White text lays its red over blue, which has little (kBlue none, the badge colour 50).
    static bool NearlyWhite(uint32_t pixel) { return (pixel & 0xFF) >= 200; }
};

TEST_F(DrawingTest, NewImagesAreClearOrOpaqueInTheBackgroundAndRefuseSizesTheyCannotHold)
{
    EXPECT_EQ(PixelsOf(NewImage(-1, 80, 24)), Pixels(1920, 0));
    EXPECT_EQ(PixelsOf(NewImage(-1, 80, 24, 32, MakeRgba(10, 20, 30, 0))),
              Pixels(1920, MakeRgba(10, 20, 30, 255)));
    for (auto [width, height] : {std::pair{0, 24}, {80, -1}, {65536, 1}})
        EXPECT_EQ(NewImage(-1, width, height), 0);
}

TEST_F(DrawingTest, NumbersNameImagesAsEveryObjectKindAndAPassKeepsItsImage)
{
    int64_t first = NewImage(3, 8, 8);
    ASSERT_EQ(ImageHandle(3), first);
    Ref<Object> shown(ObjectFromHandle(first)); // as an image gadget holds it
    EXPECT_NE(NewImage(3, 8, 8), first) << "reusing a number frees the old image";
    EXPECT_EQ(shown->RetainCount(), 1) << "only the gadget's reference is left";
    int64_t dynamic = NewImage(-1, 4, 4);
    DisposeImage(123456);
    EXPECT_TRUE(ImageExists(dynamic) && ImageExists(3)) << "an unknown number frees nothing";
    EXPECT_EQ(NewImage(3, 0, 0), 0);
    EXPECT_FALSE(ImageExists(3)) << "a failed NewImage leaves its number free";
    EXPECT_EQ(BeginDrawing(ImageHandle(dynamic)), 0) << "only a canvas opens a pass";
    DisposeImage(-1);
    EXPECT_FALSE(ImageExists(dynamic));
    EXPECT_EQ(ImageHandle(dynamic) + ImageCanvas(dynamic) + ImageHandle(99), 0);

    int64_t drawn = Drawn(0), handle = ImageHandle(drawn);
    DisposeImage(drawn);
    FillBox(0, 0, 80, 24, kBlue);
    EXPECT_NE(ObjectFromHandle(handle), nullptr) << "an open pass keeps its pixels";
    EndDrawing();
    EXPECT_EQ(ObjectFromHandle(handle), nullptr);
}

TEST_F(DrawingTest, AlphaBlendLaysStraightAlphaColoursOverThePixels)
{
    struct Case {
        int64_t mode, below, above, expected;
    } cases[] = {
        {DrawingAlphaBlend, MakeRgba(10, 20, 30, 40), MakeRgba(200, 0, 0, 0), MakeRgba(10, 20, 30, 40)},
        {DrawingAlphaBlend, MakeRgba(9, 9, 9, 0), MakeRgba(50, 150, 250, 220), MakeRgba(50, 150, 250, 220)},
        {DrawingAlphaBlend, MakeRgba(255, 0, 0, 255), MakeRgba(0, 0, 255, 128), MakeRgba(127, 0, 128, 255)},
        {DrawingAlphaBlend, MakeRgba(100, 100, 100, 100), MakeRgba(200, 50, 0, 100),
         MakeRgba(162, 68, 37, 161)},
        {0, MakeRgba(100, 100, 100, 100), MakeRgba(1, 2, 3, 4), MakeRgba(1, 2, 3, 4)},
    };
    for (const Case& c : cases) {
        int64_t image = Drawn(0);
        FillBox(0, 0, 1, 1, c.below);
        SetDrawingMode(c.mode);
        FillBox(0, 0, 1, 1, c.above);
        EXPECT_EQ(PixelsOf(image)[0], static_cast<uint32_t>(c.expected)) << std::hex << c.above;
    }
}

TEST_F(DrawingTest, FillBoxTakesNegativeSizesLeftAndUpClipsAtTheEdgesAndOutlinesEachEdgePixelOnce)
{
    struct Case {
        int64_t mode, x, y, width, height, left, top, right, bottom;
    } cases[] = {
        {0, 10, 5, -4, -3, 6, 2, 10, 5},
        {0, -5, -5, 10, 10, 0, 0, 5, 5},
        {0, 75, 20, 10, 10, 75, 20, 80, 24},
        {0, 0, 0, 0, 5, 0, 0, 0, 0},
        {0, 90, 0, 5, 5, 0, 0, 0, 0},
        {DrawingOutlined, 2, 2, 6, 4, 2, 2, 8, 6},
        {DrawingOutlined, 8, 6, -6, -4, 2, 2, 8, 6},
    };
    for (const Case& c : cases) {
        int64_t image = Drawn(c.mode | DrawingAlphaBlend);
        FillBox(c.x, c.y, c.width, c.height, kHalfBlue);
        Pixels pixels = PixelsOf(image);
        for (int64_t y = 0; y < 24; ++y)
            for (int64_t x = 0; x < 80; ++x) {
                bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                bool edge = x == c.left || x == c.right - 1 || y == c.top || y == c.bottom - 1;
                bool drawn = inside && (edge || !(c.mode & DrawingOutlined));
                ASSERT_EQ(pixels[y * 80 + x], drawn ? kHalfBlue : 0)
                    << c.x << "," << c.y << " at " << x << "," << y;
            }
    }
}

TEST_F(DrawingTest, RoundBoxesAreSymmetricWithClearCornersAndTheExactColourInside)
{
    for (auto [rx, ry] : {std::pair{4, 4}, {40, 12}, {1, 1}, {0, 7}}) {
        Pixels pixels = RoundBox(80, 24, rx, ry);
        auto at = [&](int64_t x, int64_t y) { return pixels[y * 80 + x]; };
        for (int64_t y = 0; y < 24; ++y)
            for (int64_t x = 0; x < 80; ++x) {
                uint32_t pixel = at(x, y);
                bool mirrored = pixel == at(79 - x, y) && pixel == at(x, 23 - y);
                bool onCentreLine = y == 12 || x == 40;
                ASSERT_TRUE(mirrored && (pixel == kBlue || (pixel == 0 && !onCentreLine)))
                    << rx << ": " << x << "," << y;
            }
        EXPECT_EQ(at(0, 0), rx && ry ? 0 : kBlue) << rx;
    }
}

TEST_F(DrawingTest, RoundBoxRadiiAreClampedToHalfTheBoxAndSizesNormalised)
{
    EXPECT_EQ(RoundBox(80, 24, 50, 50), RoundBox(80, 24, 40, 12));
    EXPECT_EQ(RoundBox(80, 24, 30, 30), RoundBox(80, 24, 30, 12));
    EXPECT_NE(RoundBox(80, 24, 30, 12), RoundBox(80, 24, 29, 12));
    EXPECT_EQ(RoundBox(-80, -24, 4, 4), RoundBox(80, 24, 4, 4));
    EXPECT_EQ(RoundBox(80, 0, 4, 4), Pixels(1920, 0));
}

TEST_F(DrawingTest, TextIsLaidOverThePixelsOfItsBoxOnlyAndFillsItFirstUnlessTransparent)
{
    auto font = Ref<Font>::Adopt(CreateFont(u"DejaVu Sans", 12, false, false));
    auto large = Ref<Font>::Adopt(CreateFont(u"DejaVu Sans", 24, false, false));
    for (int64_t mode : {int64_t{0}, int64_t{DrawingTransparentText}}) {
        int64_t image = Drawn(mode, kBlue);
        SetDrawingFont(large->Handle());
        const double largeWidth = MeasureTextWidth(u"Birthday");
        SetDrawingFont(font->Handle());
        const double width = MeasureTextWidth(u"Birthday"), height = MeasureTextHeight(u"Birthday");
        ASSERT_TRUE(width > 20 && height > 8) << width << " x " << height;
        EXPECT_NEAR(largeWidth / width, 2, 0.2) << "the font is the one set";
        EXPECT_DOUBLE_EQ(PaintText(10, 4, u"Birthday", 0xFFFFFFFF), 10 + width);
        Pixels pixels = PixelsOf(image);
        int white = 0, blueInFilledBox = 0;
        for (int64_t y = 0; y < 24; ++y)
            for (int64_t x = 0; x < 80; ++x) {
                uint32_t pixel = pixels[y * 80 + x];
                bool inBox = x >= 10 && x < 10 + std::ceil(width) && y >= 4 && y < 4 + std::ceil(height);
                ASSERT_TRUE(inBox || pixel == kBlue) << x << "," << y;
                white += NearlyWhite(pixel);
                blueInFilledBox +=
                    pixel == kBlue && inBox && x < 10 + int64_t(width) && y < 4 + int64_t(height);
            }
        EXPECT_GT(white, 20);
        EXPECT_EQ(blueInFilledBox > 0, mode == DrawingTransparentText) << blueInFilledBox;
    }
    // Drawn again, a text gives the same pixels (the platform keeps what it drew); in another font, others.
    const auto drawn = [](const Ref<Font>& with) {
        int64_t image = Drawn(DrawingTransparentText, kBlue);
        SetDrawingFont(with->Handle());
        PaintText(10, 4, u"Birthday", 0xFFFFFFFF);
        EndDrawing();
        return PixelsOf(image);
    };
    const Pixels first = drawn(font);
    EXPECT_EQ(drawn(font), first);
    EXPECT_NE(drawn(large), first);
}

TEST_F(DrawingTest, BadgeHasClearCornersItsColourInsideAndCentredWhiteTextWithinIt)
{
    auto font = Ref<Font>::Adopt(CreateFont(u".AppleSystemUIFont", 12, false, false));
    const uint32_t colour = MakeRgba(50, 150, 250, 220);
    for (const char16_t* name :
         {u"Anniversary", u"Birthday", u"Graduation", u"Holiday", u"Meeting", u"Other", u"Vacation"}) {
        int64_t image = Drawn(DrawingAlphaBlend);
        FillBox(0, 0, 80, 24, MakeRgba(0, 0, 0, 0));
        FillRoundBox(0, 0, 80, 24, 4, 4, colour);
        Pixels box = PixelsOf(image);
        SetDrawingFont(font->Handle());
        SetDrawingMode(DrawingTransparentText);
        const double width = MeasureTextWidth(name), height = MeasureTextHeight(name);
        ASSERT_LT(width, 76) << "the name fits between the corners";
        PaintText((80 - width) * 0.5, (24 - height) * 0.5, name, MakeRgba(255, 255, 255, 255));
        EndDrawing();
        Pixels badge = PixelsOf(image);
        EXPECT_EQ(badge[0] | badge[79] | badge[23 * 80] | badge[23 * 80 + 79], 0u);
        int white = 0;
        for (size_t i = 0; i < badge.size(); ++i) {
            ASSERT_TRUE(box[i] == colour || (box[i] == 0 && badge[i] == 0))
                << "nothing outside the box, at " << i;
            ASSERT_GE(badge[i] >> 24, box[i] >> 24) << i;
            white += NearlyWhite(badge[i]);
        }
        EXPECT_GT(white, 20);
    }
}

} // namespace
