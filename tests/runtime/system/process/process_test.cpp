#include "runtime/system/TempDirectory.h"
#include "runtime/system/process/OutputReader.h"
#include "runtime/system/process/ParameterSplit.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/process/ProgramSearch.h"
#include "runtime/system/strings/Strings.h"

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace nevalon::system;

namespace {

// Everything a kept program writes to the chosen pipe, up to its end.
std::string ReadAll(int64_t handle, int64_t pipe = ProgramOutput)
{
    std::string text;
    char chunk[4096];
    for (int64_t got; (got = ReadProgramOutput(handle, chunk, sizeof chunk, pipe)) > 0;)
        text.append(chunk, got);
    return text;
}

// Checks the condition until it holds; false after a generous while, so that a fault fails, not hangs.
bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 3000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

// The state letter and the parent of a process from /proc/<pid>/stat; state 0 once it is gone.
std::pair<char, pid_t> StateOf(pid_t pid)
{
    std::string line;
    std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/stat"), line);
    const size_t close = line.rfind(')');
    if (close == std::string::npos || close + 4 >= line.size()) return {0, 0};
    return {line[close + 2], static_cast<pid_t>(std::stol(line.substr(close + 4)))};
}

// The processes whose parent is this test program, zombies included, apart from those given.
std::set<pid_t> OwnChildren(const std::set<pid_t>& apartFrom = {})
{
    std::set<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry.path().filename().c_str()));
        if (pid > 0 && StateOf(pid).second == getpid() && !apartFrom.contains(pid)) children.insert(pid);
    }
    return children;
}

constexpr int64_t kKeepOutput = LaunchKeepHandle | LaunchReadOutput;
constexpr int64_t kAllPipes = kKeepOutput | LaunchWriteInput | LaunchReadErrors;

class LaunchProgramTest : public ::testing::Test {
protected:
    void TearDown() override { ReleaseProgram(-1); }
    // The path of a new executable shell script with this body.
    String Script(const std::string& name, const std::string& body) const
    {
        return StringFromUtf8(dir.Put(name, "#!/bin/sh\n" + body, true));
    }
    String PathOf(const std::string& name) const { return StringFromUtf8(dir.Path(name)); }

    TempDirectory dir;
};

TEST_F(LaunchProgramTest, ParametersArriveSplitAtBlanksAsUtf8AndAtMost510)
{
    const String print = Script("print arguments", "printf '[%s]' \"$@\"\n");
    EXPECT_EQ(ReadAll(LaunchProgram(print, u" load  \"/tmp/My Folder/a.plist\"\t\u00E9\U0001F600\n", u"",
                                    kKeepOutput)),
              "[load][/tmp/My Folder/a.plist][\xC3\xA9\xF0\x9F\x98\x80]");
    String many;
    for (int i = 1; i <= 510; ++i)
        many += u"p" + IntegerToString(i) + u" ";
    const String count = Script("count", "echo \"$# $1 $510\"\n");
    EXPECT_EQ(ReadAll(LaunchProgram(count, many, u"", kKeepOutput)), "510 p1 p510\n");
    EXPECT_EQ(LaunchProgram(count, many + u"one-more", u"", kKeepOutput), 0);
}

TEST_F(LaunchProgramTest, ExitCodeIsMinusOneWhileRunningThenTheStatusOrOneForASignalOrAFailedStart)
{
    const std::pair<String, int64_t> cases[] = {
        {Script("three", "exit 3\n"), 3},
        {Script("killed", "kill -KILL $$\n"), 1},
        {StringFromUtf8(dir.Put("broken", "#!/no/shell\n", true)), 1}};
    for (const auto& [script, code] : cases) {
        const int64_t waited = LaunchProgram(script, u"", u"", LaunchKeepHandle | LaunchWait);
        EXPECT_EQ(ProgramExitCode(waited), code);
        EXPECT_EQ(WaitProgram(LaunchProgram(script, u"", u"", LaunchKeepHandle)), code);
        // Without a handle the result only says that the program was started.
        EXPECT_EQ(LaunchProgram(script, u"", u"", LaunchWait), 1);
    }
    const String waiting = Script("waiting", "echo ready\nread line\nexit 7\n");
    for (bool stop : {false, true}) {
        const int64_t handle = LaunchProgram(waiting, u"", u"", kAllPipes);
        // Under valgrind a signal before the child's exec is lost, so it is stopped once it runs.
        char ready[6];
        ASSERT_EQ(ReadProgramOutput(handle, ready, sizeof ready), 6);
        EXPECT_EQ(ProgramRunning(handle), 1);
        EXPECT_EQ(ProgramExitCode(handle), -1);
        EXPECT_EQ(stop ? StopProgram(handle) : WriteProgramString(handle, u"go\n"), stop ? 1 : 3);
        EXPECT_EQ(WaitProgram(handle), stop ? 1 : 7);
        EXPECT_EQ(ProgramRunning(handle) + StopProgram(handle), 0);
    }
}

