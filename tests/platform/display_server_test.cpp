#include "platform/DisplayServer.h"

#include <gtest/gtest.h>
#include <tuple>

namespace nevalon::platform {
namespace {

TEST(DisplayServerTest, AWaylandSessionWithXWaylandRunsOnX11UnlessTheUserChoseAPlatform)
{
    // QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY.
    for (auto [platform, wayland, x11, expected] : {
             std::tuple{(const char*)nullptr, "wayland-0", ":0", true},
             std::tuple{"", "wayland-0", ":0", true},
             std::tuple{"wayland", "wayland-0", ":0", false},
             std::tuple{"xcb", "wayland-0", ":0", false},
             std::tuple{(const char*)nullptr, "wayland-0", (const char*)nullptr, false},
             std::tuple{(const char*)nullptr, "wayland-0", "", false},
             std::tuple{(const char*)nullptr, (const char*)nullptr, ":0", false},
             std::tuple{(const char*)nullptr, "", ":0", false},
         }) {
        EXPECT_EQ(PreferXWayland(platform, wayland, x11), expected)
            << (platform ? platform : "unset") << " " << (wayland ? wayland : "unset") << " "
            << (x11 ? x11 : "unset");
    }
}

} // namespace
} // namespace nevalon::platform
