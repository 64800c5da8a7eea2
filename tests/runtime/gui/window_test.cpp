#include "ToolkitFixture.h"
#include "platform/Object.h"
#include "platform/Screens.h"
#include "platform/Window.h"
#include "runtime/gui/WindowRecord.h"

namespace nevalon::gui {
namespace {

using testing::ToolkitTest;

class WindowTest : public ToolkitTest {
protected:
    static platform::Rect FrameOf(int64_t window) { return PlatformWindowOf(window)->Frame(); }
};

TEST_F(WindowTest, CreateWindowReturnsTheHandleForAFixedNumberAndTheNumberForMinusOne)
{
    int64_t handle = CreateWindow(1, 10, 20, 200, 100, u"fixed");
    ASSERT_NE(handle, 0);
    EXPECT_EQ(handle, WindowHandle(1));
    EXPECT_NE(platform::ObjectFromHandle(handle), nullptr);
    EXPECT_EQ(WindowExists(1), 1);
    EXPECT_EQ(PlatformWindowOf(1)->Title(), u"fixed");

    int64_t a = CreateWindow(-1, 10, 20, 200, 100, u"dynamic a");
    int64_t b = CreateWindow(-1, 10, 20, 200, 100, u"dynamic b");
    ASSERT_NE(a, 0);
    ASSERT_NE(b, 0);
    EXPECT_NE(a, b);
    EXPECT_NE(a, handle);
    EXPECT_EQ(WindowExists(a), 1);
    EXPECT_EQ(PlatformWindowOf(b)->Title(), u"dynamic b");
    // The toolkit knows the platform window by its number.
    EXPECT_EQ(WindowNumberOf(*PlatformWindowOf(a)), a);
    EXPECT_EQ(WindowNumberOf(*PlatformWindowOf(1)), 1);

    DestroyWindow(a);
    EXPECT_EQ(WindowExists(a), 0);
    EXPECT_EQ(WindowHandle(a), 0);
    EXPECT_EQ(WindowExists(b), 1);
    EXPECT_EQ(WindowExists(1), 1);
}

TEST_F(WindowTest, NumbersThatNameNoWindowDoNothing)
{
    ASSERT_NE(CreateWindow(1, 10, 20, 200, 100, u"only"), 0);
    int64_t dynamic = CreateWindow(-1, 10, 20, 200, 100, u"dynamic");
    for (int64_t n : {int64_t{0}, int64_t{2}, int64_t{9}, int64_t{-2}, int64_t{123456789}, dynamic + 8}) {
        EXPECT_EQ(WindowExists(n), 0) << n;
        EXPECT_EQ(WindowHandle(n), 0) << n;
        EXPECT_EQ(WindowLeft(n), 0) << n;
        EXPECT_EQ(WindowInnerHeight(n), 0) << n;
        SetWindowCaption(n, u"ignored");
        SetWindowBounds(n, 1, 2, 3, 4);
        SetWindowFloating(n, 1);
        ActivateWindow(n);
        DestroyWindow(n);
    }
    EXPECT_EQ(WindowExists(1), 1);
    EXPECT_EQ(WindowExists(dynamic), 1);
    EXPECT_EQ(PlatformWindowOf(1)->Title(), u"only");

    // A number no table can hold opens nothing.
    EXPECT_EQ(CreateWindow(int64_t{1} << 45, 0, 0, 100, 100, u"refused"), 0);
    EXPECT_EQ(WindowExists(int64_t{1} << 45), 0);
}

TEST_F(WindowTest, ReusingALiveNumberClosesTheOldWindow)
{
    int64_t first = CreateWindow(3, 10, 20, 200, 100, u"first");
    platform::Ref<platform::Window> old(PlatformWindowOf(3));
    int64_t second = CreateWindow(3, 10, 20, 300, 150, u"second");
    ASSERT_NE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_TRUE(old->IsClosed());
    EXPECT_EQ(WindowHandle(3), second);
    EXPECT_EQ(WindowInnerHeight(3), 150);
    // The old window's delegate is gone: its notifications reach nobody.
    EXPECT_EQ(old->Delegate(), nullptr);
    EXPECT_EQ(WindowNumberOf(*old.get()), -1);
}

TEST_F(WindowTest, NewGadgetsGoToTheLastWindowOpenedWithoutFlag4096)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"list"), 0);
    EXPECT_EQ(GadgetListWindow(), 1);
    int64_t dynamic = CreateWindow(-1, 0, 0, 100, 100, u"dynamic");
    EXPECT_EQ(GadgetListWindow(), dynamic);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"no gadgets", WindowCloseBox | WindowNoGadgets), 0);
    EXPECT_EQ(GadgetListWindow(), dynamic);
    DestroyWindow(1);
    EXPECT_EQ(GadgetListWindow(), dynamic);
    DestroyWindow(dynamic);
    EXPECT_EQ(GadgetListWindow(), -1);
}

