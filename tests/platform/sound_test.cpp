#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/Sound.h"
#include "platform/testing/TestSeams.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace nevalon::platform {
namespace {

TEST(SystemSoundTest, TheReminderSoundNeverHoldsUpTheCallerAndTheSeamHearsIt)
{
    ASSERT_TRUE(testing::StartPlatform());
    // The test machine has no sound server or device: the sound is tried, and the bell rung instead,
    // behind the caller's back. Where a call waited for the sound, the test ends instead of waiting.
    alarm(60);
    for (int64_t sound : {kReminderSound, kReminderSound, int64_t{0}})
        PlaySystemSound(sound);
    alarm(0);
    ProcessPlatformEvents(200);
    std::vector<int64_t> heard;
    SetSystemSoundPlayerForTests([&](int64_t sound) { heard.push_back(sound); });
    PlaySystemSound(kReminderSound);
    SetSystemSoundPlayerForTests(nullptr);
    EXPECT_EQ(heard, std::vector<int64_t>{kReminderSound});
}

} // namespace
} // namespace nevalon::platform
