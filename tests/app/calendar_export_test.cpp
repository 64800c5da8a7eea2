#include "StoreFixture.h"
#include "app/CalendarExport.h"
#include "runtime/date/MakeDate.h"

#include <algorithm>
#include <csignal>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace nevalon::app {
namespace {

using system::StringFromUtf8;

const std::regex kUuidPattern("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
const std::u16string kErrorText = u"There was a problem generating the Calendar file!\n";

// A fake xdg-open first on PATH notes every file it is asked to open.
class CalendarExportTest : public testing::StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        dir.Put("bin/xdg-open", "#!/bin/sh\necho \"xdg-open $*\" >> " + dir.Path("calls") + "\n", true);
        setenv("PATH", (dir.Path("bin") + ":" + savedPath).c_str(), 1);
    }
    void TearDown() override
    {
        setenv("PATH", savedPath.c_str(), 1);
        StoreTest::TearDown();
    }
    // The calls noted so far, once `count` of them have arrived (programs run detached).
    std::string Calls(long count) const
    {
        std::string calls;
        for (int i = 0; i < 500 && std::count(calls.begin(), calls.end(), '\n') < count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            calls = FileBytes(dir.Path("calls"));
        }
        return calls;
    }

    const std::string savedPath = getenv("PATH");
    TempDirectory dir;
};

TEST_F(CalendarExportTest, TheFileHoldsTheEventByteForByteWithAFreshUuidOwnerOnlyAndGoesToXdgOpen)
{
    const struct {
        const char16_t* title;
        date::Date moment;
        int64_t recurrence;
        std::string middle;
    } cases[] = {
        {u"Eve, dinner; caf\u00E9", date::MakeDate(2025, 12, 24, 18, 30, 0), RecurYearly,
         "SUMMARY:Eve\\, dinner\\; caf\xC3\xA9\r\nDESCRIPTION:Created via Nevalon\\nhttps://nevalon.app/apps"
         "\\nRepeats: Yearly\r\nCLASS:PUBLIC\r\nDTSTART:20251224T183000\r\nDTEND:20251224T190000\r\n"
         "DTSTAMP:20251224T183000\r\nRRULE:FREQ=YEARLY\r\n"},
        {u"C:\\new\n", date::MakeDate(2025, 12, 31, 23, 45, 0), RecurNever,
         "SUMMARY:C:\\\\new\\n\r\nDESCRIPTION:Created via "
         "Nevalon\\nhttps://nevalon.app/apps\r\nCLASS:PUBLIC\r\n"
         "DTSTART:20251231T234500\r\nDTEND:20260101T001500\r\nDTSTAMP:20251231T234500\r\n"},
    };
    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brask//Nevalon//EN\r\n"
                             "METHOD:PUBLISH\r\nBEGIN:VEVENT\r\nUID:";
    std::string calls;
    std::vector<std::string> uids;
    for (const auto& event : cases) {
        const std::string path = dir.Path(std::to_string(event.moment) + ".ics");
        WriteCalendarFile(StringFromUtf8(path), event.title, event.moment, event.recurrence);
        const std::string bytes = FileBytes(path);
        const std::string uid = bytes.substr(head.size(), 36);
        EXPECT_TRUE(std::regex_match(uid, kUuidPattern)) << uid;
        EXPECT_EQ(bytes,
                  head + uid + "\r\nLOCATION:Unknown\r\n" + event.middle + "END:VEVENT\r\nEND:VCALENDAR");
        struct stat status {};
        EXPECT_EQ(stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0, 0600u);
        uids.push_back(uid);
        calls += "xdg-open " + path + "\n";
        EXPECT_EQ(Calls(long(uids.size())), calls);
    }
    EXPECT_NE(uids[0], uids[1]);
    EXPECT_TRUE(notices.empty());
}

TEST_F(CalendarExportTest, ACalendarReaderGetsTheTitleMomentAndRuleBack)
{
    // python3-icalendar reads each file; what it decodes goes to a file beside it, fields split by U+001F.
    dir.Put("read.py",
            "import sys, icalendar\n"
            "for path in sys.argv[1:]:\n"
            "    event = icalendar.Calendar.from_ical(open(path, 'rb').read()).walk('VEVENT')[0]\n"
            "    rule = event['RRULE'].to_ical().decode() if 'RRULE' in event else ''\n"
            "    fields = [str(event['SUMMARY']), event.decoded('DTSTART').strftime('%Y%m%dT%H%M%S'),\n"
            "              rule, str(event['DESCRIPTION'])]\n"
            "    open(path + '.read', 'w', encoding='utf-8').write('\\x1f'.join(fields))\n");
    if (std::system("/usr/bin/python3 -c 'import icalendar' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-icalendar is not installed (scripts/setup installs it)";
    // Debian 12's python3-icalendar (4.0.3) unescapes twice and takes "\\n" after an escaped backslash
    // for a line break, so backslashes before "n", ";" and "," are checked byte for byte above.
    const std::pair<const char16_t*, int64_t> events[] = {
        {u"Mum birthday\nParty", RecurNever},
        {u"Eve, dinner; caf\u00E9 C:\\temp", RecurQuarterly},
        {u"", RecurWeekly}};
    std::string files;
    for (size_t i = 0; i < std::size(events); ++i) {
        const std::string path = dir.Path(std::to_string(i) + ".ics");
        WriteCalendarFile(StringFromUtf8(path), events[i].first, date::MakeDate(2026, 4, 30, 9, 5, 0),
                          events[i].second);
        files += " " + path;
    }
    ASSERT_EQ(std::system(("/usr/bin/python3 " + dir.Path("read.py") + files).c_str()), 0);
    const std::string rules[] = {"", "FREQ=MONTHLY;INTERVAL=3", "FREQ=WEEKLY"};
    const std::string repeats[] = {"", "\nRepeats: Quarterly", "\nRepeats: Weekly"};
    for (size_t i = 0; i < std::size(events); ++i)
        EXPECT_EQ(FileBytes(dir.Path(std::to_string(i) + ".ics.read")),
                  system::StringToUtf8(events[i].first) + "\x1f" + "20260430T090500\x1f" + rules[i] +
                      "\x1f"
                      "Created via Nevalon\nhttps://nevalon.app/apps" +
                      repeats[i])
            << i;
}

TEST_F(CalendarExportTest, AFileThatCannotBeMadeOrWrittenWholeIsAnErrorAndOpensNothing)
{
    dir.Put("target", "mine");
    ASSERT_EQ(symlink(dir.Path("target").c_str(), dir.Path("link.ics").c_str()), 0);
    WriteCalendarFile(StringFromUtf8(dir.Path("link.ics")), u"Event", 0, RecurNever);
    EXPECT_EQ(FileBytes(dir.Path("target")), "mine");
    // A file size limit cuts the write short, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    WriteCalendarFile(StringFromUtf8(dir.Path("cut.ics")), u"Event", 0, RecurNever);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(notices, (std::vector<String>{kErrorText, kErrorText}));
    // Only a sound export reaches xdg-open.
    WriteCalendarFile(StringFromUtf8(dir.Path("fine.ics")), u"Event", 0, RecurNever);
    EXPECT_EQ(Calls(1), "xdg-open " + dir.Path("fine.ics") + "\n");
}

} // namespace
} // namespace nevalon::app
