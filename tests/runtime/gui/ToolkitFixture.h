#pragma once

#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Screens.h"
#include "platform/testing/TestSeams.h"
#include "platform/Window.h"
#include "runtime/gui/EventBindings.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace nevalon::gui::testing {

// One toolkit event as WaitEvent made it current.
struct SeenEvent {
    int64_t code, window, object, type;
    bool operator==(const SeenEvent&) const = default;
};

// Ends the toolkit when the tests are over, before static destruction takes Qt's own globals away.
class ToolkitEnvironment : public ::testing::Environment {
public:
    static inline bool started = false;
    void TearDown() override
    {
        if (started) EndToolkit();
        started = false;
    }
};
inline ::testing::Environment* const toolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

// Starts the toolkit once per test program (offscreen) and gives each test a clean queue,
// no bindings and the platform's own screens, pointer, alerts and languages.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ToolkitEnvironment::started) {
            static int argc = 1;
            static char name[] = "toolkit-tests";
            static char* argv[] = {name, nullptr};
            std::string error;
            ToolkitEnvironment::started = InitToolkit(argc, argv, error);
            ASSERT_TRUE(ToolkitEnvironment::started) << error;
        }
        Drain();
    }
    void TearDown() override
    {
        DestroyWindow(-1);
        RemoveAllEventCallbacks();
        platform::SetScreensForTests(std::nullopt);
        platform::SetPointerForTests(std::nullopt);
        platform::SetAlertResponderForTests(nullptr);
        platform::SetPreferredLanguagesForTests(std::nullopt);
        Drain();
    }

    // Lets the platform deliver what it has pending, and empties the toolkit queue.
    static void Drain()
    {
        while (WaitEvent(20) != 0) {
        }
    }

    // Every toolkit event that arrives within the time, as (code, window) pairs.
    static std::vector<std::pair<int64_t, int64_t>> Collect(int64_t milliseconds = 100)
    {
        std::vector<std::pair<int64_t, int64_t>> events;
        for (int64_t code; (code = WaitEvent(milliseconds)) != 0;)
            if (code > 0) events.emplace_back(code, EventWindow());
        return events;
    }

    // Lets the platform deliver what it has pending without taking anything from the toolkit queue.
    static void PumpPlatform()
    {
        while (platform::ProcessPlatformEvents(20)) {
        }
    }

    // Takes every queued toolkit event, in order, without asking the platform for more.
    static std::vector<SeenEvent> TakeQueued()
    {
        std::vector<SeenEvent> events;
        while (DequeueEvent() != 0)
            events.push_back({EventCode(), EventWindow(), EventGadgetNumber(), EventSubtype()});
        return events;
    }

    // Waits (boundedly) for the platform to reach a state it delivers asynchronously.
    static bool PumpUntil(const std::function<bool()>& done)
    {
        for (int round = 0; round < 100 && !done(); ++round)
            WaitEvent(20);
        return done();
    }

    static platform::Window* PlatformWindowOf(int64_t window)
    {
        return dynamic_cast<platform::Window*>(platform::ObjectFromHandle(WindowHandle(window)));
    }

    static bool IsKey(int64_t window)
    {
        platform::Window* w = PlatformWindowOf(window);
        return w && w->IsKey();
    }
};

} // namespace nevalon::gui::testing
