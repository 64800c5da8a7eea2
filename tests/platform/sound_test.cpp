#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/Sound.h"
#include "platform/testing/TestSeams.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace nevalon::platform {
namespace {

bool SoundLibraryLoaded()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("/libcanberra.so") != std::string::npos) return true;
    return false;
}

TEST(SystemSoundTest, TheSoundLibraryLoadsAtTheFirstSoundWhichNeverHoldsUpTheCallerAndTheSeamHearsIt)
{
    ASSERT_TRUE(testing::StartPlatform());
    EXPECT_FALSE(SoundLibraryLoaded());
    // The test machine has no sound server or device: the sound is tried, and the bell rung instead,
    // behind the caller's back. Where a call waited for the sound, the test ends instead of waiting.
    alarm(60);
    for (int64_t sound : {kReminderSound, kReminderSound, int64_t{0}})
        PlaySystemSound(sound);
    alarm(0);
    for (int round = 0; round < 100 && !SoundLibraryLoaded(); ++round)
        ProcessPlatformEvents(50);
    EXPECT_TRUE(SoundLibraryLoaded());
    std::vector<int64_t> heard;
    SetSystemSoundPlayerForTests([&](int64_t sound) { heard.push_back(sound); });
    PlaySystemSound(kReminderSound);
    SetSystemSoundPlayerForTests(nullptr);
    EXPECT_EQ(heard, std::vector<int64_t>{kReminderSound});
}

} // namespace
} // namespace nevalon::platform
