#pragma once

#include "platform/Application.h"

#include <gtest/gtest.h>
#include <string>

namespace nevalon::platform::testing {

// Starts the application (offscreen) for the test, reporting why it could not.
inline bool StartPlatform()
{
    static char name[] = "platform-tests";
    static char* argv[] = {name, nullptr};
    std::string error;
    const bool started = StartApplication(1, argv, error);
    EXPECT_TRUE(started) << error;
    return started;
}

} // namespace nevalon::platform::testing
