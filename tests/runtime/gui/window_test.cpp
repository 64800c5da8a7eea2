#include "ToolkitFixture.h"
#include "runtime/gui/Desktops.h"
#include "runtime/gui/GadgetList.h"
#include "runtime/gui/WindowRecord.h"

#include <cmath>

namespace nevalon::gui {
namespace {

using testing::kApplicationEvent;

using Values = std::vector<double>;
using Points = std::vector<int64_t>;
using DesktopsTest = testing::ToolkitTest;

class WindowTest : public testing::ToolkitTest {
protected:
    // The frame's left and top edges and the content's width and height.
    static Values Bounds(int64_t window)
    {
        platform::Window* w = PlatformWindowOf(window);
        return {w->Frame().x, w->Frame().y, w->ContentSize().width, w->ContentSize().height};
    }
    static bool CentredIn(int64_t window, platform::Rect area)
    {
        platform::Rect f = PlatformWindowOf(window)->Frame();
        return f.x == area.x + std::trunc((area.width - f.width) / 2) &&
               f.y == area.y + std::trunc((area.height - f.height) / 2);
    }
};

TEST_F(WindowTest, CreateWindowAnswersTheHandleForAFixedNumberAndTheNumberForMinusOne)
{
    int64_t handle = CreateWindow(1, 10, 20, 200, 100, u"fixed");
    EXPECT_EQ(handle, WindowHandle(1));
    int64_t dynamic = CreateWindow(-1, 10, 20, 200, 100, u"dynamic");
    EXPECT_EQ(WindowNumberOf(*PlatformWindowOf(dynamic)), dynamic);
    for (int64_t n : {int64_t{0}, int64_t{2}, int64_t{-2}, dynamic + 8}) {
        EXPECT_EQ(WindowExists(n) + WindowHandle(n) + WindowLeft(n) + WindowInnerHeight(n), 0) << n;
        DestroyWindow(n);
    }
    EXPECT_EQ(CreateWindow(int64_t{1} << 45, 0, 0, 100, 100, u"refused"), 0);
    // A live number given again closes the old window, whose notifications then reach nobody.
    platform::Ref<platform::Window> old(PlatformWindowOf(1));
    EXPECT_NE(CreateWindow(1, 10, 20, 300, 150, u"second"), handle);
    EXPECT_EQ(WindowNumberOf(*old.get()), -1);
    DestroyWindow(-1);
    EXPECT_EQ(WindowExists(1) + WindowExists(dynamic), 0);
}

TEST_F(WindowTest, WindowsArePlacedAsAskedOrCentredOnTheirScreenOrParent)
{
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1000, 800}, {1000, 0, 1000, 1000}});
    ASSERT_NE(CreateWindow(1, 30, 40, 210, 110, u"placed"), 0);
    EXPECT_EQ(Bounds(1), (Values{30, 40, 210, 110}));
    CreateWindow(2, 5, 7, 200, 101, u"centred", WindowCloseBox | WindowCentred);
    CreateWindow(3, KeepValue, 10, 300, 100, u"x unplaced");
    CreateWindow(4, 10, KeepValue, 300, 100, u"y unplaced");
    for (int64_t window : {2, 3, 4})
        EXPECT_TRUE(CentredIn(window, {0, 0, 1000, 800})) << window;
    CreateWindow(5, 1200, 300, 200, 100, u"second screen", WindowCloseBox | WindowCentred);
    EXPECT_TRUE(CentredIn(5, {1000, 0, 1000, 1000}));
    CreateWindow(6, 0, 0, 80, 60, u"dialog", WindowCloseBox | WindowCentredOnParent, WindowHandle(1));
    EXPECT_TRUE(CentredIn(6, PlatformWindowOf(1)->Frame()));
    EXPECT_EQ(PlatformWindowOf(6)->Parent(), PlatformWindowOf(1));
    // Without a parent the key window serves; without either the window stays where it was put.
    ASSERT_TRUE(PumpUntil([] { return IsKey(6); }));
    CreateWindow(7, 0, 0, 40, 30, u"over the key", WindowCloseBox | WindowCentredOnParent);
    EXPECT_TRUE(CentredIn(7, PlatformWindowOf(6)->Frame()));
    DestroyWindow(-1);
    CreateWindow(8, 33, 44, 100, 50, u"alone", WindowCloseBox | WindowCentredOnParent);
    EXPECT_EQ(Bounds(8), (Values{33, 44, 100, 50}));
}

