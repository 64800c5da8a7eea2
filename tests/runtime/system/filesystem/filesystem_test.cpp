#include "runtime/system/files/TempDirectory.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace nevalon::system;

namespace {

String PathOf(const std::string& path)
{
    return StringFromUtf8(path);
}

TEST(FileSystem, GetFileSizeTellsSizeMissingAndDirectory)
{
    TempDirectory dir;
    PutFile(dir.Path("empty"), "");
    PutFile(dir.Path("five"), "12345");
    symlink("five", dir.Path("link").c_str());
    symlink("nowhere", dir.Path("dangling").c_str());
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("missing"))), -1);
    EXPECT_EQ(GetFileSize(u""), -1);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("empty"))), 0);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("five"))), 5);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("link"))), 5);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("dangling"))), -1);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path())), -2);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path() + "/")), -2);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("five")) + String(1, u'\0')), -1);
}

TEST(FileSystem, CreateDirectoryMakesOnePrivateLevel)
{
    TempDirectory dir;
    ASSERT_EQ(CreateDirectory(PathOf(dir.Path("agents"))), 1);
    struct stat status {};
    ASSERT_EQ(stat(dir.Path("agents").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    PutFile(dir.Path("agents/inside"), "x");
    EXPECT_EQ(CreateDirectory(PathOf(dir.Path("agents"))), 0);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("agents"))), -2);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("agents/inside"))), 1);
    EXPECT_EQ(CreateDirectory(PathOf(dir.Path("a/b"))), 0);
    EXPECT_EQ(CreateDirectory(u""), 0);
}

TEST(FileSystem, DeleteFileRemovesFilesOnly)
{
    TempDirectory dir;
    PutFile(dir.Path("f"), "x");
    EXPECT_EQ(DeleteFile(PathOf(dir.Path("f")), 2), 1);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("f"))), -1);
    EXPECT_EQ(DeleteFile(PathOf(dir.Path("f")), 2), 0);
    mkdir(dir.Path("d").c_str(), 0700);
    EXPECT_EQ(DeleteFile(PathOf(dir.Path("d"))), 0);
    EXPECT_EQ(GetFileSize(PathOf(dir.Path("d"))), -2);
}

TEST(FileSystem, TemporaryDirectoryIgnoresEnvironment)
{
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(TemporaryDirectory(), u"/tmp/");
    unsetenv("TMPDIR");
}

} // namespace