TEST_F(LaunchProgramTest, InputOutputAndErrorsAreSeparatePipes)
{
    const int64_t handle = LaunchProgram(u"sh", u"-c \"tr a-z A-Z; echo done >&2\"", u"", kAllPipes);
    EXPECT_EQ(WriteProgramString(handle, u"hello world\n"), 12);
    EXPECT_EQ(ProgramOutputEnded(handle), 0);
    EXPECT_EQ(CloseProgramInput(handle), 1);
    EXPECT_EQ(CloseProgramInput(handle), 0);
    EXPECT_EQ(ReadAll(handle) + ReadAll(handle, ProgramErrors), "HELLO WORLD\ndone\n");
    EXPECT_EQ(ProgramOutputEnded(handle), 1);
    EXPECT_EQ(ReadProgramByte(handle), -1);
    // Writing to a program that stopped reading fails instead of ending the caller with SIGPIPE.
    const int64_t ended = LaunchProgram(u"true", u"", u"", LaunchKeepHandle | LaunchWriteInput);
    EXPECT_EQ(WaitProgram(ended), 0);
    EXPECT_EQ(WriteProgramString(ended, u"nobody reads this\n"), 0);
    // Nothing can be written to a waited program before it ends, so it meets the end of its input at once.
    const int64_t waited = LaunchProgram(u"sh", u"-c \"cat; echo read all\"", u"", kAllPipes | LaunchWait);
    EXPECT_EQ(ReadAll(waited), "read all\n");
    EXPECT_EQ(WriteProgramString(waited, u"late"), 0);
}

TEST_F(LaunchProgramTest, WaitingReadsOutputBeyondWhatAPipeHolds)
{
    std::string expected;
    for (int i = 1; i <= 150000; ++i)
        expected += std::to_string(i) + "\n";
    for (int64_t wait : {LaunchWait, int64_t{0}}) {
        // timeout turns a stalled wait into a failure rather than a hang.
        const int64_t handle = LaunchProgram(u"timeout", u"60 sh -c \"seq 150000; seq 150000 >&2\"", u"",
                                             LaunchKeepHandle | LaunchReadOutput | LaunchReadErrors | wait);
        EXPECT_EQ(wait ? ProgramExitCode(handle) : WaitProgram(handle), 0);
        EXPECT_TRUE(ReadAll(handle) == expected);
        EXPECT_TRUE(ReadAll(handle, ProgramErrors) == expected);
    }
}

TEST_F(LaunchProgramTest, ConnectInputFeedsTheSendersOutputToTheProgram)
{
    const int64_t sender =
        LaunchProgram(u"sh", u"-c \"read go; printf 'b\\na\\nc\\n'\"", u"", kKeepOutput | LaunchWriteInput);
    const int64_t receiver =
        LaunchProgram(u"sh", u"-c \"echo ready >&2; while read l; do r=$l$r; done; echo $r\"", u"",
                      kKeepOutput | LaunchReadErrors | LaunchConnectInput, sender);
    // The sender writes only once the receiver reads, so the receiver meets an empty pipe first.
    char ready[6];
    ASSERT_EQ(ReadProgramOutput(receiver, ready, sizeof ready, ProgramErrors), 6);
    EXPECT_EQ(WriteProgramString(sender, u"go\n"), 3);
    EXPECT_EQ(ReadAll(receiver), "cab\n");
    EXPECT_EQ(WaitProgram(receiver) + WaitProgram(sender), 0);
    EXPECT_EQ(ProgramOutputEnded(sender), 1);
}

