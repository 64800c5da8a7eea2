#include "ScriptFolder.h"
#include "runtime/system/process/ProgramSearch.h"

#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using nevalon::system::IsRunnableFile;
using nevalon::system::ProgramFound;

namespace {

// Sets PATH (or unsets it for nullopt) for one test and puts the old value back.
class PathOverride {
public:
    explicit PathOverride(const std::optional<std::string>& value)
    {
        if (const char* old = getenv("PATH")) saved = old;
        if (value) {
            setenv("PATH", value->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }
    ~PathOverride()
    {
        if (saved) setenv("PATH", saved->c_str(), 1);
    }

private:
    std::optional<std::string> saved;
};

} // namespace

TEST(ProgramSearch, RunnableFileIsNonEmptyExecutableAndNoDirectory)
{
    ScriptFolder folder;
    EXPECT_TRUE(IsRunnableFile(folder.Write("tool", "#!/bin/sh\n")));
    EXPECT_FALSE(IsRunnableFile(folder.Write("empty", "")));
    EXPECT_FALSE(IsRunnableFile(folder.Write("plain", "#!/bin/sh\n", false)));
    EXPECT_FALSE(IsRunnableFile(folder.path));
    EXPECT_FALSE(IsRunnableFile(folder.path + "/missing"));
    EXPECT_FALSE(IsRunnableFile(""));
}

TEST(ProgramSearch, NameWithSlashNamesTheFileItself)
{
    ScriptFolder folder;
    const std::string tool = folder.Write("sub/tool", "#!/bin/sh\n");
    EXPECT_TRUE(ProgramFound(tool));
    const std::string empty = folder.Write("sub/empty", "");
    EXPECT_FALSE(ProgramFound(empty));
    EXPECT_FALSE(ProgramFound(folder.path + "/sub"));
}

TEST(ProgramSearch, AbsoluteOrDotSlashNameIsNeverSearchedAlongPath)
{
    ScriptFolder folder;
    folder.Write("tool", "#!/bin/sh\n");
    const PathOverride path(folder.path);
    const std::string here = std::filesystem::current_path().string();
    ASSERT_FALSE(std::filesystem::exists(here + "/tool"));
    // Joined to the PATH entry, both would name the runnable tool.
    EXPECT_FALSE(ProgramFound("/tool"));
    EXPECT_FALSE(ProgramFound("./tool"));
    EXPECT_TRUE(ProgramFound("tool"));
}

TEST(ProgramSearch, PathEntriesAreTriedInOrderSkippingEmptyOnes)
{
    ScriptFolder first, second;
    first.Write("tool", "#!/bin/sh\n", false);
    first.Write("dir/.keep", "");
    second.Write("tool", "#!/bin/sh\n");
    second.Write("dir", "#!/bin/sh\n");
    {
        const PathOverride path("::" + first.path + "/:" + second.path + ":");
        EXPECT_TRUE(ProgramFound("tool"));
        EXPECT_TRUE(ProgramFound("dir"));
        EXPECT_FALSE(ProgramFound("missing"));
        EXPECT_FALSE(ProgramFound(""));
    }
    {
        const PathOverride path(first.path);
        EXPECT_FALSE(ProgramFound("tool"));
        EXPECT_FALSE(ProgramFound("dir"));
    }
    {
        const PathOverride path(std::nullopt);
        EXPECT_FALSE(ProgramFound("tool"));
    }
}
