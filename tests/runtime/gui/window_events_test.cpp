#include "ToolkitFixture.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/KxWindowEvents.h"
#include "runtime/gui/WindowRecord.h"

#include <algorithm>

namespace nevalon::gui {
namespace {

using testing::SeenEvent;
using Events = std::vector<std::pair<int64_t, int64_t>>;

class WindowEventsTest : public testing::ToolkitTest {
protected:
    // Opens a resizable window and lets the platform settle, so that the queue is empty.
    KxWindowEvents& Open(int64_t window, int64_t flags = WindowResizableCloseBox)
    {
        EXPECT_NE(CreateWindow(window, 20, 20, 200, 100, u"events", flags), 0);
        PumpUntil([window] { return IsKey(window); });
        Drain();
        return *FindWindowRecord(window)->delegate;
    }
    static std::vector<int64_t> Codes(const std::vector<SeenEvent>& events)
    {
        std::vector<int64_t> codes;
        for (const SeenEvent& e : events)
            codes.push_back(e.code);
        return codes;
    }
    // The events of the given codes, in order, from what the platform delivered.
    static std::vector<int64_t> Only(const Events& events, std::vector<int64_t> codes, int64_t window)
    {
        std::vector<int64_t> kept;
        for (auto [code, w] : events)
            if (w == window && std::find(codes.begin(), codes.end(), code) != codes.end())
                kept.push_back(code);
        return kept;
    }
};

TEST_F(WindowEventsTest, ABurstOfResizesLeavesOneSizeEvent)
{
    KxWindowEvents& events = Open(1);
    platform::Window& w = *PlatformWindowOf(1);
    for (int i = 0; i < 5; ++i)
        events.DidResize(w);
    EXPECT_EQ(TakeQueued(), (std::vector<SeenEvent>{{6, 1, 1, 0}}));

    // A zoom in the burst comes first, once.
    events.DidResize(w);
    events.ShouldZoom(w, {0, 0, 5000, 5000});
    events.DidResize(w);
    events.DidResize(w);
    events.DidResize(w);
    EXPECT_EQ(Codes(TakeQueued()), (std::vector<int64_t>{13, 6}));

    // Size events of other windows stay.
    Open(2);
    events.DidResize(w);
    FindWindowRecord(2)->delegate->DidResize(*PlatformWindowOf(2));
    events.DidResize(w);
    EXPECT_EQ(TakeQueued(), (std::vector<SeenEvent>{{6, 2, 2, 0}, {6, 1, 1, 0}}));
}

TEST_F(WindowEventsTest, ABurstOfResizesFromThePlatformLeavesOneSizeEvent)
{
    Open(1);
    for (int64_t width = 210; width <= 300; width += 10)
        SetWindowBounds(1, KeepValue, KeepValue, width, 120);
    PumpPlatform();
    std::vector<int64_t> codes = Codes(TakeQueued());
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EventSizeWindow), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EventMaximizeWindow), 0);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EventRestoreWindow), 0);
    EXPECT_EQ(PlatformWindowOf(1)->ContentSize().width, 300);
}

TEST_F(WindowEventsTest, AZoomIsAMaximizeWhenTheProposedFrameIsLargerInEitherDirection)
{
    KxWindowEvents& events = Open(1);
    platform::Window& w = *PlatformWindowOf(1);
    platform::Rect f = w.Frame();
    struct Case {
        platform::Rect proposed;
        int64_t code;
    };
    for (Case c : {Case{{0, 0, f.width + 1, f.height}, 13}, Case{{0, 0, f.width, f.height + 1}, 13},
                   Case{{0, 0, f.width + 1, 1}, 13}, Case{{0, 0, 1, f.height + 1}, 13},
                   Case{{0, 0, f.width, f.height}, 14}, Case{{0, 0, 1, 1}, 14}}) {
        events.ShouldZoom(w, c.proposed);
        EXPECT_EQ(events.PendingZoomEvent(), c.code) << c.proposed.width << "x" << c.proposed.height;
        // Nothing is posted until the resize that follows.
        EXPECT_EQ(QueuedEventCount(), 0);
        events.DidResize(w);
        EXPECT_EQ(Codes(TakeQueued()), (std::vector<int64_t>{c.code, 6}));
        EXPECT_EQ(events.PendingZoomEvent(), 0);
    }
}

TEST_F(WindowEventsTest, FullScreenAndDeminiaturizingPostMaximizeOrRestore)
{
    KxWindowEvents& events = Open(1);
    platform::Window& w = *PlatformWindowOf(1);
    events.DidEnterFullScreen(w);
    events.DidExitFullScreen(w);
    // Leaving full screen replaces the size event of entering it.
    EXPECT_EQ(Codes(TakeQueued()), (std::vector<int64_t>{13, 6, 14}));

    events.ShouldZoom(w, {0, 0, 9999, 9999});
    events.DidEnterFullScreen(w);
    EXPECT_EQ(Codes(TakeQueued()), (std::vector<int64_t>{13, 6, 13}));

    // Deminiaturizing a window that is not zoomed restores it.
    events.DidDeminiaturize(w);
    EXPECT_EQ(Codes(TakeQueued()), std::vector<int64_t>{14});
    // A fixed-size window is never maximized.
    KxWindowEvents& fixed = Open(2, WindowCloseBox);
    fixed.DidDeminiaturize(*PlatformWindowOf(2));
    EXPECT_EQ(Codes(TakeQueued()), std::vector<int64_t>{14});
}

