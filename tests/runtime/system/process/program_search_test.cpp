#include "runtime/system/TempDirectory.h"
#include "runtime/system/process/ProgramSearch.h"

#include <gtest/gtest.h>
#include <optional>

// A runnable program is a non-empty executable file; "/tool" and "./tool" would name one joined to a PATH
// entry, but names starting so are never searched.
TEST(ProgramSearch, NamesWithASlashAreTheFileAndOthersAreTriedAlongPathInOrder)
{
    TempDirectory first, second;
    first.Put("tool", "#!/bin/sh\n");
    first.Put("dir/.keep", "");
    first.Put("empty", "", true);
    second.Put("tool", "#!/bin/sh\n", true);
    second.Put("dir", "#!/bin/sh\n", true);
    second.Put("empty", "#!/bin/sh\n", true);
    const std::string savedPath = getenv("PATH");
    const std::tuple<std::optional<std::string>, std::string, bool> cases[] = {
        {"::" + first.Path() + "/:" + second.Path() + ":", "tool", true},
        {first.Path() + ":" + second.Path(), "dir", true},
        {first.Path() + ":" + second.Path(), "empty", true},
        {first.Path(), "empty", false},
        {first.Path(), "tool", false},
        {first.Path(), first.Path(), false},
        {second.Path(), "/tool", false},
        {second.Path(), "./tool", false},
        {second.Path(), second.Path() + "/./tool", true},
        {second.Path(), "missing", false},
        {second.Path(), "", false},
        {std::nullopt, "tool", false}};
    for (const auto& [path, name, found] : cases) {
        path ? setenv("PATH", path->c_str(), 1) : unsetenv("PATH");
        EXPECT_EQ(nevalon::system::ProgramFound(name), found)
            << name << " along " << path.value_or("no PATH");
    }
    setenv("PATH", savedPath.c_str(), 1);
}
