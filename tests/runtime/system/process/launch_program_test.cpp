#include "ProcessWatch.h"
#include "ScriptFolder.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/Strings.h"

#include <array>
#include <gtest/gtest.h>

using namespace nevalon::system;

namespace {

const std::string kPrintArguments = "#!/bin/sh\nprintf '%s\\n' \"$#\"\nprintf '[%s]\\n' \"$@\"\n";

constexpr int64_t kKeepOutput = LaunchKeepHandle | LaunchReadOutput;

} // namespace

TEST(LaunchProgram, QuotedPathWithBlanksArrivesAsOneParameter)
{
    ScriptFolder folder;
    const String script = Text(folder.Write("print arguments", kPrintArguments));

    const int64_t handle =
        LaunchProgram(script, u"load \"/tmp/My Folder/com.brask.Nevalon.plist\"", u"", kKeepOutput);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(ReadAll(handle), "2\n[load]\n[/tmp/My Folder/com.brask.Nevalon.plist]\n");
    EXPECT_EQ(WaitProgram(handle), 0);
    EXPECT_EQ(ReleaseProgram(handle), 1);

    const int64_t spaced = LaunchProgram(script, u"  a  \t b\n", u"", kKeepOutput);
    EXPECT_EQ(ReadAll(spaced), "2\n[a]\n[b]\n");
    ReleaseProgram(spaced);

    const int64_t none = LaunchProgram(script, u"", u"", kKeepOutput);
    EXPECT_EQ(ReadAll(none), "0\n[]\n");
    ReleaseProgram(none);

    const int64_t encoded = LaunchProgram(script, u"\u00e9t\u00e9 \U0001F600", u"", kKeepOutput);
    EXPECT_EQ(ReadAll(encoded), "2\n[\xC3\xA9t\xC3\xA9]\n[\xF0\x9F\x98\x80]\n");
    ReleaseProgram(encoded);
}

TEST(LaunchProgram, ParameterCountIsLimitedTo510)
{
    ScriptFolder folder;
    const String script = Text(folder.Write("count", "#!/bin/sh\necho \"$# $1 $510\"\n"));
    String parameters;
    for (int i = 1; i <= 510; ++i)
        parameters += u"p" + IntegerToString(i) + u" ";

    const int64_t handle = LaunchProgram(script, parameters, u"", kKeepOutput);
    EXPECT_EQ(ReadAll(handle), "510 p1 p510\n");
    ReleaseProgram(handle);
    EXPECT_EQ(LaunchProgram(script, parameters + u"one-more", u"", kKeepOutput), 0);
}

TEST(LaunchProgram, ExitCodeIsTheStatusOrOneForASignal)
{
    ScriptFolder folder;
    const String three = Text(folder.Write("three", "#!/bin/sh\nexit 3\n"));
    const String killed = Text(folder.Write("killed", "#!/bin/sh\nkill -KILL $$\n"));
    const String fine = Text(folder.Write("fine", "#!/bin/sh\nexit 0\n"));
    const String broken = Text(folder.Write("broken", "#!/nonexistent/interpreter\n"));

    const int64_t waited = LaunchProgram(three, u"", u"", LaunchKeepHandle | LaunchWait);
    EXPECT_EQ(ProgramRunning(waited), 0);
    EXPECT_EQ(ProgramExitCode(waited), 3);
    ReleaseProgram(waited);

    const int64_t watched = LaunchProgram(three, u"", u"", LaunchKeepHandle);
    EXPECT_EQ(WaitProgram(watched), 3);
    EXPECT_EQ(ProgramExitCode(watched), 3);
    ReleaseProgram(watched);

    for (const auto& [script, code] : {std::pair{killed, 1}, {fine, 0}, {broken, 1}}) {
        const int64_t handle = LaunchProgram(script, u"", u"", LaunchKeepHandle);
        EXPECT_EQ(WaitProgram(handle), code);
        ReleaseProgram(handle);
    }

    // Without a handle the result only says that the program was started.
    EXPECT_EQ(LaunchProgram(three, u"", u"", LaunchWait), 1);
}

TEST(LaunchProgram, ExitCodeStaysMinusOneWhileTheProgramRuns)
{
    ScriptFolder folder;
    const String waiting = Text(folder.Write("waiting", "#!/bin/sh\nread line\nexit 7\n"));

    const int64_t handle = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    ASSERT_NE(handle, 0);
    EXPECT_GT(ProgramId(handle), 0);
    EXPECT_EQ(ProgramRunning(handle), 1);
    EXPECT_EQ(ProgramExitCode(handle), -1);
    EXPECT_EQ(WriteProgramString(handle, u"go\n"), 3);
    EXPECT_EQ(WaitProgram(handle), 7);
    EXPECT_EQ(ProgramRunning(handle), 0);
    EXPECT_EQ(StopProgram(handle), 0);
    ReleaseProgram(handle);
}

