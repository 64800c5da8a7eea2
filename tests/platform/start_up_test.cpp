#include "StartPlatform.h"
#include "platform/Application.h"

#include <gtest/gtest.h>
#include <vector>

namespace nevalon::platform {
namespace {

// Runs the event loop until `done` holds, for at most five seconds.
template <typename Condition> void RunUntil(Condition done)
{
    for (int round = 0; round < 100 && !done(); ++round)
        ProcessPlatformEvents(50);
}

TEST(StartUpTest, WorkAfterStartUpWaitsForTheFirstIdleLoopRunsInOrderAndEndsWithTheApplication)
{
    EndApplication();
    ASSERT_TRUE(testing::StartPlatform());
    std::vector<int> ran;
    AfterStartUp([&] { ran.push_back(1); });
    AfterStartUp([&] { ran.push_back(2); });
    // A pass that does not wait is not idle.
    ProcessPlatformEvents(0);
    EXPECT_FALSE(StartUpFinished());
    EXPECT_TRUE(ran.empty());
    RunUntil([&] { return ran.size() == 2; });
    EXPECT_TRUE(StartUpFinished());
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));

    AfterStartUp([&] { ran.push_back(3); });
    RunUntil([&] { return ran.size() == 3; });
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));

    AfterStartUp([&] { ran.push_back(4); });
    EndApplication();
    EXPECT_FALSE(StartUpFinished());
    ASSERT_TRUE(testing::StartPlatform());
    RunUntil(StartUpFinished);
    ProcessPlatformEvents(100);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace nevalon::platform
