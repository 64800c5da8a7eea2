#include "StoreFixture.h"
#include "app/CommandLine.h"

#include <cstdio>
#include <filesystem>

namespace nevalon::app::testing {
namespace {

// The events file at the fixture's clock: passed for good, passed and recurring daily, ahead, and a title
// holding JSON's special characters.
class CommandLineTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
        auto line = [this](const char* title, int64_t in, int64_t recurrence, int64_t category) {
            return std::string(title) + "|" + std::to_string(now + in) + "|0|" + std::to_string(recurrence) +
                   "|" + std::to_string(category) + "|1|0|0\n";
        };
        PutFile(line("Trip", 90000, RecurNever, 6) + line("Launch", -1000, RecurNever, 1) +
                line("Standup", -5 * 86400 - 3600, RecurDaily, 4) +
                line("Say \"hi\"\\\tnow", 31536000, RecurNever, 0));
    }
    void TearDown() override
    {
        unsetenv("XDG_DATA_HOME");
        StoreTest::TearDown();
    }
    // The exit code, stdout and stderr of `nevalon args...` at the fixture's clock.
    std::tuple<int, std::string, std::string> Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "nevalon");
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        std::string out, err;
        int code =
            AnswerCommandLine(ParseCommandLine(static_cast<int>(argv.size()), argv.data()), now, out, err);
        return {code, out, err};
    }
};

constexpr const char* kList = "Say \"hi\"\\ now: 1 year, 0 months, 0 days\nLaunch: This event has passed!\n"
                              "Standup: 23 hours\nTrip: 1 day, 1 hour\n";
constexpr const char* kJson =
    R"({"text":"Standup: 23 hours","tooltip":"Say \"hi\"\\ now: 1 year, 0 months, 0 days\n)"
    R"(Launch: This event has passed!\nStandup: 23 hours\nTrip: 1 day, 1 hour","class":"upcoming"})"
    "\n";

TEST_F(CommandLineTest, AnswersFromTheFileWithoutChangingIt)
{
    const std::string before = FileText();
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{"--list"}, 0, kList, ""},
        {{"--next"}, 0, "Standup: 23 hours\n", ""},
        {{"--json"}, 0, kJson, ""},
        {{"--json", "--next"}, 0, kJson, ""},
        {{"--bogus"}, 2, "", "nevalon: unknown option '--bogus' (see nevalon --help)\n"},
        {{"--next", "x"}, 2, "", "nevalon: unknown option 'x' (see nevalon --help)\n"},
        {{"--list", "--json"}, 2, "", "nevalon: --json goes with --next only\n"},
        {{"--next", "--list"}, 2, "", "nevalon: --next and --list cannot go together\n"},
    };
    for (const auto& [args, code, out, err] : cases)
        EXPECT_EQ(Run(args), std::make_tuple(code, out, err)) << args[0];
    EXPECT_EQ(FileText(), before) << "a passed recurring event is not rolled over in the file";
    EXPECT_TRUE(std::get<1>(Run({"--version"})).starts_with("nevalon 0."));
    EXPECT_TRUE(std::get<1>(Run({"--help"})).starts_with("Usage: nevalon [--next | --list] [--json]\n"));
    char name[] = "nevalon", platform[] = "-platform", offscreen[] = "offscreen", session[] = "--session=1";
    char* argv[] = {name, platform, offscreen, session};
    EXPECT_EQ(ParseCommandLine(4, argv).action, CommandLine::StartProgram)
        << "the toolkit's own options start it";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "nothing else written";
}

TEST_F(CommandLineTest, JsonReadsBackWithItsFields)
{
    const std::string json = std::get<1>(Run({"--json"}));
    const std::string check =
        "python3 -c 'import json,sys; d=json.loads(sys.argv[1]); "
        "print(d[\"text\"], d[\"class\"], len(d[\"tooltip\"].splitlines()), sep=\"|\")' '" +
        json.substr(0, json.size() - 1) + "'";
    FILE* python = popen(check.c_str(), "r");
    ASSERT_TRUE(python);
    char parsed[128] = "";
    fgets(parsed, sizeof parsed, python);
    pclose(python);
    EXPECT_STREQ(parsed, "Standup: 23 hours|upcoming|4\n");
}

TEST_F(CommandLineTest, NextWithoutUpcomingEventsAndBrokenFiles)
{
    const std::tuple<std::string, int, std::string, std::string> cases[] = {
        {"", 0, R"({"text":"No countdown events","tooltip":"","class":"passed"})", ""},
        {"Old|1|0|0|1|1|0|0\nLater|" + std::to_string(now - 5) + "|0|0|1|1|0|0\n", 0,
         R"({"text":"Later: This event has passed!","tooltip":"Later: This event has passed!\nOld: This event )"
         R"(has passed!","class":"passed"})",
         ""},
        {"\x7f"
         "ELF\x01\x02 no separators here\n\xff\xfe",
         2, "", "nevalon: the events file " + folder.Path("nevalon_events.dat") + " holds no event"},
    };
    for (const auto& [file, code, out, err] : cases) {
        PutFile(file);
        EXPECT_EQ(Run({"--json"}),
                  std::make_tuple(code, out.empty() ? out : out + "\n", err.empty() ? err : err + "\n"))
            << file;
    }
    std::filesystem::remove(folder.Path("nevalon_events.dat"));
    EXPECT_EQ(std::get<1>(Run({"--next"})), std::string(kNoEventsText, kNoEventsText + 19) + "\n");
    std::filesystem::create_directory(folder.Path("nevalon_events.dat"));
    EXPECT_EQ(std::get<0>(Run({"--list"})), 2) << "a folder in place of the file";
}

} // namespace
} // namespace nevalon::app::testing
