// The duties every backend fulfils, asked of its drivers alone: run it against another backend by adding
// that backend's drivers to the instantiation below.
#include "platform/ApplicationDriver.h"
#include "platform/Backend.h"
#include "platform/ControlDriver.h"
#include "platform/DesktopDriver.h"
#include "platform/Image.h"
#include "platform/Object.h"
#include "platform/ScreenDriver.h"
#include "platform/StatusItem.h"
#include "platform/StatusItemDriver.h"
#include "platform/TextDriver.h"
#include "platform/Timer.h"
#include "platform/WindowDriver.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace nevalon::platform {
namespace {

class BackendConformance : public ::testing::TestWithParam<const Backend*> {
protected:
    void SetUp() override
    {
        static char name[] = "conformance-tests";
        static char* argv[] = {name, nullptr};
        std::string error;
        ASSERT_TRUE(Drivers().application.StartApplication(1, argv, error)) << error;
        ASSERT_TRUE(Drivers().application.ApplicationStarted());
    }

    const Backend& Drivers() const { return *GetParam(); }

    // Runs the backend's loop until `done` holds, for at most five seconds.
    bool Await(const std::function<bool()>& done) const
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < limit)
            Drivers().application.ProcessPlatformEvents(20);
        return done();
    }

    // Frees what was released, as the toolkit does between events.
    void Settle() const
    {
        DrainAutoreleasePool();
        Drivers().application.FreeDeferredObjects();
    }
};

TEST_P(BackendConformance, AWindowIsCreatedWithItsContentSizeShownAndFreedWhenClosed)
{
    Settle();
    const int64_t before = LiveObjectCount();
    Window* window = Drivers().windows.CreatePlatformWindow({}, {240, 120});
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->IsVisible());
    EXPECT_EQ(window->ContentSize().width, 240);
    EXPECT_EQ(window->ContentSize().height, 120);
    window->OrderFront(false);
    EXPECT_TRUE(Await([&] { return window->IsVisible(); }));
    window->Close();
    EXPECT_TRUE(window->IsClosed());
    Settle();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_P(BackendConformance, ARepeatingTimerFiresAgainUntilInvalidated)
{
    int fired = 0;
    Timer* timer = Drivers().application.CreateRepeatingTimer(5, [&] { ++fired; });
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(Await([&] { return fired >= 2; }));
    timer->Invalidate();
    EXPECT_FALSE(timer->IsValid());
    timer->Release();
    EXPECT_EQ(Drivers().application.CreateRepeatingTimer(0, [] {}), nullptr);
}

TEST_P(BackendConformance, AWakeUpIsPendingUntilDispatched)
{
    Drivers().application.WakeUp();
    EXPECT_TRUE(Drivers().application.HasPendingPlatformEvents());
    EXPECT_TRUE(Await([&] { return !Drivers().application.HasPendingPlatformEvents(); }));
}

TEST_P(BackendConformance, WorkAfterStartUpRunsOnceEachInTheOrderQueued)
{
    std::vector<int> ran;
    Drivers().application.AfterStartUp([&] { ran.push_back(1); });
    Drivers().application.AfterStartUp([&] { ran.push_back(2); });
    EXPECT_TRUE(Await([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_TRUE(Drivers().application.StartUpFinished());
}

TEST_P(BackendConformance, AStatusItemExistsAndTakesAPicture)
{
    Settle();
    const int64_t before = LiveObjectCount();
    StatusItem* item = Drivers().statusItems.CreateStatusItem();
    ASSERT_NE(item, nullptr);
    Image* symbol = Drivers().desktop.CreateSystemSymbolImage("calendar.badge.clock");
    ASSERT_NE(symbol, nullptr);
    EXPECT_GT(symbol->PixelWidth(), 0);
    item->SetImage(*symbol);
    item->SetToolTip(u"conformance");
    symbol->Release();
    item->Release();
    Settle();
    EXPECT_EQ(LiveObjectCount(), before);
    EXPECT_EQ(Drivers().desktop.CreateSystemSymbolImage("no.such.symbol"), nullptr);
}

TEST_P(BackendConformance, ScreensAreReportedWithAWorkAreaInsideEach)
{
    const std::vector<Rect> screens = Drivers().screens.Screens();
    const std::vector<Rect> areas = Drivers().screens.WorkAreas();
    ASSERT_FALSE(screens.empty());
    ASSERT_EQ(areas.size(), screens.size());
    // Points are measured from the main screen's top-left corner.
    EXPECT_EQ(screens[0].x, 0);
    EXPECT_EQ(screens[0].y, 0);
    for (size_t i = 0; i < screens.size(); ++i) {
        const Rect& s = screens[i];
        const Rect& a = areas[i];
        EXPECT_GT(a.width, 0) << i;
        EXPECT_GT(a.height, 0) << i;
        EXPECT_TRUE(a.x >= s.x && a.y >= s.y && a.x + a.width <= s.x + s.width &&
                    a.y + a.height <= s.y + s.height)
            << "work area " << i << " leaves its screen";
    }
}

TEST_P(BackendConformance, EveryControlIsCreatedAndFreed)
{
    ControlDriver& controls = Drivers().controls;
    const std::function<Object*()> creators[] = {
        [&] { return controls.CreateButton(); },        [&] { return controls.CreateCheckBox(); },
        [&] { return controls.CreateTextLabel(); },     [&] { return controls.CreateTextField(false); },
        [&] { return controls.CreateTextField(true); }, [&] { return controls.CreatePopUpButton(); },
        [&] { return controls.CreateImageView(); },     [&] { return controls.CreateDatePicker(); },
        [&] { return controls.CreateContainerView(); }, [&] { return controls.CreateScrollView(); },
        [&] { return controls.CreatePlatformMenu(); },
    };
    Settle();
    const int64_t before = LiveObjectCount();
    for (size_t i = 0; i < std::size(creators); ++i) {
        Object* made = creators[i]();
        ASSERT_NE(made, nullptr) << "creator " << i;
        made->Release();
    }
    Settle();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_P(BackendConformance, TextIsConvertedCaseMappedAndMeasured)
{
    const TextDriver& text = Drivers().text;
    EXPECT_EQ(text.Utf8ToUtf16("gr\xC3\xBC\xC3\x9F"), u"gr\u00FC\u00DF");
    EXPECT_EQ(text.Utf8ToUtf16("a\xFF"), u"a\uFFFD");
    EXPECT_EQ(text.Utf16ToUtf8(u"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(text.UpperCaseText(u"stra\u00DFe"), u"STRASSE");
    EXPECT_EQ(text.LowerCaseText(u"\u00C4B"), u"\u00E4b");
    const TextExtent one = text.MeasureText(u"W", nullptr);
    const TextExtent two = text.MeasureText(u"WW", nullptr);
    EXPECT_GT(one.width, 0);
    EXPECT_GT(one.height, 0);
    EXPECT_GT(two.width, one.width);
}

INSTANTIATE_TEST_SUITE_P(Linked, BackendConformance, ::testing::Values(&LinkedBackend()),
                         [](const auto&) { return std::string("Backend"); });

} // namespace
} // namespace nevalon::platform
