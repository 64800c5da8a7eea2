#include "ToolkitFixture.h"
#include "runtime/gui/KxWindowEvents.h"
#include "runtime/gui/WindowRecord.h"

#include <algorithm>
#include <tuple>

namespace nevalon::gui {
namespace {

using Codes = std::vector<int64_t>;

class WindowEventsTest : public testing::ToolkitTest {
protected:
    // The codes among `watched` that the platform has posted for the window, in order.
    static Codes Posted(int64_t window,
                        Codes watched = {EventSizeWindow, EventMaximizeWindow, EventRestoreWindow},
                        const testing::Events& events = TakeQueued(true))
    {
        Codes codes;
        for (const testing::SeenEvent& e : events)
            if (e.window == window && std::find(watched.begin(), watched.end(), e.code) != watched.end())
                codes.push_back(e.code);
        return codes;
    }
    static KxWindowEvents& Delegate(int64_t window) { return *FindWindowRecord(window)->delegate; }
};

TEST_F(WindowEventsTest, AZoomPostsMaximizeOrRestoreOnceBeforeTheOneSizeEventOfItsResizes)
{
    OpenKey(1, WindowResizableCloseBox);
    platform::Window& w = *PlatformWindowOf(1);
    platform::Rect f = w.Frame();
    // Larger in either direction is a maximize, anything else a restore.
    for (auto [proposed, code] : {std::pair{platform::Rect{0, 0, f.width + 1, 1}, EventMaximizeWindow},
                                  std::pair{platform::Rect{0, 0, 1, f.height + 1}, EventMaximizeWindow},
                                  std::pair{f, EventRestoreWindow}}) {
        Delegate(1).DidResize(w);
        Delegate(1).ShouldZoom(w, proposed);
        EXPECT_EQ(Posted(1), Codes{EventSizeWindow});
        for (int i = 0; i < 3; ++i)
            Delegate(1).DidResize(w);
        EXPECT_EQ(Posted(1), (Codes{code, EventSizeWindow}));
    }
    // Leaving full screen replaces the size event of entering it; other windows keep theirs.
    Delegate(1).DidEnterFullScreen(w);
    Delegate(1).DidExitFullScreen(w);
    EXPECT_EQ(Posted(1), (Codes{EventMaximizeWindow, EventSizeWindow, EventRestoreWindow}));
    OpenKey(2);
    Delegate(2).DidResize(*PlatformWindowOf(2));
    Delegate(1).DidResize(w);
    EXPECT_EQ(TakeQueued().size(), 2u);
}

TEST_F(WindowEventsTest, PlatformChangesPostTheirEvents)
{
    OpenKey(1, WindowResizableCloseBox | WindowMiniaturizableCloseBox);
    // Opening windows moves the keyboard, but a window opened zoomed or miniaturized does not announce it.
    CreateWindow(2, 0, 0, 200, 100, u"zoomed", WindowZoomed | WindowCloseBox);
    CreateWindow(3, 0, 0, 200, 100, u"miniaturized", WindowMiniaturized | WindowCloseBox);
    testing::Events events = TakeQueued(true);
    EXPECT_TRUE(PlatformWindowOf(2)->IsZoomed() && PlatformWindowOf(3)->IsMiniaturized());
    const Codes activation{EventActivateWindow, EventDeactivateWindow};
    const Codes zoom{EventMinimizeWindow, EventMaximizeWindow, EventRestoreWindow};
    EXPECT_EQ(Posted(1, activation, events), Codes{EventDeactivateWindow});
    EXPECT_EQ(Posted(2, activation, events).front(), EventActivateWindow);
    EXPECT_EQ(Posted(2, zoom, events), Codes{});
    EXPECT_EQ(Posted(3, zoom, events), Codes{});
    platform::Window& w = *PlatformWindowOf(1);
    SetWindowBounds(1, KeepValue, KeepValue, KeepValue, KeepValue);
    EXPECT_EQ(Posted(1, {EventRepaint}), Codes{EventRepaint});
    SetWindowBounds(1, 60, 70, KeepValue, KeepValue);
    EXPECT_EQ(Posted(1, {EventMoveWindow, EventSizeWindow}), Codes{EventMoveWindow});
    for (int64_t width = 210; width <= 300; width += 10)
        SetWindowBounds(1, KeepValue, KeepValue, width, 120);
    EXPECT_EQ(Posted(1), Codes{EventSizeWindow});
    // Deminiaturizing maximizes a zoomed window again, and restores any other.
    for (int64_t code : {EventMaximizeWindow, EventRestoreWindow}) {
        w.Zoom();
        EXPECT_EQ(Posted(1), (Codes{code, EventSizeWindow}));
        Delegate(1).DidDeminiaturize(w);
        EXPECT_EQ(Posted(1), Codes{code});
    }
    w.Miniaturize();
    EXPECT_EQ(Posted(1, zoom), Codes{EventMinimizeWindow});
}

TEST_F(WindowEventsTest, ClicksPostSingleAndDoubleClicksButNothingForMore)
{
    OpenKey(1);
    // Series a minute apart, but for the one click 100 ms after a double click.
    for (auto [clicks, right, atMilliseconds, codes] :
         {std::tuple{1, false, 60'000, Codes{EventLeftClick}},
          std::tuple{2, false, 120'000, Codes{EventLeftClick, EventLeftDoubleClick}},
          std::tuple{1, false, 120'100, Codes{}}, std::tuple{1, false, 180'000, Codes{EventLeftClick}},
          std::tuple{3, false, 240'000, Codes{EventLeftClick, EventLeftDoubleClick}},
          std::tuple{4, false, 300'000, Codes{EventLeftClick, EventLeftDoubleClick}},
          std::tuple{1, true, 360'000, Codes{EventRightClick}},
          std::tuple{2, true, 420'000, Codes{EventRightClick}}}) {
        platform::PostClickForTests(*PlatformWindowOf(1), {10, 10}, clicks, right, atMilliseconds);
        EXPECT_EQ(Posted(1, {EventRightClick, EventLeftClick, EventLeftDoubleClick}), codes)
            << clicks << (right ? " right" : " left") << " at " << atMilliseconds;
    }
}

} // namespace
} // namespace nevalon::gui
