#include "StartPlatform.h"
#include "platform/Alert.h"
#include "platform/Application.h"

#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace nevalon::platform {
namespace {

TEST(QuitRequestTest, AQuitRequestDismissesTheOpenAlertAndThoseOpenedBeforeTheLoopTakesIt)
{
    ASSERT_TRUE(testing::StartPlatform());
    int requests = 0;
    SetQuitRequestHandler([&] { ++requests; });
    const AlertRequest question{
        u"Confirm Deletion", u"Delete it?", AlertIcon::Informational, {u"Yes", u"No"}, std::nullopt};
    // Where an alert waits for a person, the test ends instead of waiting with it.
    alarm(60);
    std::raise(SIGHUP);
    RunAlert(question);
    EXPECT_EQ(requests, 1);
    RunAlert(question);
    alarm(0);
    SetQuitRequestHandler(nullptr);
}

} // namespace
} // namespace nevalon::platform