TEST_F(LaunchProgramTest, ProgramIsFoundAlongPathAndRunInItsDirectory)
{
    Script("bin/nevalon-probe", "echo \"$1\" \"$(pwd)\"\n");
    dir.Put("sub dir/.keep", "");
    const std::string savedPath = getenv("PATH");
    setenv("PATH", (dir.Path("bin") + ":" + savedPath).c_str(), 1);
    EXPECT_EQ(ReadAll(LaunchProgram(u"nevalon-probe", u"x", PathOf("sub dir"), kKeepOutput)),
              "x " + dir.Path("sub dir") + "\n");
    const int64_t missing = LaunchProgram(u"nevalon-probe", u"", PathOf("missing"), kKeepOutput);
    EXPECT_EQ(ReadAll(missing), "");
    EXPECT_EQ(WaitProgram(missing), 1);
    EXPECT_EQ(LaunchProgram(u"nevalon-missing-probe", u"", u"", kKeepOutput), 0);
    setenv("PATH", savedPath.c_str(), 1);
}

TEST_F(LaunchProgramTest, ZeroUnitInNameParametersOrDirectoryStartsNothing)
{
    const String mark = Script("mark", "touch \"$0.ran\"\n");
    const String zero(1, u'\0');
    for (int64_t flags : {LaunchWait, LaunchKeepHandle | LaunchWait}) {
        EXPECT_EQ(LaunchProgram(mark + zero + u"x", u"", u"", flags), 0);
        EXPECT_EQ(LaunchProgram(mark, u"a" + zero + u"b", u"", flags) +
                      LaunchProgram(mark, u"a " + zero, u"", flags),
                  0);
        EXPECT_EQ(LaunchProgram(mark, u"", PathOf("") + zero + u"/missing", flags), 0);
        EXPECT_FALSE(std::filesystem::exists(dir.Path("mark.ran")));
    }
}

TEST_F(LaunchProgramTest, NothingIsLeftToReapAfterAReleaseOrWithoutAHandle)
{
    const String waiting = Script("waiting", "read line\n");
    const int64_t handle = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    const pid_t pid = static_cast<pid_t>(ProgramId(handle));
    // Releasing closes the program's input, so it ends on its own.
    EXPECT_EQ(ReleaseProgram(handle), 1);
    EXPECT_EQ(ReleaseProgram(handle) + ProgramRunning(handle) + ProgramId(handle), 0);
    EXPECT_EQ(ProgramExitCode(handle), -1);
    EXPECT_EQ(WaitProgram(handle), -1);
    EXPECT_EQ(WriteProgramString(handle, u"x") + AvailableProgramOutput(handle), 0);
    EXPECT_TRUE(pid > 0 && Eventually([&] { return StateOf(pid).first == 0; }))
        << "state " << StateOf(pid).first;
    const int64_t first = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    const int64_t second = LaunchProgram(waiting, u"", u"", LaunchKeepHandle | LaunchWriteInput);
    EXPECT_EQ(ReleaseProgram(-1), 1);
    EXPECT_EQ(ProgramId(first) + ProgramId(second) + ReleaseProgram(-1), 0);
    const std::string hold = dir.Path("hold");
    ASSERT_EQ(mkfifo(hold.c_str(), 0600), 0);
    const String runsOn =
        Script("runs on", "echo $$ > \"$1.tmp\"\nmv \"$1.tmp\" \"$1\"\nread line < \"$2\"\n");
    const std::set<pid_t> before = OwnChildren();
    ASSERT_EQ(LaunchProgram(runsOn, StringFromUtf8("\"" + dir.Path("pid") + "\" \"" + hold + "\"")), 1);
    EXPECT_EQ(OwnChildren(before), std::set<pid_t>());
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(dir.Path("pid")); }));
    const auto [state, parent] = StateOf(std::stoi(FileBytes(dir.Path("pid"))));
    EXPECT_TRUE(state != 0 && state != 'Z' && parent != getpid()) << state << " " << parent;
    const int release = open(hold.c_str(), O_WRONLY);
    EXPECT_EQ(write(release, "\n", 1), 1);
    close(release);
    // A waited program has ended when the launch returns, and it is reaped.
    EXPECT_EQ(LaunchProgram(Script("mark", "sleep 0.2\npwd > mark\n"), u"", PathOf(""), LaunchWait), 1);
    EXPECT_EQ(FileBytes(dir.Path("mark")), dir.Path() + "\n");
    EXPECT_EQ(OwnChildren(before), std::set<pid_t>());
}