TEST_F(WindowTest, MinusOneClosesEveryWindow)
{
    CreateWindow(0, 0, 0, 50, 50, u"hidden", WindowInvisible);
    CreateWindow(12, 0, 0, 50, 50, u"beyond the first slots");
    int64_t dynamic = CreateWindow(-1, 0, 0, 50, 50, u"dynamic");
    DestroyWindow(-1);
    EXPECT_EQ(WindowExists(0), 0);
    EXPECT_EQ(WindowExists(12), 0);
    EXPECT_EQ(WindowExists(dynamic), 0);
}

TEST_F(WindowTest, PositionAndSizeAreThoseAskedFor)
{
    ASSERT_NE(CreateWindow(1, 30, 40, 210, 110, u"placed"), 0);
    platform::Window* w = PlatformWindowOf(1);
    EXPECT_EQ(WindowLeft(1), 30);
    EXPECT_EQ(w->Frame().y, 40);
    EXPECT_EQ(w->ContentSize().width, 210);
    EXPECT_EQ(WindowInnerHeight(1), 110);
    EXPECT_TRUE(w->IsVisible());
}

TEST_F(WindowTest, FlagSixtyFourOrAnUnplacedCoordinateCentresOnTheScreen)
{
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1000, 800}});
    ASSERT_NE(CreateWindow(1, 5, 7, 200, 100, u"centred", WindowCloseBox | WindowCentred), 0);
    platform::Rect f = FrameOf(1);
    EXPECT_EQ(f.x, (1000 - f.width) / 2);
    EXPECT_EQ(f.y, (800 - f.height) / 2);
    EXPECT_EQ(WindowInnerHeight(1), 100);

    // -65535 for x or for y centres without flag 64.
    ASSERT_NE(CreateWindow(2, KeepValue, 10, 300, 100, u"x unplaced", WindowCloseBox), 0);
    EXPECT_EQ(FrameOf(2).x, (1000 - FrameOf(2).width) / 2);
    EXPECT_EQ(FrameOf(2).y, (800 - FrameOf(2).height) / 2);
    ASSERT_NE(CreateWindow(3, 10, KeepValue, 300, 101, u"y unplaced", WindowCloseBox), 0);
    EXPECT_EQ(FrameOf(3).x, (1000 - FrameOf(3).width) / 2);
    // Odd leftovers are truncated.
    EXPECT_EQ(FrameOf(3).y, static_cast<int64_t>((800 - FrameOf(3).height) / 2));

    // Without either the window stays where it was put.
    ASSERT_NE(CreateWindow(4, 10, 20, 300, 100, u"placed", WindowCloseBox), 0);
    EXPECT_EQ(FrameOf(4).x, 10);
    EXPECT_EQ(FrameOf(4).y, 20);
}

TEST_F(WindowTest, CentringUsesTheScreenTheWindowIsOn)
{
    // A second screen to the right of the main one.
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 800, 600}, {800, 0, 1000, 1000}});
    ASSERT_NE(CreateWindow(1, 1200, 300, 200, 100, u"on the second", WindowCloseBox | WindowCentred), 0);
    platform::Rect f = FrameOf(1);
    EXPECT_EQ(f.x, 800 + (1000 - f.width) / 2);
    EXPECT_EQ(f.y, (1000 - f.height) / 2);
}

TEST_F(WindowTest, FlagTwoFiftySixCentresOnTheParentOrTheKeyWindow)
{
    int64_t parent = CreateWindow(1, 100, 50, 400, 300, u"parent");
    ASSERT_NE(parent, 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 200, 100, u"dialog", WindowCloseBox | WindowCentredOnParent, parent), 0);
    platform::Rect p = FrameOf(1), d = FrameOf(2);
    EXPECT_EQ(d.x, p.x + (p.width - d.width) / 2);
    EXPECT_EQ(d.y, p.y + (p.height - d.height) / 2);
    EXPECT_EQ(PlatformWindowOf(2)->Parent(), PlatformWindowOf(1));

    // Without a parent the key window serves.
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    ASSERT_NE(CreateWindow(3, 0, 0, 100, 50, u"over the key", WindowCloseBox | WindowCentredOnParent), 0);
    platform::Rect k = FrameOf(3);
    EXPECT_EQ(k.x, d.x + (d.width - k.width) / 2);
    EXPECT_EQ(k.y, d.y + (d.height - k.height) / 2);
    EXPECT_EQ(PlatformWindowOf(3)->Parent(), nullptr);
}

TEST_F(WindowTest, FlagTwoFiftySixWithoutParentOrKeyWindowLeavesThePosition)
{
    ASSERT_EQ(platform::KeyWindow(), nullptr);
    ASSERT_NE(CreateWindow(1, 33, 44, 100, 50, u"alone", WindowCloseBox | WindowCentredOnParent), 0);
    EXPECT_EQ(FrameOf(1).x, 33);
    EXPECT_EQ(FrameOf(1).y, 44);
}

