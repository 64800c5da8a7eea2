#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "platform/testing/TestSeams.h"

namespace nevalon::gui {
namespace {

using testing::ToolkitTest;

TEST_F(ToolkitTest, AQuitRequestFromTheDesktopBecomesTheQuitMenuItem)
{
    platform::PostQuitRequestForTests();
    EXPECT_EQ(WaitEvent(1000), EventMenu);
    EXPECT_EQ(EventMenuItem(), -4);
    EXPECT_EQ(EventWindow(), -1);
    EXPECT_EQ(EventSubtype(), 0);
    EXPECT_TRUE(platform::ApplicationStarted());
}

} // namespace
} // namespace nevalon::gui