TEST_F(WindowTest, ACentredWindowOpensInsideTheFreePartOfItsScreen)
{
    // Panels along the top of both screens and along the bottom of the second.
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1280, 800}, {1280, 0, 1024, 768}},
                                 std::vector<platform::Rect>{{0, 24, 1280, 776}, {1280, 24, 1024, 712}});
    // A dialog centred on a short window under the top panel, on one at the right edge and on one resting
    // on the bottom panel, is moved in at that edge and stays centred along the other axis; one taller
    // than the screen keeps its top edge inside.
    enum Edge { Top, Right, Bottom };
    for (auto [parent, size, edge, at] :
         {std::tuple{platform::Rect{820, 24, 460, 230}, platform::Size{320, 340}, Top, 24.0},
          std::tuple{platform::Rect{1000, 300, 300, 100}, platform::Size{400, 200}, Right, 1280.0},
          std::tuple{platform::Rect{1400, 506, 460, 230}, platform::Size{320, 340}, Bottom, 736.0},
          std::tuple{platform::Rect{100, 200, 400, 400}, platform::Size{300, 900}, Top, 24.0}}) {
        CreateWindow(1, int64_t(parent.x), int64_t(parent.y), int64_t(parent.width), int64_t(parent.height),
                     u"list", WindowBorderless);
        CreateWindow(2, 0, 0, int64_t(size.width), int64_t(size.height), u"editor",
                     WindowCloseBox | WindowCentredOnParent, WindowHandle(1));
        const platform::Rect f = PlatformWindowOf(2)->Frame();
        const double across = edge == Right ? f.y - (parent.y + std::trunc((parent.height - f.height) / 2))
                                            : f.x - (parent.x + std::trunc((parent.width - f.width) / 2));
        const double moved = edge == Top ? f.y : edge == Right ? f.x + f.width : f.y + f.height;
        EXPECT_EQ(Values({moved, across}), Values({at, 0})) << parent.x;
        DestroyWindow(-1);
    }
    CreateWindow(3, 0, 0, 600, 790, u"centred on its screen", WindowCloseBox | WindowCentred);
    EXPECT_EQ(PlatformWindowOf(3)->Frame().y, 24);
}

TEST_F(WindowTest, FlagsChooseVisibilityStyleAndTheWindowForNewGadgets)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 300, 300, u"parent"), 0);
    ASSERT_NE(CreateWindow(0, 0, 0, 10, 10, u"holder", WindowInvisible | WindowNoGadgets, WindowHandle(1)),
              0);
    ActivateWindow(0);
    Drain();
    EXPECT_FALSE(PlatformWindowOf(0)->IsVisible());
    EXPECT_EQ(PlatformWindowOf(0)->Parent(), nullptr);
    EXPECT_EQ(KxGadgetList::CurrentWindow(), 1);
    EXPECT_FALSE(PlatformWindowOf(1)->IsResizable());
    for (int64_t flags : {WindowResizable, WindowResizableCloseBox, WindowZoomed}) {
        CreateWindow(2, 0, 0, 100, 100, u"resizable", flags);
        EXPECT_TRUE(PlatformWindowOf(2)->IsResizable()) << flags;
    }
    EXPECT_EQ(KxGadgetList::CurrentWindow(), 2);
    DestroyWindow(2);
    EXPECT_EQ(KxGadgetList::CurrentWindow(), -1);
    // A window opened zoomed is at least one point wide and high.
    CreateWindow(3, 0, 0, 0, -5, u"zoomed", WindowZoomed | WindowInvisible);
    EXPECT_GE(std::min(Bounds(3)[2], Bounds(3)[3]), 1);
}

TEST_F(WindowTest, SetWindowBoundsKeepsWhatIsNotGivenAndTheTopEdge)
{
    ASSERT_NE(CreateWindow(1, 50, 60, 200, 100, u"bounds", WindowResizable), 0);
    SetWindowBounds(1, KeepValue, KeepValue, KeepValue, 150);
    EXPECT_EQ(Bounds(1), (Values{50, 60, 200, 150}));
    SetWindowBounds(1, 70, KeepValue, 250, KeepValue);
    EXPECT_EQ(Bounds(1), (Values{70, 60, 250, 150}));
    // A window the user cannot resize still takes a size from the program.
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"fixed size"), 0);
    SetWindowBounds(2, KeepValue, KeepValue, 120, 80);
    EXPECT_EQ(Bounds(2), (Values{0, 0, 120, 80}));
}

TEST_F(WindowTest, FloatingOrDisablingAWindowLeavesTheKeyboardAloneAndADisabledOneCannotBecomeKey)
{
    ASSERT_NE(CreateWindow(1, 40, 50, 100, 100, u"floating"), 0);
    OpenKey(2);
    SetWindowFloating(1, 5);
    SetWindowDisabled(1, true);
    ActivateWindow(1);
    Drain();
    EXPECT_TRUE(IsKey(2));
    EXPECT_EQ(PlatformWindowOf(1)->Level(), platform::WindowLevel::Floating);
    EXPECT_EQ(Bounds(1), (Values{40, 50, 100, 100}));
    SetWindowDisabled(1, false);
    SetWindowFloating(1, 0);
    Drain();
    EXPECT_TRUE(IsKey(2));
    EXPECT_EQ(PlatformWindowOf(1)->Level(), platform::WindowLevel::Normal);
    ActivateWindow(1);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
}

