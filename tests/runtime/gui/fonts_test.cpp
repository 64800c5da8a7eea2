#include "ToolkitFixture.h"
#include "platform/Font.h"
#include "runtime/gui/Fonts.h"

#include <cmath>

namespace nevalon::gui {
namespace {

using FontsTest = testing::ToolkitTest;

const platform::Font* PlatformFont(int64_t handle)
{
    return dynamic_cast<const platform::Font*>(platform::ObjectFromHandle(handle));
}

TEST_F(FontsTest, AFamilyTheDesktopHasIsKeptAnyOtherGivesTheSystemFontWithTheRequestedSizeAndTraits)
{
    std::u16string system = PlatformFont(OpenFont(0, u"", 12))->Family();
    EXPECT_FALSE(system.empty());
    struct Case {
        std::u16string family;
        double size;
        int64_t flags;
        std::u16string used;
    };
    // Only the exact name of a family the desktop has keeps it.
    for (const Case& c : {Case{u".AppleSystemUIFont", 13, FontBold | FontItalic, system},
                          Case{u"DejaVu Sans", 9.5, FontItalic, u"DejaVu Sans"},
                          Case{u"dejavu sans", 12, FontBold, system}}) {
        const platform::Font* font = PlatformFont(OpenFont(1, c.family, c.size, c.flags));
        ASSERT_NE(font, nullptr) << c.size;
        EXPECT_EQ(font->Family(), c.used);
        EXPECT_EQ(font->PointSize(), c.size);
        EXPECT_EQ(font->Bold() * FontBold | font->Italic() * FontItalic, c.flags);
    }
    DisposeFont(-1);
}

TEST_F(FontsTest, NumbersAreFixedOrNewAndAFailedOpenLeavesTheNumberFree)
{
    int64_t objects = platform::LiveObjectCount();
    int64_t fixed = OpenFont(3, u"DejaVu Sans", 12);
    int64_t dynamic = OpenFont(-1, u"DejaVu Sans", 12);
    EXPECT_EQ(FontHandle(3), fixed);
    EXPECT_NE(PlatformFont(FontHandle(dynamic)), nullptr);
    EXPECT_EQ(PlatformFont(dynamic), nullptr);
    // Reopening a live number replaces its font.
    EXPECT_NE(OpenFont(3, u"DejaVu Sans", 14), 0);
    EXPECT_EQ(PlatformFont(FontHandle(3))->PointSize(), 14);
    EXPECT_EQ(platform::LiveObjectCount(), objects + 2);
    for (double badSize : {0.0, -12.0, std::nan("")})
        EXPECT_EQ(OpenFont(3, u"DejaVu Sans", badSize), 0) << badSize;
    EXPECT_EQ(OpenFont(-2, u"DejaVu Sans", 12), 0);
    for (int64_t unknown : {int64_t{3}, int64_t{-2}, fixed, dynamic + 8}) {
        EXPECT_EQ(FontExists(unknown), 0) << unknown;
        EXPECT_EQ(FontHandle(unknown), 0) << unknown;
        DisposeFont(unknown);
    }
    OpenFont(0, u"DejaVu Sans", 12);
    EXPECT_EQ(FontExists(dynamic), 1);
    DisposeFont(-1);
    EXPECT_EQ(FontExists(0) + FontExists(dynamic), 0);
    EXPECT_EQ(platform::LiveObjectCount(), objects);
}

} // namespace
} // namespace nevalon::gui
