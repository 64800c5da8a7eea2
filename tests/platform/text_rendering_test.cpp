#include "StartPlatform.h"
#include "platform/Font.h"
#include "platform/Object.h"
#include "platform/TextRendering.h"
#include "platform/testing/TestSeams.h"

#include <gtest/gtest.h>

namespace nevalon::platform {
namespace {

// The list window draws its badges' texts into bitmaps in the desktop's font family, at the very pixel size
// the desktop's menus use; the menus must still draw theirs at the size they were measured with.
TEST(TextRenderingTest, TextDrawnIntoABitmapLeavesTheDesktopFontAtItsOwnSize)
{
    ASSERT_TRUE(testing::StartPlatform());
    const DesktopFont desktop = DesktopFontForTests();
    ASSERT_GT(desktop.pixels, 0);
    auto font = Ref<Font>::Adopt(CreateFont(desktop.family, desktop.pixels, false, false));
    ASSERT_TRUE(font);
    EXPECT_GT(MeasureText(u"Birthday", font.get()).width, 0);
    EXPECT_FALSE(RenderTextCoverage(u"Birthday", font.get(), 80, 24, 0, 0).empty());
    EXPECT_NEAR(DesktopFontPointsAsDrawnForTests(), desktop.points, 0.5);
}

} // namespace
} // namespace nevalon::platform
