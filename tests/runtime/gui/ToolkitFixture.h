#pragma once

#include "platform/Window.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/EventBindings.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace nevalon::gui::testing {

// An event code of the application's own, past the toolkit's codes.
inline constexpr int32_t kApplicationEvent = EventFirstCustom + 500;

struct SeenEvent {
    int64_t code, window, object, type;
    bool operator==(const SeenEvent&) const = default;
};
using Events = std::vector<SeenEvent>;

// Starts the toolkit (offscreen) once per test program, and ends it before static destruction.
struct ToolkitEnvironment : ::testing::Environment {
    void SetUp() override
    {
        static char name[] = "toolkit-tests";
        static char* argv[] = {name, nullptr};
        std::string error;
        ASSERT_TRUE(InitToolkit(1, argv, error)) << error;
    }
    void TearDown() override { EndToolkit(); }
};
inline ::testing::Environment* const toolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

// Each test leaves no window, menu, status icon, binding, queued event or stand-in for the desktop behind.
class ToolkitTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        RemoveStatusIcon(-1);
        DestroyMenu(-1);
        DestroyWindow(-1);
        RemoveAllEventCallbacks();
        platform::SetScreensForTests(std::nullopt);
        platform::SetPointerForTests(std::nullopt);
        platform::SetAlertResponderForTests(nullptr);
        platform::SetPreferredLanguagesForTests(std::nullopt);
        Drain();
    }
    static void Drain()
    {
        while (WaitEvent(20) != 0) {
        }
    }
    static SeenEvent Current() { return {EventCode(), EventWindow(), EventGadgetNumber(), EventSubtype()}; }
    // Takes every queued toolkit event in order, optionally after letting the platform deliver its own.
    static Events TakeQueued(bool pumpPlatformFirst = false)
    {
        while (pumpPlatformFirst && platform::ProcessPlatformEvents(50)) {
        }
        Events events;
        while (DequeueEvent() != 0)
            events.push_back(Current());
        return events;
    }
    static bool PumpUntil(const std::function<bool()>& done)
    {
        for (int round = 0; round < 100 && !done(); ++round)
            WaitEvent(20);
        return done();
    }
    // Opens a window, waits until it is key and lets the platform settle.
    static void OpenKey(int64_t window, int64_t flags = WindowCloseBox)
    {
        EXPECT_NE(CreateWindow(window, 20, 20, 200, 100, u"key", flags), 0);
        EXPECT_TRUE(PumpUntil([window] { return IsKey(window); })) << window;
        Drain();
    }
    static platform::Window* PlatformWindowOf(int64_t window)
    {
        return dynamic_cast<platform::Window*>(platform::ObjectFromHandle(WindowHandle(window)));
    }
    static bool IsKey(int64_t window)
    {
        return PlatformWindowOf(window) && PlatformWindowOf(window)->IsKey();
    }
};

} // namespace nevalon::gui::testing
