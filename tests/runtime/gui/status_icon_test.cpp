#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "platform/Defaults.h"
#include "platform/Image.h"
#include "runtime/gui/ApplicationMenu.h"
#include "runtime/gui/StatusIcon.h"

#include <tuple>
#include <vector>

namespace nevalon::gui {
namespace {

using platform::StatusIconPress;
using testing::Events;

class StatusIconTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(CreateWindow(0, 0, 0, 0, 0, u"", WindowInvisible), 0);
        symbol =
            platform::Ref<platform::Image>::Adopt(platform::CreateSystemSymbolImage("calendar.badge.clock"));
        ASSERT_NE(CreateStatusIcon(0, WindowHandle(0), symbol->Handle()), 0);
    }
    platform::Ref<platform::Image> symbol;
};

TEST_F(StatusIconTest, AnIconNeedsAWindowAndAnImageAndLeavesTheTrayWhenRemoved)
{
    EXPECT_EQ(CreateStatusIcon(1, 0, symbol->Handle()), 0);
    EXPECT_EQ(CreateStatusIcon(1, WindowHandle(0), 0), 0);
    int64_t handle = StatusIconHandle(0);
    EXPECT_NE(platform::ObjectFromHandle(handle), nullptr);
    RemoveStatusIcon(0);
    EXPECT_EQ(StatusIconHandle(0), 0);
    EXPECT_EQ(platform::ObjectFromHandle(handle), nullptr);
}

TEST_F(StatusIconTest, AClickPostsTheIconAndItsWindowWithTypeZeroOnce)
{
    int64_t dynamic = CreateStatusIcon(-1, WindowHandle(0), symbol->Handle());
    for (auto [icon, press, events] :
         {std::tuple{int64_t{0}, StatusIconPress::Click, Events{{EventStatusIcon, 0, 0, 0}}},
          std::tuple{dynamic, StatusIconPress::Click, Events{{EventStatusIcon, 0, dynamic, 0}}},
          std::tuple{int64_t{0}, StatusIconPress::DoubleClick, Events{{EventStatusIcon, 0, 0, 0}}},
          std::tuple{int64_t{0}, StatusIconPress::MiddleClick, Events{}}}) {
        platform::ClickStatusIconForTests(StatusIconHandle(icon), press);
        EXPECT_EQ(TakeQueued(), events) << int(press);
    }
    // The icon outlives its window and still reports the window's number.
    DestroyWindow(0);
    Drain();
    platform::ClickStatusIconForTests(StatusIconHandle(0));
    EXPECT_EQ(TakeQueued(), (Events{{EventStatusIcon, 0, 0, 0}}));
}

TEST_F(StatusIconTest, TheContextMenuAsksToOpenOrToQuitTheProductTheProgramNamed)
{
    // The fixture's icon was made before the program named itself.
    const int64_t unnamed = StatusIconHandle(0);
    EXPECT_EQ(platform::StatusIconMenuForTests(unnamed),
              (platform::MenuEntriesForTests{{u"Open", u""}, {u"", u"", false, true}, {u"Quit", u""}}));
    EXPECT_EQ(platform::StatusIconToolTipForTests(unnamed), u"");
    SetProductIdentity({u"Tally", u"org.example.Tally", u"tally"});
    ASSERT_NE(CreateStatusIcon(1, WindowHandle(0), symbol->Handle()), 0);
    const int64_t item = StatusIconHandle(1);
    EXPECT_EQ(
        platform::StatusIconMenuForTests(item),
        (platform::MenuEntriesForTests{{u"Open Tally", u""}, {u"", u"", false, true}, {u"Quit Tally", u""}}));
    EXPECT_EQ(platform::StatusIconToolTipForTests(item), u"Tally");
    EXPECT_TRUE(platform::DefaultsFilePath().ends_with("/org.example.Tally.conf"))
        << platform::DefaultsFilePath();
    platform::ChooseStatusIconMenuEntryForTests(item, u"Open Tally");
    platform::ChooseStatusIconMenuEntryForTests(item, u"Quit Tally");
    EXPECT_EQ(TakeQueued(),
              (Events{{EventStatusIcon, 0, 1, StatusIconOpenRequest}, {EventMenu, -1, MenuItemQuit, 0}}));
    SetProductIdentity({});
}

// The symbol is drawn in the appearance's text colour, over a halo of the opposite one.
TEST_F(StatusIconTest, ThePictureReadsOnLightAndDarkPanelsAndFollowsTheAppearance)
{
    const auto picture = [] {
        auto image =
            platform::Ref<platform::Image>::Adopt(platform::StatusIconPictureForTests(StatusIconHandle(0)));
        return image ? image->Pixels() : std::vector<uint32_t>{};
    };
    const std::vector<uint32_t> light = picture();
    platform::SetAppearance(true);
    const std::vector<uint32_t> dark = picture();
    platform::SetAppearance(false);
    EXPECT_NE(dark, light);
    EXPECT_EQ(picture(), light);
    for (const std::vector<uint32_t>& pixels : {light, dark}) {
        // An opaque pixel that stands out on a white panel, and one that stands out on a black panel.
        bool onWhite = false, onBlack = false;
        for (uint32_t pixel : pixels) {
            int r = pixel & 0xFF, g = (pixel >> 8) & 0xFF, b = (pixel >> 16) & 0xFF, a = pixel >> 24;
            onWhite |= a > 160 && r + g + b < 3 * 70;
            onBlack |= a > 160 && r + g + b > 3 * 185;
        }
        EXPECT_TRUE(onWhite && onBlack);
    }
}

} // namespace
} // namespace nevalon::gui
