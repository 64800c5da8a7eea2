#pragma once

#include "runtime/gui/EventQueue.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace nevalon::gui::testing {

// Starts the toolkit once per test program (offscreen) and gives each test a clean queue.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static bool started = [] {
            static int argc = 1;
            static char name[] = "toolkit-tests";
            static char* argv[] = {name, nullptr};
            std::string error;
            bool ok = InitToolkit(argc, argv, error);
            std::atexit(EndToolkit);
            return ok;
        }();
        ASSERT_TRUE(started);
        Drain();
    }
    void TearDown() override
    {
        DestroyWindow(-1);
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
};

} // namespace nevalon::gui::testing
