#include "ToolkitFixture.h"

#include "platform/Screens.h"
#include "platform/Window.h"

namespace nevalon::gui {
namespace {

using testing::ToolkitTest;

TEST_F(ToolkitTest, CreateWindowCentresOnScreen)
{
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1000, 800}});
    ASSERT_NE(CreateWindow(1, KeepValue, 10, 200, 100, u"a", WindowCloseBox), 0);
    EXPECT_EQ(WindowLeft(1), 400);
    EXPECT_EQ(WindowInnerHeight(1), 100);
    platform::SetScreensForTests(std::nullopt);
}

} // namespace
} // namespace nevalon::gui
