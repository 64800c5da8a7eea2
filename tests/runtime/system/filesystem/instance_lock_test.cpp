#include "runtime/system/TempDirectory.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/InstanceLock.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>

using namespace nevalon::system;

// In the runtime folder, else in the cache folder, which is made for it: one holder at a time, free again
// once let go.
TEST(InstanceLockTest, OneHolderAtATimeInTheRuntimeFolderElseTheCacheFolder)
{
    TempDirectory home;
    setenv("HOME", home.Path().c_str(), 1);
    unsetenv("XDG_CACHE_HOME");
    setenv("XDG_RUNTIME_DIR", std::filesystem::path(home.Put("run/other", "")).parent_path().c_str(), 1);
    for (const std::string folder : {"run", ".cache"}) {
        const int64_t lock = HoldInstanceLock(u"test.lock");
        EXPECT_GT(lock, 0) << folder;
        EXPECT_EQ(HoldInstanceLock(u"test.lock"), 0) << folder;
        ReleaseInstanceLock(lock);
        const int64_t again = HoldInstanceLock(u"test.lock");
        EXPECT_GT(again, 0) << folder;
        ReleaseInstanceLock(again);
        EXPECT_EQ(GetFileSize(StringFromUtf8(home.Path(folder + "/test.lock"))), 0) << folder;
        unsetenv("XDG_RUNTIME_DIR");
    }
}
