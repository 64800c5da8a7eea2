#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Image.h"

#include <gtest/gtest.h>

namespace nevalon::platform {
namespace {

class SymbolImageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(testing::StartPlatform()); }

    static uint32_t Alpha(uint32_t rgba) { return rgba >> 24; }

    // How many pixels of a rectangle carry ink.
    static int Inked(const Image& image, int x0, int y0, int x1, int y1)
    {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += Alpha(image.PixelAt(x, y)) > 128;
        return count;
    }
};

TEST_F(SymbolImageTest, EachSymbolTheApplicationUsesHasAPictureInkedInsideAndClearAtTheCorners)
{
    for (const char* name : {"calendar.badge.clock", "gearshape.fill", "trash"}) {
        SCOPED_TRACE(name);
        Ref<Image> image = Ref<Image>::Adopt(CreateSystemSymbolImage(name));
        ASSERT_TRUE(image);
        int w = image->PixelWidth(), h = image->PixelHeight();
        ASSERT_GE(w, 16);
        ASSERT_GE(h, 16);
        EXPECT_GT(image->PointSize().width, 0);
        EXPECT_GT(Inked(*image.get(), w / 4, h / 4, 3 * w / 4, 3 * h / 4), w * h / 32);
        EXPECT_EQ(Alpha(image->PixelAt(0, 0)), 0u);
        EXPECT_EQ(Alpha(image->PixelAt(w - 1, 0)), 0u);
    }
}

TEST_F(SymbolImageTest, SymbolsTakeTheTextColourOfTheAppearanceAtTheirMaking)
{
    // The mean red of the inked pixels: low for dark ink, high for light ink.
    auto ink = [] {
        Ref<Image> image = Ref<Image>::Adopt(CreateSystemSymbolImage("trash"));
        double red = 0, inked = 0;
        for (int y = 0; y < image->PixelHeight(); ++y)
            for (int x = 0; x < image->PixelWidth(); ++x)
                if (Alpha(image->PixelAt(x, y)) > 128) red += image->PixelAt(x, y) & 0xFF, ++inked;
        return red / inked;
    };
    SetAppearance(false);
    const double light = ink();
    SetAppearance(true);
    const double dark = ink();
    SetAppearance(false);
    EXPECT_LT(light, 128);
    EXPECT_GT(dark, 128);
    EXPECT_EQ(ink(), light);
}

// The message's image is autoreleased: it goes with the pool.
TEST_F(SymbolImageTest, MessagesMakeAnImageOfAKnownSymbolAndSetItsSizeInPoints)
{
    EXPECT_EQ(CreateSystemSymbolImage("no.such.symbol"), nullptr);
    EXPECT_EQ(CreateSystemSymbolImage(""), nullptr);
    MessageResult result;
    const auto symbol = [&result](const char16_t* name) {
        const int64_t args[] = {MakeString(name), 0};
        EXPECT_TRUE(
            SendClassMessage("NSImage", "imageWithSystemSymbolName:accessibilityDescription:", args, result));
        return result.AsInteger();
    };
    EXPECT_EQ(symbol(u"no.such.symbol"), 0);
    const int64_t image = symbol(u"trash");
    ASSERT_NE(ObjectFromHandle(image), nullptr);

    const double size[2] = {78, 22};
    const int64_t sizeArgs[] = {MakeData(size, sizeof size)};
    ASSERT_TRUE(SendMessage(image, "setSize:", sizeArgs, result));
    ASSERT_TRUE(SendMessage(image, "size", {}, result));
    ASSERT_EQ(result.size, sizeof(Size));
    Size answered;
    std::memcpy(&answered, result.bytes.data(), sizeof answered);
    EXPECT_EQ(answered.width, 78);
    EXPECT_EQ(answered.height, 22);
    DrainAutoreleasePool();
    EXPECT_EQ(ObjectFromHandle(image), nullptr);
}

} // namespace
} // namespace nevalon::platform