TEST_F(WindowEventsTest, ZoomingAndRestoringPostMaximizeThenSizeAndRestoreThenSize)
{
    Open(1);
    platform::Window& w = *PlatformWindowOf(1);
    w.Zoom();
    EXPECT_TRUE(PumpUntil([&] { return w.IsZoomed(); }));
    PumpPlatform();
    std::vector<int64_t> codes = Codes(TakeQueued());
    std::erase_if(codes, [](int64_t c) { return c != 6 && c != 13 && c != 14; });
    EXPECT_EQ(codes, (std::vector<int64_t>{13, 6}));

    // A zoomed window that is deminiaturized is maximized again.
    KxWindowEvents& events = *FindWindowRecord(1)->delegate;
    events.DidDeminiaturize(w);
    EXPECT_EQ(Codes(TakeQueued()), std::vector<int64_t>{13});

    w.Zoom();
    EXPECT_TRUE(PumpUntil([&] { return !w.IsZoomed(); }));
    PumpPlatform();
    codes = Codes(TakeQueued());
    std::erase_if(codes, [](int64_t c) { return c != 6 && c != 13 && c != 14; });
    EXPECT_EQ(codes, (std::vector<int64_t>{14, 6}));
}

TEST_F(WindowEventsTest, MiniaturizingPostsTwelve)
{
    Open(1, WindowMiniaturizableCloseBox);
    PlatformWindowOf(1)->Miniaturize();
    Events events = Collect();
    EXPECT_EQ(Only(events, {12, 13, 14}, 1), std::vector<int64_t>{12});
}

TEST_F(WindowEventsTest, MovingPostsFive)
{
    Open(1);
    SetWindowBounds(1, 60, 70, KeepValue, KeepValue);
    Events events = Collect();
    EXPECT_EQ(Only(events, {5, 6}, 1), std::vector<int64_t>{5});
}

TEST_F(WindowEventsTest, ActivationPostsSevenToTheNewKeyWindowAndEightToTheOldOne)
{
    Open(1);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"second"), 0);
    Events events = Collect();
    EXPECT_EQ(Only(events, {7, 8}, 1), std::vector<int64_t>{8});
    EXPECT_EQ(Only(events, {7, 8}, 2), std::vector<int64_t>{7});
}

TEST_F(WindowEventsTest, ClicksPostSingleAndDoubleClicksButNothingForMore)
{
    Open(1);
    struct Case {
        int clicks;
        bool right;
        uint64_t atMilliseconds; // a minute apart: a new series, unless said otherwise
        std::vector<int64_t> codes;
    };
    for (const Case& c :
         {Case{1, false, 60'000, {EventLeftClick}},
          Case{2, false, 120'000, {EventLeftClick, EventLeftDoubleClick}},
          Case{1, false, 120'100, {}}, // the third click of the series just before
          Case{1, false, 180'000, {EventLeftClick}},
          Case{3, false, 240'000, {EventLeftClick, EventLeftDoubleClick}},
          Case{4, false, 300'000, {EventLeftClick, EventLeftDoubleClick}},
          Case{1, true, 360'000, {EventRightClick}}, Case{2, true, 420'000, {EventRightClick}}}) {
        platform::PostClickForTests(*PlatformWindowOf(1), {10, 10}, c.clicks, c.right, c.atMilliseconds);
        EXPECT_EQ(Only(Collect(), {EventRightClick, EventLeftClick, EventLeftDoubleClick}, 1), c.codes)
            << c.clicks << (c.right ? " right" : " left") << " at " << c.atMilliseconds;
    }
}

TEST_F(WindowEventsTest, DrawingPostsARepaint)
{
    Open(1);
    SetWindowBounds(1, KeepValue, KeepValue, KeepValue, KeepValue);
    EXPECT_EQ(Codes(TakeQueued()), std::vector<int64_t>{EventRepaint});
}

TEST_F(WindowEventsTest, OpeningZoomedOrMiniaturizedPostsNoMaximizeOrMinimize)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 200, 100, u"zoomed", WindowZoomed | WindowCloseBox), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 200, 100, u"miniaturized", WindowMiniaturized | WindowCloseBox), 0);
    EXPECT_TRUE(PumpUntil([] { return PlatformWindowOf(1)->IsZoomed(); }));
    EXPECT_TRUE(PlatformWindowOf(2)->IsMiniaturized());
    Events events = Collect();
    EXPECT_EQ(Only(events, {12, 13, 14}, 1), std::vector<int64_t>{});
    EXPECT_EQ(Only(events, {12, 13, 14}, 2), std::vector<int64_t>{});
}

} // namespace
} // namespace nevalon::gui