TEST_F(WindowTest, AnInvisibleWindowIsNotShownNorAttachedToItsParent)
{
    int64_t parent = CreateWindow(1, 0, 0, 300, 300, u"parent");
    ASSERT_NE(CreateWindow(0, 0, 0, 10, 10, u"holder", WindowInvisible, parent), 0);
    platform::Window* holder = PlatformWindowOf(0);
    EXPECT_FALSE(holder->IsVisible());
    EXPECT_EQ(holder->Parent(), nullptr);
    PumpUntil([] { return IsKey(1); });
    EXPECT_FALSE(holder->IsKey());
    // Activating an invisible window leaves it alone.
    ActivateWindow(0);
    Drain();
    EXPECT_FALSE(holder->IsVisible());
}

TEST_F(WindowTest, FlagsChooseTheWindowsStyle)
{
    CreateWindow(1, 0, 0, 100, 100, u"fixed size", WindowCloseBox);
    EXPECT_FALSE(PlatformWindowOf(1)->IsResizable());
    for (int64_t flags : {WindowResizable, WindowResizableCloseBox, WindowZoomed}) {
        CreateWindow(2, 0, 0, 100, 100, u"resizable", flags);
        EXPECT_TRUE(PlatformWindowOf(2)->IsResizable()) << flags;
    }
    // An opened zoomed window is at least one point wide and high.
    CreateWindow(3, 0, 0, 0, -5, u"zoomed", WindowZoomed | WindowInvisible);
    EXPECT_GE(PlatformWindowOf(3)->ContentSize().width, 1);
    EXPECT_GE(PlatformWindowOf(3)->ContentSize().height, 1);
}

TEST_F(WindowTest, SetWindowBoundsKeepsWhatIsNotGiven)
{
    ASSERT_NE(CreateWindow(1, 50, 60, 200, 100, u"bounds", WindowResizable), 0);
    SetWindowBounds(1, KeepValue, KeepValue, KeepValue, 150);
    EXPECT_EQ(WindowInnerHeight(1), 150);
    EXPECT_EQ(PlatformWindowOf(1)->ContentSize().width, 200);
    // A new height keeps the top edge.
    EXPECT_EQ(FrameOf(1).y, 60);
    EXPECT_EQ(WindowLeft(1), 50);

    SetWindowBounds(1, 70, KeepValue, 250, KeepValue);
    EXPECT_EQ(WindowLeft(1), 70);
    EXPECT_EQ(FrameOf(1).y, 60);
    EXPECT_EQ(PlatformWindowOf(1)->ContentSize().width, 250);
    EXPECT_EQ(WindowInnerHeight(1), 150);

    SetWindowBounds(1, KeepValue, 90, KeepValue, KeepValue);
    EXPECT_EQ(WindowLeft(1), 70);
    EXPECT_EQ(FrameOf(1).y, 90);

    // A window that is not resizable by the user still takes a new size from the program.
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"fixed"), 0);
    SetWindowBounds(2, KeepValue, KeepValue, 120, 80);
    EXPECT_EQ(PlatformWindowOf(2)->ContentSize().width, 120);
    EXPECT_EQ(WindowInnerHeight(2), 80);
}

TEST_F(WindowTest, CaptionAndFloatingLevel)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"before"), 0);
    SetWindowCaption(1, u"after \u00e9\u4e2d");
    EXPECT_EQ(PlatformWindowOf(1)->Title(), u"after \u00e9\u4e2d");

    SetWindowFloating(1, 5);
    EXPECT_EQ(PlatformWindowOf(1)->Level(), platform::WindowLevel::Floating);
    EXPECT_TRUE(PlatformWindowOf(1)->IsVisible());
    SetWindowFloating(1, 0);
    EXPECT_EQ(PlatformWindowOf(1)->Level(), platform::WindowLevel::Normal);
}

TEST_F(WindowTest, ANewWindowBecomesKeyAndActivateWindowMakesAnotherKey)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"first"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"second"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    EXPECT_FALSE(IsKey(1));
    ActivateWindow(1);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
    EXPECT_FALSE(IsKey(2));
}

TEST_F(WindowTest, ClosingTheKeyWindowReactivatesTheOneItOpenedOver)
{
    ASSERT_NE(CreateWindow(0, 0, 0, 100, 100, u"first in the table"), 0);
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"list"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"editor"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));

    DestroyWindow(2);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
    EXPECT_FALSE(IsKey(0));
}

