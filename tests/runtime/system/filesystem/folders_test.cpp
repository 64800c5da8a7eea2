#include "runtime/system/files/TempDirectory.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <pwd.h>
#include <unistd.h>

using namespace nevalon::system;

namespace {

// Sets environment variables for one test and restores them afterwards.
class Environment {
public:
    ~Environment()
    {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    void Set(const std::string& name, const char* value)
    {
        if (!saved_.count(name)) {
            const char* old = getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) {
            setenv(name.c_str(), value, 1);
        } else {
            unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.Set("HOME", home.Path().c_str());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_DESKTOP_DIR",
                                 "XDG_DOWNLOAD_DIR", "XDG_PICTURES_DIR"})
            env.Set(name, nullptr);
    }

    String HomePath(const std::string& rest) const { return StringFromUtf8(home.Path() + "/" + rest); }

    TempDirectory home;
    Environment env;
};

TEST_F(FoldersTest, HomeDirectoryEndsInExactlyOneSlash)
{
    EXPECT_EQ(HomeDirectory(), HomePath(""));
    env.Set("HOME", (home.Path() + "//").c_str());
    EXPECT_EQ(HomeDirectory(), HomePath(""));
    env.Set("HOME", "/");
    EXPECT_EQ(HomeDirectory(), u"/");

    // Without $HOME the password database answers.
    env.Set("HOME", nullptr);
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    std::string expected = entry->pw_dir;
    while (expected.size() > 1 && expected.back() == '/')
        expected.pop_back();
    if (expected != "/") expected += "/";
    EXPECT_EQ(HomeDirectory(), StringFromUtf8(expected));
}

TEST_F(FoldersTest, ApplicationSupportFollowsXdgDataHome)
{
    EXPECT_EQ(UserDirectory(4), HomePath(".local/share/"));
    // A fresh account gets the folder, so that files can be created in it at once.
    EXPECT_EQ(GetFileSize(HomePath(".local/share")), -2);

    const std::string data = home.Path("data/nevalon");
    env.Set("XDG_DATA_HOME", (data + "/").c_str());
    EXPECT_EQ(UserDirectory(4), StringFromUtf8(data + "/"));
    EXPECT_EQ(GetFileSize(StringFromUtf8(data)), -2);
    EXPECT_EQ(UserDirectory(1), StringFromUtf8(data + "/applications/"));

    // Relative values are not XDG paths.
    env.Set("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(UserDirectory(4), HomePath(".local/share/"));
    env.Set("XDG_DATA_HOME", "");
    EXPECT_EQ(UserDirectory(4), HomePath(".local/share/"));
}

TEST_F(FoldersTest, UserFoldersComeFromUserDirsFileThenEnvironment)
{
    EXPECT_EQ(UserDirectory(0), HomePath("Desktop/"));
    EXPECT_EQ(UserDirectory(2), HomePath("Downloads/"));
    EXPECT_EQ(UserDirectory(3), HomePath("Documents/"));
    EXPECT_EQ(UserDirectory(6), HomePath("Videos/"));
    EXPECT_EQ(UserDirectory(7), HomePath("Music/"));
    EXPECT_EQ(UserDirectory(8), HomePath("Pictures/"));
    EXPECT_EQ(UserDirectory(9), HomePath("Public/"));

    env.Set("XDG_PICTURES_DIR", "/srv/pictures");
    env.Set("XDG_DOWNLOAD_DIR", "/srv/ignored");
    const std::string config = home.Path("config");
    env.Set("XDG_CONFIG_HOME", config.c_str());
    std::filesystem::create_directories(config);
    PutFile(config + "/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                        "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                                        "XDG_DOWNLOAD_DIR=\"$HOME/T\xC3\xA9l\\\"s\"\n"
                                        "  XDG_MUSIC_DIR = \"/media/music/\"\n"
                                        "XDG_VIDEOS_DIR=\"relative\"\n"
                                        "XDG_PUBLICSHARE_DIR=\"$HOME\"\n");
    EXPECT_EQ(UserDirectory(0), HomePath("Bureau/"));
    EXPECT_EQ(UserDirectory(2), HomePath("T\xC3\xA9l\"s/"));
    EXPECT_EQ(UserDirectory(7), u"/media/music/");
    EXPECT_EQ(UserDirectory(6), HomePath("Videos/"));
    EXPECT_EQ(UserDirectory(9), HomePath(""));
    EXPECT_EQ(UserDirectory(8), u"/srv/pictures/");
}

TEST_F(FoldersTest, SharedApplicationSupportAndKindsOutOfRange)
{
    EXPECT_EQ(UserDirectory(5), u"/usr/local/share/");
    env.Set("XDG_DATA_DIRS", "relative:/opt/share/:/usr/share");
    EXPECT_EQ(UserDirectory(5), u"/opt/share/");
    EXPECT_EQ(UserDirectory(10), u"");
    EXPECT_EQ(UserDirectory(-1), u"");
}

TEST(Folders, BundleDirectoryHoldsTheRunningProgram)
{
    const String directory = BundleDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), u'/');
    EXPECT_GT(GetFileSize(directory + u"runtime_system_filesystem_tests"), 0);
}

} // namespace