TEST(LaunchProgram, StopProgramEndsItAsASignalDoes)
{
    ScriptFolder folder;
    const String waiting = Text(folder.Write("waiting", "#!/bin/sh\necho ready\nread line\n"));

    const int64_t handle =
        LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput | LaunchReadOutput);
    // Under valgrind a signal that reaches the child before its exec is lost, so stop it once it runs.
    char ready[6];
    ASSERT_EQ(ReadProgramOutput(handle, ready, sizeof ready), 6);
    EXPECT_EQ(StopProgram(handle), 1);
    EXPECT_EQ(WaitProgram(handle), 1);
    EXPECT_EQ(StopProgram(handle), 0);
    ReleaseProgram(handle);
}

TEST(LaunchProgram, OutputLargerThanTheRingArrivesWhole)
{
    std::string expected;
    for (int i = 1; i <= 20000; ++i)
        expected += std::to_string(i) + "\n";
    ASSERT_GT(expected.size(), 10 * 10240u);

    const int64_t handle = LaunchProgram(u"seq", u"1 20000", u"", kKeepOutput);
    ASSERT_NE(handle, 0);
    const std::string got = ReadAll(handle);
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
    EXPECT_EQ(ProgramOutputEnded(handle), 1);
    EXPECT_EQ(ReadProgramByte(handle), -1);
    EXPECT_EQ(WaitProgram(handle), 0);
    ReleaseProgram(handle);
}

TEST(LaunchProgram, InputOutputAndErrorsAreSeparatePipes)
{
    const int64_t flags = LaunchKeepHandle | LaunchReadOutput | LaunchWriteInput | LaunchReadErrors;
    const int64_t handle = LaunchProgram(u"sh", u"-c \"tr a-z A-Z; echo done >&2\"", u"", flags);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(WriteProgramString(handle, u"hello world\n"), 12);
    EXPECT_EQ(ProgramOutputEnded(handle), 0);
    EXPECT_EQ(CloseProgramInput(handle), 1);
    EXPECT_EQ(CloseProgramInput(handle), 0);
    EXPECT_EQ(ReadAll(handle), "HELLO WORLD\n");
    EXPECT_EQ(ReadAll(handle, ProgramErrors), "done\n");
    EXPECT_EQ(WaitProgram(handle), 0);
    ReleaseProgram(handle);
}

TEST(LaunchProgram, WritingToAProgramThatStoppedReadingDoesNotEndTheCaller)
{
    const int64_t handle = LaunchProgram(u"true", u"", u"", LaunchKeepHandle | LaunchWriteInput);
    EXPECT_EQ(WaitProgram(handle), 0);
    EXPECT_EQ(WriteProgramString(handle, u"nobody reads this\n"), 0);
    ReleaseProgram(handle);
}

TEST(LaunchProgram, ConnectInputFeedsTheSendersOutputToTheProgram)
{
    const int64_t sender = LaunchProgram(u"sh", u"-c \"read go; printf 'b\\na\\nc\\n'\"", u"",
                                         LaunchKeepHandle | LaunchReadOutput | LaunchWriteInput);
    const int64_t receiver =
        LaunchProgram(u"sh", u"-c \"echo ready >&2; while read l; do r=$l$r; done; echo $r\"", u"",
                      LaunchKeepHandle | LaunchReadOutput | LaunchReadErrors | LaunchConnectInput, sender);
    ASSERT_NE(receiver, 0);
    // The sender writes only once the receiver reads, so the receiver meets an empty pipe first.
    char ready[6];
    ASSERT_EQ(ReadProgramOutput(receiver, ready, sizeof ready, ProgramErrors), 6);
    EXPECT_EQ(WriteProgramString(sender, u"go\n"), 3);
    EXPECT_EQ(ReadAll(receiver), "cab\n");
    EXPECT_EQ(WaitProgram(receiver), 0);
    EXPECT_EQ(ProgramOutputEnded(sender), 1);
    EXPECT_EQ(WaitProgram(sender), 0);
    ReleaseProgram(-1);
}

TEST(LaunchProgram, WorkingDirectoryIsEnteredFirst)
{
    ScriptFolder folder;
    folder.Write("sub dir/.keep", "");
    const String where = Text(folder.Write("where", "#!/bin/sh\npwd\n"));

    const int64_t handle = LaunchProgram(where, u"", Text(folder.path + "/sub dir"), kKeepOutput);
    EXPECT_EQ(ReadAll(handle), folder.path + "/sub dir\n");
    ReleaseProgram(handle);

    const int64_t missing = LaunchProgram(where, u"", Text(folder.path + "/missing"), kKeepOutput);
    EXPECT_EQ(ReadAll(missing), "");
    EXPECT_EQ(WaitProgram(missing), 1);
    ReleaseProgram(missing);
}