TEST(ParameterSplit, BlanksSeparateTokensAndDoubleQuotesKeepThemInside)
{
    // Quotes inside a plain token stay; a quoted token ends at its closing quote, or at the end of its line.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {" \t\n ", {}},
        {"  load  now \t\nlater ", {"load", "now", "later"}},
        {"load \"/Users/a b/My Agent.plist\"", {"load", "/Users/a b/My Agent.plist"}},
        {"\"a\tb\nc\"d \"\" \xC3\xA9", {"a\tb\nc", "d", "", "\xC3\xA9"}},
        {"ab\"c d\"", {"ab\"c", "d\""}},
        {"a \"b c\nd e", {"a", "b c", "d", "e"}},
        {"\"", {""}}};
    for (const auto& [parameters, tokens] : cases)
        EXPECT_EQ(SplitParameters(parameters), tokens) << parameters;
}

// A runnable program is a non-empty executable file; "/tool" and "./tool" would name one joined to a PATH
// entry, but names starting so are never searched.
TEST_F(LaunchProgramTest, ProgramSearchTakesNamesWithASlashAsTheFileAndTriesOthersAlongPathInOrder)
{
    const std::string first = dir.Path("first"), second = dir.Path("second");
    dir.Put("first/tool", "#!/bin/sh\n");
    dir.Put("first/dir/.keep", "");
    dir.Put("first/empty", "", true);
    for (const char* name : {"second/tool", "second/dir", "second/empty"})
        dir.Put(name, "#!/bin/sh\n", true);
    const std::string savedPath = getenv("PATH");
    auto found = [](const std::string& path, const std::string& name) {
        setenv("PATH", path.c_str(), 1);
        return ProgramFound(name);
    };
    EXPECT_EQ((std::vector<bool>{found("::" + first + "/:" + second + ":", "tool"),
                                 found(first + ":" + second, "dir"), found(first + ":" + second, "empty"),
                                 found(second, second + "/./tool")}),
              std::vector<bool>(4, true));
    EXPECT_EQ((std::vector<bool>{found(first, "empty"), found(first, "tool"), found(first, first),
                                 found(second, "/tool"), found(second, "./tool"), found(second, "missing"),
                                 found(second, "")}),
              std::vector<bool>(7, false));
    unsetenv("PATH");
    EXPECT_FALSE(ProgramFound("tool"));
    setenv("PATH", savedPath.c_str(), 1);
}

TEST(OutputReader, ByteAndCharacterReadsNeverWaitAndCrossTheRingsEnd)
{
    Descriptor readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(readEnd, writeEnd));
    OutputReader reader(std::move(readEnd));
    auto send = [&writeEnd](const std::string& bytes) {
        return write(writeEnd.Get(), bytes.data(), bytes.size());
    };
    EXPECT_EQ(reader.ReadByte() + reader.ReadCharacter(), -2);
    EXPECT_FALSE(reader.EndOfOutput());
    std::string filler(OutputReader::kRingSize - 3, 'x');
    send(filler);
    EXPECT_EQ(reader.Read(filler.data(), OutputReader::kRingSize - 3), OutputReader::kRingSize - 3);
    // The third character crosses the ring's end; a pair packs its high surrogate in the low half.
    send("\xFF\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80\xF8Z\xE2\x82");
    EXPECT_EQ(reader.ReadByte(), 0xFF);
    for (int64_t expected : std::initializer_list<int64_t>{0xE9, 0x20AC, 0xDE00D83D, ' ', ' '})
        EXPECT_EQ(reader.ReadCharacter(), expected);
    EXPECT_EQ(reader.ReadByte(), 'Z');
    EXPECT_EQ(reader.ReadCharacter(), -1);
    send("\xAC\xC3");
    EXPECT_EQ(reader.ReadCharacter(), 0x20AC) << "a character split across writes is read whole";
    writeEnd.Reset();
    EXPECT_EQ(reader.ReadCharacter(), -1) << "cut off by the end, the rest can never come";
    EXPECT_TRUE(reader.EndOfOutput());
    EXPECT_EQ(reader.ReadByte(), -1);
}

} // namespace
