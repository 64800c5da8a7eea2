#include "runtime/system/TempDirectory.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace nevalon::system;

namespace {

TEST(FileSystem, SizesDirectoriesAndDeletion)
{
    TempDirectory dir;
    auto path = [&dir](const std::string& name) { return StringFromUtf8(dir.Path(name)); };
    dir.Put("empty", "");
    dir.Put("five", "12345");
    symlink("five", dir.Path("link").c_str());
    symlink("nowhere", dir.Path("dangling").c_str());
    const std::pair<String, int64_t> sizes[] = {
        {path("missing"), -1},     {path("empty"), 0}, {path("five"), 5}, {path("link"), 5},
        {path("dangling"), -1},    {path(""), -2},     {path("/"), -2},   {u"", -1},
        {path("five") + u'\0', -1}};
    for (const auto& [name, size] : sizes)
        EXPECT_EQ(GetFileSize(name), size) << StringToUtf8(name);

    ASSERT_EQ(CreateDirectory(path("agents")), 1);
    struct stat status {};
    ASSERT_EQ(stat(dir.Path("agents").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    dir.Put("agents/inside", "x");
    EXPECT_EQ(CreateDirectory(path("agents")) + CreateDirectory(path("a/b")) + CreateDirectory(u""), 0);
    EXPECT_EQ(GetFileSize(path("agents/inside")), 1);
    EXPECT_EQ(DeleteFile(path("five"), 2), 1);
    EXPECT_EQ(DeleteFile(path("five"), 2) + DeleteFile(path("agents")), 0);
    EXPECT_EQ(GetFileSize(path("five")), -1);
    EXPECT_EQ(GetFileSize(path("agents")), -2);
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(TemporaryDirectory(), u"/tmp/");
    const String bundle = BundleDirectory();
    EXPECT_TRUE(bundle.ends_with(u'/'));
    EXPECT_GT(GetFileSize(bundle + u"runtime_system_filesystem_tests"), 0) << "it holds the running program";
}

// Each test starts with a fresh home and none of the XDG variables; nothing else in this program reads them.
class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_DOWNLOAD_DIR", "XDG_PICTURES_DIR"})
            unsetenv(name);
        setenv("HOME", home.Path().c_str(), 1);
    }
    String HomePath(const std::string& rest) const { return StringFromUtf8(home.Path() + "/" + rest); }

    TempDirectory home;
};

TEST_F(FoldersTest, HomeAndApplicationFoldersEndInOneSlashAndFollowAbsoluteXdgVariables)
{
    EXPECT_EQ(HomeDirectory(), HomePath(""));
    setenv("HOME", (home.Path() + "//").c_str(), 1);
    EXPECT_EQ(HomeDirectory(), HomePath(""));
    setenv("HOME", "/", 1);
    EXPECT_EQ(HomeDirectory(), u"/");
    unsetenv("HOME");
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(HomeDirectory(), StringFromUtf8(entry->pw_dir + std::string(entry->pw_dir[1] ? "/" : "")))
        << "the password database answers without $HOME";
    setenv("HOME", home.Path().c_str(), 1);
    EXPECT_EQ(UserDirectory(4), HomePath(".local/share/"));
    EXPECT_EQ(GetFileSize(HomePath(".local/share")), -2) << "created, so that files can be written in it";
    setenv("XDG_DATA_HOME", home.Path("data/nevalon/").c_str(), 1);
    EXPECT_EQ(UserDirectory(4), HomePath("data/nevalon/"));
    EXPECT_EQ(UserDirectory(1), HomePath("data/nevalon/applications/"));
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(UserDirectory(4), HomePath(".local/share/"));
    EXPECT_EQ(UserDirectory(5), u"/usr/local/share/");
    setenv("XDG_DATA_DIRS", "relative:/opt/share/:/usr/share", 1);
    EXPECT_EQ(UserDirectory(5), u"/opt/share/");
    EXPECT_EQ(UserDirectory(10) + UserDirectory(-1), u"");
}

TEST_F(FoldersTest, UserFoldersComeFromUserDirsFileThenEnvironmentThenHome)
{
    setenv("XDG_PICTURES_DIR", "/srv/pictures", 1);
    setenv("XDG_DOWNLOAD_DIR", "/srv/ignored", 1);
    setenv("XDG_CONFIG_HOME", home.Path("config").c_str(), 1);
    home.Put("config/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                      "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                                      "XDG_DOWNLOAD_DIR=\"$HOME/T\xC3\xA9l\\\"s\"\n"
                                      "  XDG_MUSIC_DIR = \"/media/music/\"\n"
                                      "XDG_VIDEOS_DIR=\"relative\"\n"
                                      "XDG_PUBLICSHARE_DIR=\"$HOME\"\n");
    EXPECT_EQ(UserDirectory(0), HomePath("Bureau/"));
    EXPECT_EQ(UserDirectory(2), HomePath("T\xC3\xA9l\"s/"));
    EXPECT_EQ(UserDirectory(3), HomePath("Documents/"));
    EXPECT_EQ(UserDirectory(6), HomePath("Videos/"));
    EXPECT_EQ(UserDirectory(7), u"/media/music/");
    EXPECT_EQ(UserDirectory(8), u"/srv/pictures/");
    EXPECT_EQ(UserDirectory(9), HomePath(""));
}

} // namespace
