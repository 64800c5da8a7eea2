#include "runtime/system/TempDirectory.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace nevalon::system;

namespace {

// Each test has a fresh home and none of the XDG variables; nothing else in this program reads them.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_DOWNLOAD_DIR", "XDG_PICTURES_DIR"})
            unsetenv(name);
        setenv("HOME", home.Path().c_str(), 1);
    }
    String PathOf(const std::string& rest) const { return StringFromUtf8(home.Path() + "/" + rest); }

    TempDirectory home;
};

TEST_F(FileSystemTest, SizesDirectoriesAndDeletion)
{
    home.Put("empty", "");
    home.Put("five", "12345");
    ASSERT_EQ(symlink("five", home.Path("link").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", home.Path("broken").c_str()), 0);
    constexpr int64_t none = FileSizeMissing, dir = FileSizeFolder;
    const std::pair<String, int64_t> sizes[] = {
        {PathOf("missing"), none}, {PathOf("empty"), 0}, {PathOf("five"), 5}, {PathOf("link"), 5},
        {PathOf("broken"), none},  {PathOf(""), dir},    {u"", none},         {PathOf("five") + u'\0', none}};
    for (const auto& [path, size] : sizes)
        EXPECT_EQ(GetFileSize(path), size) << StringToUtf8(path);
    ASSERT_EQ(CreateDirectory(PathOf("agents")), 1);
    struct stat status {};
    EXPECT_EQ(stat(home.Path("agents").c_str(), &status) == 0 ? status.st_mode & 0777 : 0, 0700u);
    home.Put("agents/inside", "x");
    EXPECT_EQ(CreateDirectory(PathOf("agents")) + CreateDirectory(PathOf("a/b")) + CreateDirectory(u""), 0);
    EXPECT_EQ(GetFileSize(PathOf("agents/inside")), 1);
    EXPECT_EQ(DeleteFile(PathOf("five"), 2), 1);
    EXPECT_EQ(DeleteFile(PathOf("five"), 2) + DeleteFile(PathOf("agents")), 0);
    EXPECT_EQ(GetFileSize(PathOf("five")), FileSizeMissing);
    EXPECT_EQ(GetFileSize(PathOf("agents")), FileSizeFolder);
    EXPECT_GT(GetFileSize(BundleDirectory() + u"runtime_system_filesystem_tests"), 0);
}

TEST_F(FileSystemTest, CreateFoldersMakesEveryMissingFolderOrSaysWhyNot)
{
    home.Put("file", "x");
    ASSERT_EQ(CreateDirectory(PathOf("there")), 1);
    // The path, whether it is a folder afterwards, and errno when not.
    const std::tuple<String, int64_t, int> cases[] = {
        {PathOf("a/b/c"), 1, 0},   {PathOf("d/e/"), 1, 0},          {PathOf("there"), 1, 0},
        {PathOf("there/f"), 1, 0}, {PathOf("file"), 0, EEXIST},     {PathOf("file/g/h"), 0, ENOTDIR},
        {u"", 0, ENOENT},          {PathOf("a") + u'\0', 0, ENOENT}};
    for (const auto& [path, made, error] : cases) {
        errno = 0;
        EXPECT_EQ(CreateFolders(path), made) << StringToUtf8(path);
        if (!made) {
            EXPECT_EQ(errno, error) << StringToUtf8(path);
        }
    }
    struct stat status {};
    EXPECT_EQ(stat(home.Path("a/b").c_str(), &status) == 0 ? status.st_mode & 0777 : 0, 0700u);
}

TEST_F(FileSystemTest, ReplaceFileKeepsTheOldPermissionsAndFollowsLinksOnlyWhenResolved)
{
    home.Put("data", "old");
    chmod(home.Path("data").c_str(), 0640);
    home.Put("data.new", "new");
    ASSERT_EQ(symlink("data", home.Path("link").c_str()), 0);
    EXPECT_EQ(ResolvedPath(PathOf("link")), PathOf("data"));
    EXPECT_EQ(ResolvedPath(PathOf("missing")), PathOf("missing"));
    EXPECT_EQ(ReplaceFile(PathOf("data.new"), ResolvedPath(PathOf("link"))), 1);
    struct stat status {};
    ASSERT_EQ(lstat(home.Path("data").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(FileBytes(home.Path("link")), "new") << "the link still names the replaced file";
    EXPECT_EQ(GetFileSize(PathOf("data.new")), FileSizeMissing);
    EXPECT_EQ(ReplaceFile(PathOf("data.new"), PathOf("data")), 0);
    EXPECT_EQ(FileBytes(home.Path("data")), "new");
}

TEST_F(FileSystemTest, CopyFileMakesOnlyANewPrivateCopyAndFolderEntriesListsTheFolder)
{
    const std::string bytes("line\r\n\0\xFF", 8);
    home.Put("notes", bytes);
    home.Put("taken", "mine");
    ASSERT_EQ(symlink("elsewhere", home.Path("link").c_str()), 0);
    EXPECT_EQ(CopyFile(PathOf("notes"), PathOf("copy")), 1);
    EXPECT_EQ(FileBytes(home.Path("copy")), bytes);
    struct stat status {};
    EXPECT_EQ(stat(home.Path("copy").c_str(), &status) == 0 ? status.st_mode & 0777 : 0, 0600u);
    for (const char* target : {"taken", "link"}) {
        EXPECT_EQ(CopyFile(PathOf("notes"), PathOf(target)), 0) << target;
        EXPECT_EQ(errno, EEXIST) << target;
    }
    EXPECT_EQ(FileBytes(home.Path("taken")), "mine");
    EXPECT_EQ(CopyFile(PathOf("missing"), PathOf("copy2")) + CopyFile(PathOf(""), PathOf("copy3")), 0);
    EXPECT_EQ(std::pair(GetFileSize(PathOf("copy2")), GetFileSize(PathOf("copy3"))),
              std::pair(int64_t{FileSizeMissing}, int64_t{FileSizeMissing}))
        << "nothing is left behind";
    std::vector<String> names = FolderEntries(PathOf(""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<String>{u"copy", u"link", u"notes", u"taken"}));
    EXPECT_TRUE(FolderEntries(PathOf("notes")).empty());
}

TEST_F(FileSystemTest, HomeAndApplicationFoldersEndInOneSlashAndFollowAbsoluteXdgVariables)
{
    EXPECT_EQ(HomeDirectory(), PathOf(""));
    EXPECT_EQ(ConfigDirectory(), PathOf(".config/"));
    setenv("XDG_CONFIG_HOME", (home.Path() + "/conf//").c_str(), 1);
    EXPECT_EQ(ConfigDirectory(), PathOf("conf/"));
    setenv("XDG_CONFIG_HOME", "conf", 1);
    EXPECT_EQ(ConfigDirectory(), PathOf(".config/"));
    EXPECT_EQ(UserDirectory(UserFolderApplicationSupport), PathOf(".local/share/"));
    EXPECT_EQ(GetFileSize(PathOf(".local/share")), FileSizeFolder)
        << "created, so that files can be written in it";
    setenv("XDG_DATA_HOME", home.Path("data/nevalon/").c_str(), 1);
    EXPECT_EQ(UserDirectory(UserFolderApplicationSupport) + UserDirectory(UserFolderApplications),
              PathOf("data/nevalon/") + PathOf("data/nevalon/applications/"));
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(UserDirectory(UserFolderApplicationSupport), PathOf(".local/share/"));
    EXPECT_EQ(UserDirectory(UserFolderSharedApplicationSupport), u"/usr/local/share/");
    setenv("XDG_DATA_DIRS", "relative:/opt/share/:/usr/share", 1);
    EXPECT_EQ(UserDirectory(UserFolderSharedApplicationSupport), u"/opt/share/");
    EXPECT_EQ(UserDirectory(UserFolderPublic + 1) + UserDirectory(UserFolderDesktop - 1), u"");
    setenv("HOME", (home.Path() + "//").c_str(), 1);
    EXPECT_EQ(HomeDirectory(), PathOf(""));
    setenv("HOME", "/", 1);
    EXPECT_EQ(HomeDirectory(), u"/");
    unsetenv("HOME");
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(HomeDirectory(), StringFromUtf8(entry->pw_dir + std::string(entry->pw_dir[1] ? "/" : "")))
        << "the password database answers without $HOME";
}

TEST_F(FileSystemTest, UserFoldersComeFromUserDirsFileThenEnvironmentThenHome)
{
    setenv("XDG_PICTURES_DIR", "/srv/pictures", 1);
    setenv("XDG_DOWNLOAD_DIR", "/srv/ignored", 1);
    setenv("XDG_CONFIG_HOME", home.Path("config").c_str(), 1);
    home.Put("config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME\"\n"
             "XDG_DOWNLOAD_DIR=\"$HOME/T\xC3\xA9l\\\"s\"\n  XDG_MUSIC_DIR = \"/media/music/\"\n"
             "XDG_VIDEOS_DIR=\"relative\"\n");
    EXPECT_EQ(UserDirectory(UserFolderDesktop), PathOf(""));
    EXPECT_EQ(UserDirectory(UserFolderDownloads), PathOf("T\xC3\xA9l\"s/"));
    EXPECT_EQ(UserDirectory(UserFolderMovies), PathOf("Videos/"));
    EXPECT_EQ(UserDirectory(UserFolderMusic), u"/media/music/");
    EXPECT_EQ(UserDirectory(UserFolderPictures), u"/srv/pictures/");
    EXPECT_EQ(UserDirectory(UserFolderPublic), PathOf("Public/"));
}

} // namespace
