#include "StoreFixture.h"
#include "app/CommandLine.h"

#include <filesystem>

namespace nevalon::app::testing {
namespace {

// The events file at the fixture's clock: ahead, passed for good, passed and recurring daily, and a title
// holding JSON's special characters and a tab.
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

TEST_F(CommandLineTest, AnswersFromTheFileWithoutChangingIt)
{
    const std::string before = FileText();
    const std::string json =
        R"({"text":"Standup: 23 hours","tooltip":"Say \"hi\"\\ now: 1 year, 0 months, 0 days\nLaunch: This )"
        R"(event has passed!\nStandup: 23 hours\nTrip: 1 day, 1 hour","class":"upcoming"})";
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{"--list"},
         0,
         "Say \"hi\"\\ now: 1 year, 0 months, 0 days\nLaunch: This event has passed!\nStandup: 23 hours\n"
         "Trip: 1 day, 1 hour\n",
         ""},
        {{"--next"}, 0, "Standup: 23 hours\n", ""},
        {{"--json"}, 0, json + "\n", ""},
        {{"--json", "--next"}, 0, json + "\n", ""},
        {{"--bogus"}, 2, "", "nevalon: unknown option '--bogus' (see nevalon --help)\n"},
        {{"--next", "x"}, 2, "", "nevalon: unknown option 'x' (see nevalon --help)\n"},
        {{"--list", "--json"}, 2, "", "nevalon: --json goes with --next only\n"},
        {{"--next", "--list"}, 2, "", "nevalon: --next and --list cannot go together\n"},
    };
    for (const auto& [args, code, out, err] : cases)
        EXPECT_EQ(Run(args), std::make_tuple(code, out, err)) << args[0];
    EXPECT_EQ(FileText(), before) << "a passed recurring event is not rolled over in the file";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "nothing else written";
    EXPECT_EQ(std::get<1>(Run({"--version"})), "nevalon " NEVALON_VERSION "\n");
    char name[] = "nevalon", platform[] = "-platform", offscreen[] = "offscreen", session[] = "--session=1";
    char* argv[] = {name, platform, offscreen, session};
    EXPECT_EQ(ParseCommandLine(4, argv).action, CommandLine::StartProgram)
        << "the toolkit's own options start it";
}

TEST_F(CommandLineTest, NextWithoutUpcomingEventsAndFilesThatCannotBeRead)
{
    const std::string passed = "Old|1|0|0|1|1|0|0\nLater|" + std::to_string(now - 5) + "|0|0|1|1|0|0\n";
    const std::string garbage = "\x7f"
                                "ELF\x01\x02 no separators here\n\xff\xfe";
    const std::tuple<std::string, int, std::string, std::string> cases[] = {
        {"", 0,
         R"({"text":"No countdown events","tooltip":"","class":"passed"})"
         "\n",
         ""},
        {passed, 0,
         R"({"text":"Later: This event has passed!","tooltip":"Later: This event has passed!\nOld: This )"
         R"(event has passed!","class":"passed"})"
         "\n",
         ""},
        {garbage, 2, "",
         "nevalon: the events file " + folder.Path("nevalon_events.dat") + " holds no event\n"},
    };
    for (const auto& [file, code, out, err] : cases) {
        PutFile(file);
        EXPECT_EQ(Run({"--json"}), std::make_tuple(code, out, err)) << file;
    }
    std::filesystem::remove(folder.Path("nevalon_events.dat"));
    EXPECT_EQ(Run({"--next"}), std::make_tuple(0, std::string("No countdown events\n"), std::string()));
    std::filesystem::create_directory(folder.Path("nevalon_events.dat"));
    EXPECT_EQ(std::get<0>(Run({"--list"})), 2) << "a folder in place of the file";
}

} // namespace
} // namespace nevalon::app::testing
