#include "StoreFixture.h"
#include "app/Countdown.h"
#include "app/ListWindow.h"
#include "platform/Image.h"
#include "platform/View.h"
#include "platform/Window.h"
#include "platform/testing/TestSeams.h"
#include "runtime/date/Dates.h"
#include "runtime/gui/Gadgets.h"
#include "runtime/gui/Window.h"
#include "runtime/system/drawing/Drawing.h"
#include "runtime/system/drawing/Images.h"

namespace nevalon::app::testing {
namespace {

class ListWindowTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1280, 800}, {1280, 0, 1024, 768}});
        platform::SetPointerForTests(platform::Point{640, 5});
        State().ListWindowX = 100;
    }
    void TearDown() override
    {
        CloseListWindow();
        platform::SetScreensForTests(std::nullopt);
        platform::SetPointerForTests(std::nullopt);
        StoreTest::TearDown();
    }
    static bool Enabled(int64_t gadget)
    {
        auto* view = dynamic_cast<platform::Control*>(platform::ObjectFromHandle(gui::GadgetID(gadget)));
        return view && view->IsEnabled();
    }
};

TEST_F(ListWindowTest, HeightAndRowsFollowTheNumberOfEvents)
{
    // Events, window height, top of the last row, add button enabled.
    for (auto [events, height, lastRow, canAdd] :
         {std::tuple{0, 230, 10, true}, std::tuple{1, 260, 10, true}, std::tuple{7, 780, 550, true},
          std::tuple{8, 780, 640, false}}) {
        State().Events.EmptyList();
        for (int i = 0; i < events; ++i)
            Add(u"event " + system::IntegerToString(i), 3600 * (i + 1));
        BuildListWindow();
        EXPECT_EQ(gui::WindowInnerHeight(kListWindow), height) << events;
        EXPECT_EQ(Enabled(1), canAdd) << events;
        EXPECT_EQ(gui::GadgetY(kAddButton), height - 50);
        EXPECT_EQ(gui::GadgetY(kSettingsGadget), height - 50);
        const int64_t last =
            events == 0 ? gui::GadgetY(kEmptyText) - 65 : gui::GadgetY(Records().back().titleGadget);
        EXPECT_EQ(last, lastRow) << events << ": the last row, or the empty-list text at 75";
        CloseListWindow();
    }
    EXPECT_EQ(ListWindowHeight(2), 340);
    EXPECT_EQ(ListWindowHeight(6), 660);
    EXPECT_EQ(ListWindowHeight(30), 780);
}

TEST_F(ListWindowTest, RowsShowEventsInCategoryOrderWithTheirColoursAndTooltips)
{
    Add(u"b", 7200, RecurNever, 4);
    Add(u"a", 90000, RecurYearly, 4);
    Add(u"x", -60, RecurNever, 0);
    Add(u"d", -3600, RecurDaily, 4);
    platform::SetAppearance(true);
    BuildListWindow();
    platform::SetAppearance(false);
    std::vector<String> shown;
    for (const EventRecord& record : Records())
        shown.push_back(gui::GetGadgetText(record.titleGadget) + u"/" +
                        gui::GetGadgetText(record.countdownGadget));
    EXPECT_EQ(shown, (std::vector<String>{u"x/This event has passed!", u"a/1 day, 1 hour", u"b/2 hours",
                                          u"d/23 hours"}))
        << "a daily event that rolled over counts down to its next time in the same build";
    EXPECT_EQ(gui::GetGadgetColor(Records()[0].titleGadget, gui::GadgetFrontColor), kColourYellow);
    EXPECT_EQ(gui::GetGadgetColor(Records()[1].countdownGadget, gui::GadgetFrontColor), kColourWhite);
    EXPECT_EQ(gui::GetGadgetColor(Records()[3].titleGadget, gui::GadgetFrontColor), kColourWhite);
    EXPECT_EQ(notices.size(), 2u) << "the passed events' notices";

    EventRecord record;
    record.date = date::MakeDate(2025, 12, 24, 0, 30, 0);
    record.recurrence = RecurYearly;
    EXPECT_EQ(EventToolTip(record), u"Event Date: 2025-12-24 at 12:30 AM\nRecurrence: Repeats yearly");
    const std::pair<int, const char16_t*> times[] = {
        {5, u"12:05 AM"}, {9 * 60 + 30, u"9:30 AM"}, {12 * 60, u"12:00 PM"}, {21 * 60 + 7, u"9:07 PM"}};
    for (const auto& [minutes, text] : times)
        EXPECT_EQ(TwelveHourText(date::MakeDate(2025, 1, 1, minutes / 60, minutes % 60, 0)), text);
    EXPECT_EQ(RecurrenceName(-1) + RecurrenceName(7), u"Unknown recurrenceUnknown recurrence");
}

