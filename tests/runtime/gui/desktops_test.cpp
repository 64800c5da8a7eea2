#include "ToolkitFixture.h"
#include "platform/Screens.h"
#include "runtime/gui/Desktops.h"

#include <cstdlib>

namespace nevalon::gui {
namespace {

using Screens = std::vector<platform::Rect>;

// Runs in a fresh process: no CountScreens has happened there yet.
TEST(DesktopsDeathTest, ScreensAreUnknownBeforeTheyAreCounted)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::SetScreensForTests(Screens{{0, 0, 1920, 1080}});
            bool unknown =
                ScreenWidth(0) == 0 && ScreenHeight(0) == 0 && ScreenLeft(0) == 0 && ScreenTop(0) == 0;
            bool known = CountScreens() == 1 && ScreenWidth(0) == 1920;
            std::exit(unknown && known ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

class DesktopsTest : public testing::ToolkitTest {};

TEST_F(DesktopsTest, ScreensAreMeasuredFromTheTopOfTheMainScreen)
{
    // A main screen, one above it and one to its left and lower.
    platform::SetScreensForTests(
        Screens{{0, 0, 1920, 1080}, {200, -900, 1600, 900}, {-1280, 300, 1280, 1024}});
    ASSERT_EQ(CountScreens(), 3);
    EXPECT_EQ(ScreenLeft(0), 0);
    EXPECT_EQ(ScreenTop(0), 0);
    EXPECT_EQ(ScreenWidth(0), 1920);
    EXPECT_EQ(ScreenHeight(0), 1080);
    EXPECT_EQ(ScreenLeft(1), 200);
    EXPECT_EQ(ScreenTop(1), -900);
    EXPECT_EQ(ScreenWidth(1), 1600);
    EXPECT_EQ(ScreenHeight(1), 900);
    EXPECT_EQ(ScreenLeft(2), -1280);
    EXPECT_EQ(ScreenTop(2), 300);
}

TEST_F(DesktopsTest, NumbersOutsideTheCountGiveZero)
{
    platform::SetScreensForTests(Screens{{10, 20, 800, 600}, {810, 20, 800, 600}});
    ASSERT_EQ(CountScreens(), 2);
    for (int64_t n : {int64_t{-1}, int64_t{2}, int64_t{1000}, int64_t{-65535}}) {
        EXPECT_EQ(ScreenLeft(n), 0) << n;
        EXPECT_EQ(ScreenTop(n), 0) << n;
        EXPECT_EQ(ScreenWidth(n), 0) << n;
        EXPECT_EQ(ScreenHeight(n), 0) << n;
    }
    // The count is the one taken last: a screen that appears later is unknown until counted again.
    platform::SetScreensForTests(Screens{{10, 20, 800, 600}, {810, 20, 800, 600}, {1610, 20, 640, 480}});
    EXPECT_EQ(ScreenWidth(2), 0);
    ASSERT_EQ(CountScreens(), 3);
    EXPECT_EQ(ScreenWidth(2), 640);
    // A screen that went away answers 0 rather than stale or invalid values.
    platform::SetScreensForTests(Screens{{10, 20, 800, 600}});
    EXPECT_EQ(ScreenWidth(2), 0);
    EXPECT_EQ(ScreenLeft(0), 10);
    EXPECT_EQ(CountScreens(), 1);
}

TEST_F(DesktopsTest, ValuesAreTruncatedTowardZero)
{
    platform::SetScreensForTests(Screens{{-100.75, -0.5, 1439.9, 899.99}});
    ASSERT_EQ(CountScreens(), 1);
    EXPECT_EQ(ScreenLeft(0), -100);
    EXPECT_EQ(ScreenTop(0), 0);
    EXPECT_EQ(ScreenWidth(0), 1439);
    EXPECT_EQ(ScreenHeight(0), 899);

    platform::SetPointerForTests(platform::Point{-5.9, 300.7});
    EXPECT_EQ(MouseScreenX(), -5);
    EXPECT_EQ(MouseScreenY(), 300);
}

TEST_F(DesktopsTest, ThePointerLiesOnTheScreenItsCoordinatesSay)
{
    platform::SetScreensForTests(Screens{{0, 0, 1920, 1080}, {200, -900, 1600, 900}});
    ASSERT_EQ(CountScreens(), 2);
    platform::SetPointerForTests(platform::Point{1000, -10});
    int64_t x = MouseScreenX(), y = MouseScreenY();
    EXPECT_EQ(y, -10);
    auto on = [&](int64_t n) {
        return ScreenLeft(n) <= x && x <= ScreenLeft(n) + ScreenWidth(n) && ScreenTop(n) <= y &&
               y <= ScreenTop(n) + ScreenHeight(n);
    };
    EXPECT_FALSE(on(0));
    EXPECT_TRUE(on(1));
}

TEST_F(DesktopsTest, ThePlatformsOwnScreensAreCounted)
{
    ASSERT_GE(CountScreens(), 1);
    EXPECT_GT(ScreenWidth(0), 0);
    EXPECT_GT(ScreenHeight(0), 0);
    // The main screen is the origin of the coordinates.
    EXPECT_EQ(ScreenLeft(0), 0);
    EXPECT_EQ(ScreenTop(0), 0);
}

} // namespace
} // namespace nevalon::gui