TEST(LaunchProgram, ReleasedRecordIsForgottenAndItsProgramStillReaped)
{
    ScriptFolder folder;
    const String waiting = Text(folder.Write("waiting", "#!/bin/sh\nread line\n"));

    const int64_t handle = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    const pid_t pid = static_cast<pid_t>(ProgramId(handle));
    ASSERT_GT(pid, 0);
    // Releasing closes the program's input, so it ends on its own.
    EXPECT_EQ(ReleaseProgram(handle), 1);
    EXPECT_EQ(ReleaseProgram(handle), 0);
    EXPECT_EQ(ProgramRunning(handle), 0);
    EXPECT_EQ(ProgramExitCode(handle), -1);
    EXPECT_EQ(ProgramId(handle), 0);
    EXPECT_EQ(WaitProgram(handle), -1);
    EXPECT_EQ(WriteProgramString(handle, u"x"), 0);
    EXPECT_EQ(AvailableProgramOutput(handle), 0);
    EXPECT_TRUE(Eventually([&] { return StateOf(pid).state == 0; })) << "state " << StateOf(pid).state;

    const int64_t first = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    const int64_t second = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    EXPECT_EQ(ReleaseProgram(-1), 1);
    EXPECT_EQ(ProgramId(first), 0);
    EXPECT_EQ(ProgramId(second), 0);
    EXPECT_EQ(ReleaseProgram(-1), 0);
}

TEST(LaunchProgram, ProgramIsFoundAlongPathAndRunByItsName)
{
    ScriptFolder folder;
    folder.Write("nevalon-probe", "#!/bin/sh\necho probed \"$1\"\n");
    const std::string savedPath = getenv("PATH");
    setenv("PATH", (folder.path + ":" + savedPath).c_str(), 1);

    const int64_t handle = LaunchProgram(u"nevalon-probe", u"x", u"", kKeepOutput);
    EXPECT_EQ(ReadAll(handle), "probed x\n");
    ReleaseProgram(handle);
    EXPECT_EQ(LaunchProgram(u"nevalon-missing-probe", u"", u"", kKeepOutput), 0);
    setenv("PATH", savedPath.c_str(), 1);
}

TEST(LaunchProgram, WaitedProgramFindsItsInputAlreadyEnded)
{
    const int64_t flags = LaunchKeepHandle | LaunchWait | LaunchWriteInput | LaunchReadOutput;
    const int64_t handle = LaunchProgram(u"sh", u"-c \"cat; echo read all\"", u"", flags);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(ProgramExitCode(handle), 0);
    EXPECT_EQ(ReadAll(handle), "read all\n");
    EXPECT_EQ(WriteProgramString(handle, u"late"), 0);
    ReleaseProgram(handle);
}

TEST(LaunchProgram, ZeroUnitInNameParametersOrDirectoryStartsNothing)
{
    ScriptFolder folder;
    const String mark = Text(folder.Write("mark", "#!/bin/sh\ntouch \"$0.ran\"\n"));
    const String zero(1, u'\0');
    const std::array<std::array<String, 3>, 4> cases = {{
        {mark + zero + u"x", u"", u""},
        {mark, u"a" + zero + u"b", u""},
        {mark, u"a " + zero, u""},
        {mark, u"", Text(folder.path) + zero + u"/missing"},
    }};
    for (const auto& [name, parameters, directory] : cases)
        for (int64_t flags : {LaunchWait, LaunchKeepHandle | LaunchWait}) {
            EXPECT_EQ(LaunchProgram(name, parameters, directory, flags), 0);
            EXPECT_FALSE(std::filesystem::remove(folder.path + "/mark.ran"));
        }
}

TEST(LaunchProgram, WaitingReadsOutputBeyondWhatAPipeHolds)
{
    std::string expected;
    for (int i = 1; i <= 150000; ++i)
        expected += std::to_string(i) + "\n";
    const int64_t pipes = LaunchKeepHandle | LaunchReadOutput | LaunchReadErrors;
    for (bool waitAtLaunch : {true, false}) {
        // timeout turns the stall this guards against into a failure rather than a hang.
        const int64_t handle = LaunchProgram(u"timeout", u"60 sh -c \"seq 150000; seq 150000 >&2\"", u"",
                                             waitAtLaunch ? pipes | LaunchWait : pipes);
        ASSERT_NE(handle, 0);
        EXPECT_EQ(waitAtLaunch ? ProgramExitCode(handle) : WaitProgram(handle), 0);
        EXPECT_TRUE(ReadAll(handle) == expected);
        EXPECT_TRUE(ReadAll(handle, ProgramErrors) == expected);
        ReleaseProgram(handle);
    }
}
