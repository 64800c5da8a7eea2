#include "ProcessWatch.h"
#include "ScriptFolder.h"
#include "runtime/system/process/Process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace nevalon::system;

TEST(DetachedLaunch, LeavesNoChildAndTheProgramRunsOn)
{
    ScriptFolder folder;
    const std::string pidFile = folder.path + "/pid";
    const std::string hold = folder.path + "/hold";
    ASSERT_EQ(mkfifo(hold.c_str(), 0600), 0);
    const String script = Text(folder.Write(
        "runs on", "#!/bin/sh\necho $$ > \"$1.tmp\"\nmv \"$1.tmp\" \"$1\"\nread line < \"$2\"\n"));

    const std::set<pid_t> before = OwnChildren();
    ASSERT_EQ(LaunchProgram(script, Text("\"" + pidFile + "\" \"" + hold + "\"")), 1);
    EXPECT_EQ(OwnChildren(), before);

    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(pidFile); }));
    pid_t pid = 0;
    std::ifstream(pidFile) >> pid;
    ASSERT_GT(pid, 0);
    const ProcessState state = StateOf(pid);
    EXPECT_NE(state.state, 0);
    EXPECT_NE(state.state, 'Z');
    EXPECT_NE(state.parent, getpid());

    const int release = open(hold.c_str(), O_WRONLY);
    ASSERT_GE(release, 0);
    EXPECT_EQ(write(release, "\n", 1), 1);
    close(release);
}

TEST(DetachedLaunch, MissingProgramStartsNothing)
{
    ScriptFolder folder;
    folder.Write("empty", "");
    const std::set<pid_t> before = OwnChildren();
    EXPECT_EQ(LaunchProgram(Text(folder.path + "/empty")), 0);
    EXPECT_EQ(LaunchProgram(Text(folder.path + "/missing")), 0);
    EXPECT_EQ(LaunchProgram(Text(folder.path)), 0);
    EXPECT_EQ(LaunchProgram(u"nevalon-no-such-program"), 0);
    EXPECT_EQ(OwnChildren(), before);
}

TEST(DetachedLaunch, WaitReturnsOnceTheProgramHasEnded)
{
    ScriptFolder folder;
    const std::string mark = folder.path + "/mark";
    const String script = Text(folder.Write("mark", "#!/bin/sh\nsleep 0.2\npwd > mark\n"));

    const std::set<pid_t> before = OwnChildren();
    EXPECT_EQ(LaunchProgram(script, u"", Text(folder.path), LaunchWait), 1);
    std::string written;
    std::getline(std::ifstream(mark), written);
    EXPECT_EQ(written, folder.path);
    EXPECT_EQ(OwnChildren(), before);
}