TEST_F(ListWindowTest, BadgeIsARoundedBoxInTheCategoryColourWithItsNameInWhite)
{
    EXPECT_EQ(BadgeColour(u"VACATION"), system::MakeRgba(50, 150, 250, 220));
    EXPECT_EQ(BadgeColour(u"Picnic"), BadgeColour(u"Other"));
    const int64_t badge = CategoryBadge(u"Birthday");
    auto* image = dynamic_cast<platform::Image*>(platform::ObjectFromHandle(system::ImageHandle(badge)));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->PixelWidth() * 100 + image->PixelHeight(), 8024);
    int white = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const uint32_t pixel = image->PixelAt(x, y);
            if ((pixel & 0xFF) > 200) ++white; // red only comes from the white name over the green box
            if ((x == 0 || x == 79) && (y == 0 || y == 23)) {
                EXPECT_EQ(pixel >> 24, 0u) << "corner " << x << "," << y;
            }
        }
    EXPECT_EQ(image->PixelAt(2, 12), system::MakeRgba(100, 200, 100, 220)) << "the box, left of the name";
    EXPECT_GT(white, 20) << "the name";
    system::DisposeImage(badge);
}

TEST_F(ListWindowTest, WindowOpensUnderTheClickInsideTheFreePartOfTheClickedScreen)
{
    // A 1366-wide main screen with a top panel, and a 2560-wide one to its right with a bottom panel.
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1366, 768}, {1366, 0, 2560, 1440}},
                                 std::vector<platform::Rect>{{0, 24, 1366, 744}, {1366, 0, 2560, 1400}});
    for (auto [x, y, left, top] :
         {std::tuple{640.0, 5.0, 410.0, 24.0}, std::tuple{1360.0, 5.0, 906.0, 24.0},
          std::tuple{3800.0, 5.0, 3466.0, 0.0}, std::tuple{1400.0, 1430.0, 1366.0, 1170.0}}) {
        platform::SetPointerForTests(platform::Point{x, y});
        State().ListWindowX = ListWindowXUnderMouse();
        State().ListWindowPlacement = ListWindowPlaceUnderMouse();
        BuildListWindow();
        auto* window =
            dynamic_cast<platform::Window*>(platform::ObjectFromHandle(gui::WindowHandle(kListWindow)));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(std::vector<double>({window->Frame().x, window->Frame().y}),
                  std::vector<double>({left, top}))
            << x << "," << y;
        CloseListWindow();
    }
    // A left edge remembered from another screen is kept inside the one clicked now.
    State().ListWindowX = 1200;
    State().ListWindowPlacement = ListWindowPlace{0, 24, 1366, 768, false};
    BuildListWindow();
    EXPECT_EQ(gui::WindowLeft(kListWindow), 1366 - 460);
    State().ListWindowPlacement.reset();
}

TEST_F(ListWindowTest, RowsThatDoNotFitTheScreenScrollAboveTheButtons)
{
    // A 1280 x 720 screen with a 32-point panel at the top: 688 points for a window that asks 780.
    platform::SetScreensForTests(std::vector<platform::Rect>{{0, 0, 1280, 720}},
                                 std::vector<platform::Rect>{{0, 32, 1280, 688}});
    for (int i = 0; i < 8; ++i)
        Add(u"Event " + system::IntegerToString(i), 86400 * (i + 1));
    State().ListWindowPlacement = ListWindowPlace{0, 32, 1280, 720, false};
    BuildListWindow();
    EXPECT_EQ(gui::WindowInnerHeight(kListWindow), 688);
    EXPECT_EQ(gui::GadgetY(kAddButton), 638) << "the add button stays at the bottom, in sight";
    EXPECT_EQ(gui::GadgetY(kSettingsGadget), 638);
    const EventRecord last = Records().back();
    EXPECT_EQ(gui::GadgetY(last.titleGadget), 640) << "rows keep their places in the scrolled part";
    EXPECT_GT(gui::GadgetY(last.editGadget, 2), 628) << "out of sight at first";
    gui::FocusGadget(last.editGadget);
    while (platform::ProcessPlatformEvents(0)) {
    }
    const int64_t shown = gui::GadgetY(last.editGadget, 2);
    EXPECT_TRUE(shown >= 0 && shown + 40 <= 628) << shown << ": the focus brings it into sight";
    // Where the rows fit, the window is as tall as they ask and nothing scrolls.
    CloseListWindow();
    State().ListWindowPlacement = ListWindowPlace{0, 20, 1280, 800, false};
    BuildListWindow();
    EXPECT_EQ(gui::WindowInnerHeight(kListWindow), 780);
    EXPECT_EQ(gui::GadgetY(Records().back().editGadget, 2), 650);
    State().ListWindowPlacement.reset();
}

TEST_F(ListWindowTest, TopAndHeightKeepTheWindowInTheFreePartOfItsScreen)
{
    EXPECT_EQ(ListWindowTop(230, 24, std::nullopt), 24);
    EXPECT_EQ(ListWindowTop(230, 24, ListWindowPlace{0, 30, 1280, 776, false}), 30);
    EXPECT_EQ(ListWindowTop(230, 24, ListWindowPlace{0, 0, 1280, 776, true}), 546);
    EXPECT_EQ(ListWindowTop(780, 24, ListWindowPlace{0, 0, 1280, 776, true}), 0);
    EXPECT_EQ(ListWindowTop(230, 24, ListWindowPlace{0, -600, 1024, -30, true}), -260); // above the main one
    EXPECT_EQ(ListWindowShownHeight(780, std::nullopt), 780);
    EXPECT_EQ(ListWindowShownHeight(780, ListWindowPlace{0, 24, 1280, 800, false}), 776);
    EXPECT_EQ(ListWindowShownHeight(230, ListWindowPlace{0, 24, 1280, 800, false}), 230);
}

} // namespace
} // namespace nevalon::app::testing