TEST_F(WindowTest, WhenThePreviousKeyWindowIsHiddenTheFirstVisibleWindowBeforeItIsActivated)
{
    ASSERT_NE(CreateWindow(3, 0, 0, 100, 100, u"was key"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(3); }));
    ASSERT_NE(CreateWindow(5, 0, 0, 100, 100, u"closing"), 0);
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"first visible"), 0);
    ASSERT_NE(CreateWindow(4, 0, 0, 100, 100, u"after the recorded one"), 0);
    PlatformWindowOf(3)->Miniaturize();
    ActivateWindow(5);
    ASSERT_TRUE(PumpUntil([] { return IsKey(5) && !PlatformWindowOf(3)->IsVisible(); }));

    DestroyWindow(5);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
}

TEST_F(WindowTest, WhenThePreviousKeyWindowIsGoneTheFirstVisibleWindowIsActivated)
{
    ASSERT_NE(CreateWindow(4, 0, 0, 100, 100, u"was key"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(4); }));
    ASSERT_NE(CreateWindow(0, 0, 0, 10, 10, u"hidden", WindowInvisible), 0);
    ASSERT_NE(CreateWindow(6, 0, 0, 100, 100, u"visible", WindowCloseBox | WindowNoActivate), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"closing"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    DestroyWindow(4);
    ActivateWindow(2);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));

    DestroyWindow(2);
    EXPECT_TRUE(PumpUntil([] { return IsKey(6); }));
}

TEST_F(WindowTest, ClosingAWindowThatIsNotKeyActivatesNothing)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"first"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"second"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    ASSERT_NE(CreateWindow(3, 0, 0, 100, 100, u"third"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(3); }));
    // Window 2 opened over 1, but it is not key when it closes.
    DestroyWindow(2);
    Drain();
    EXPECT_TRUE(IsKey(3));
}

TEST_F(WindowTest, ADisabledWindowCannotBecomeKey)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"disabled"), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"enabled"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    SetWindowDisabled(1, true);
    EXPECT_TRUE(FindWindowRecord(1)->disabled);
    ActivateWindow(1);
    Drain();
    EXPECT_FALSE(IsKey(1));
    EXPECT_TRUE(PlatformWindowOf(1)->IsVisible());

    SetWindowDisabled(1, false);
    ActivateWindow(1);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
}

TEST_F(WindowTest, ChangingTheLevelLeavesTheKeyboardWhereItWas)
{
    ASSERT_NE(CreateWindow(1, 40, 50, 100, 100, u"floating"), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"key"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(2); }));
    SetWindowFloating(1, 1);
    Drain();
    EXPECT_TRUE(IsKey(2));
    EXPECT_TRUE(PlatformWindowOf(1)->IsVisible());
    EXPECT_EQ(WindowLeft(1), 40);
    SetWindowFloating(1, 0);
    Drain();
    EXPECT_TRUE(IsKey(2));
}

TEST_F(WindowTest, TheCloseBoxPostsTwoAndTheWindowStaysOpen)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"asks"), 0);
    Drain();
    platform::PostCloseRequestForTests(*PlatformWindowOf(1));
    auto events = Collect();
    EXPECT_EQ(std::count(events.begin(), events.end(), std::pair<int64_t, int64_t>{EventCloseWindow, 1}), 1);
    EXPECT_EQ(WindowExists(1), 1);
    EXPECT_TRUE(PlatformWindowOf(1)->IsVisible());
    EXPECT_FALSE(PlatformWindowOf(1)->IsClosed());
}

TEST_F(WindowTest, AWindowClosedByThePlatformLeavesNothingBehind)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"closed from outside"), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"stays"), 0);
    Drain();
    QueueEvent(66036, 1);
    QueueEvent(66036, 2);
    PostEvent(EventMoveWindow, 1, 1, 0);
    PlatformWindowOf(1)->Close();
    EXPECT_EQ(WindowExists(1), 0);
    // Only the other window's event is left.
    ASSERT_EQ(DequeueEvent(), 66036);
    EXPECT_EQ(EventWindow(), 2);
    EXPECT_EQ(DequeueEvent(), 0);
    // The number is free for a new window.
    EXPECT_NE(CreateWindow(1, 0, 0, 100, 100, u"again"), 0);
}

TEST_F(WindowTest, DestroyWindowDeletesTheWindowsQueuedEvents)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"one"), 0);
    int64_t dynamic = CreateWindow(-1, 0, 0, 100, 100, u"dynamic");
    Drain();
    QueueEvent(66036, dynamic);
    QueueEvent(66036, 1);
    PostEvent(EventTimer, 1, dynamic, 0);
    QueueEvent(66036, -1);
    DestroyWindow(dynamic);
    auto queued = TakeQueued();
    ASSERT_EQ(queued.size(), 2u);
    EXPECT_EQ(queued[0].window, 1);
    EXPECT_EQ(queued[1].window, -1);
}

} // namespace
} // namespace nevalon::gui