TEST_F(WindowTest, ClosingTheKeyWindowReactivatesTheOneItOpenedOverOrTheFirstVisibleOne)
{
    ASSERT_NE(CreateWindow(0, 0, 0, 100, 100, u"first in the table"), 0);
    OpenKey(1);
    OpenKey(2);
    DestroyWindow(2);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
    // Closing a window that is not key activates nothing.
    OpenKey(2);
    OpenKey(3);
    DestroyWindow(2);
    Drain();
    EXPECT_TRUE(IsKey(3));
    // With the window it opened over hidden: the first visible one before that window in the table.
    ASSERT_NE(CreateWindow(4, 0, 0, 100, 100, u"after it", WindowCloseBox | WindowNoActivate), 0);
    OpenKey(5);
    PlatformWindowOf(3)->Miniaturize();
    ASSERT_TRUE(PumpUntil([] { return IsKey(5) && !PlatformWindowOf(3)->IsVisible(); }));
    DestroyWindow(5);
    EXPECT_TRUE(PumpUntil([] { return IsKey(0); }));
    // With it gone: the first visible window of the table.
    DestroyWindow(0);
    OpenKey(6);
    ASSERT_NE(CreateWindow(0, 0, 0, 10, 10, u"hidden", WindowInvisible), 0);
    OpenKey(7);
    DestroyWindow(6);
    ASSERT_TRUE(PumpUntil([] { return IsKey(7); }));
    DestroyWindow(7);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
}

TEST_F(WindowTest, AClosedWindowLeavesNoQueuedEventsBehind)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"closed by the platform"), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"stays"), 0);
    int64_t dynamic = CreateWindow(-1, 0, 0, 100, 100, u"destroyed");
    Drain();
    for (int64_t window : {int64_t{1}, dynamic, int64_t{2}, int64_t{-1}}) {
        QueueEvent(kApplicationEvent, window);
        PostEvent(EventTimer, 1, window, 0);
    }
    PlatformWindowOf(1)->Close();
    DestroyWindow(dynamic);
    std::vector<int64_t> windows;
    for (const testing::SeenEvent& e : TakeQueued())
        windows.push_back(e.window);
    EXPECT_EQ(windows, (std::vector<int64_t>{2, 2, -1, -1}));
    EXPECT_EQ(WindowExists(1), 0);
    EXPECT_NE(CreateWindow(1, 0, 0, 100, 100, u"again"), 0);
}

Points ScreenBounds(int64_t n)
{
    return {ScreenLeft(n), ScreenTop(n), ScreenWidth(n), ScreenHeight(n)};
}

TEST_F(DesktopsTest, ScreensAreMeasuredFromTheTopOfTheMainScreenInWholePoints)
{
    // The desktop's own main screen is the origin.
    ASSERT_GE(CountScreens(), 1);
    EXPECT_EQ(ScreenLeft(0) + ScreenTop(0), 0);
    EXPECT_GT(ScreenWidth(0) * ScreenHeight(0), 0);
    // A main screen, one above it and one to its left and lower, in fractions of points.
    platform::SetScreensForTests(std::vector<platform::Rect>{
        {0, 0, 1920, 1080}, {200.9, -900.5, 1600, 900}, {-1280.7, 300, 1279.9, 1024}});
    ASSERT_EQ(CountScreens(), 3);
    EXPECT_EQ(ScreenBounds(1), (Points{200, -900, 1600, 900}));
    EXPECT_EQ(ScreenBounds(2), (Points{-1280, 300, 1279, 1024}));
    for (int64_t n : {int64_t{-1}, int64_t{3}, int64_t{-65535}})
        EXPECT_EQ(ScreenBounds(n), Points(4, 0)) << n;
    platform::SetPointerForTests(platform::Point{-5.9, -300.7});
    EXPECT_EQ(MouseScreenX(), -5);
    EXPECT_EQ(MouseScreenY(), -300);
    // The count is the one taken last; a screen that went away answers 0, not stale values.
    platform::SetScreensForTests(std::vector<platform::Rect>(4, {0, 0, 640, 480}));
    EXPECT_EQ(ScreenWidth(3), 0);
    ASSERT_EQ(CountScreens(), 4);
    EXPECT_EQ(ScreenWidth(3), 640);
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 800, 600}});
    EXPECT_EQ(ScreenWidth(3), 0);
}

} // namespace
} // namespace nevalon::gui
