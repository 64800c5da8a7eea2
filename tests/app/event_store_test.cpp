#include "StoreFixture.h"
#include "runtime/system/strings/Strings.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nevalon::app::testing {
namespace {

using system::StringFromUtf8;

TEST_F(StoreTest, SavedFileHoldsEveryFieldAndLoadsBackWhole)
{
    EventRecord& first = Add(u"Über|Trip", 100, RecurYearly, 4);
    first.fileFlag = -3;
    first.reachedShown = 1;
    first.tenMinuteReminderShown = 1;
    first.titleGadget = 12;
    Add(u"", -5);
    SaveEvents();
    const std::string d1 = std::to_string(now + 100), d2 = std::to_string(now - 5);
    EXPECT_EQ(FileText(), "\xC3\x9C"
                          "ber\xC2\xA6Trip|" +
                              d1 + "|-3|6|4|1|0|1\n|" + d2 + "|0|0|5|0|0|0\n")
        << "a \"|\" in a title would split the line";
    struct stat status {};
    ASSERT_EQ(stat(folder.Path("nevalon_events.dat").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << "a new file is the user's private diary";

    State().Events.EmptyList();
    ASSERT_TRUE(ReadEventsFile());
    std::vector<EventRecord> loaded = Records();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].title, u"Über¦Trip");
    EXPECT_EQ(loaded[0].date, now + 100);
    EXPECT_EQ(loaded[0].fileFlag, -3);
    EXPECT_EQ(loaded[0].recurrence, RecurYearly);
    EXPECT_EQ(loaded[0].category, 4);
    EXPECT_EQ(loaded[0].reachedShown + loaded[0].dayReminderShown * 2 + loaded[0].tenMinuteReminderShown * 4,
              5);
    EXPECT_EQ(loaded[0].titleGadget, 0) << "gadget numbers are never stored";
    EXPECT_EQ(loaded[1].title, u"");
}

TEST_F(StoreTest, LoaderCountsSeparatorsAndKeepsTheLowByte)
{
    PutFile("\xEF\xBB\xBFshort|10|0|1|2|1\r\n" // five separators: no reminder flags; CR LF
            "six|11|0|0|3|0|1\n"               // six: field 7 only
            "\n"
            "four|12|0|0|3\n"                 // too few separators: skipped
            "bytes|13|257|0|0|258|-255|511\n" // low eight bits
            "extra|14|0|0|1|0|0|1|note|x\n"   // fields after the eighth are ignored
            "Fly|Away|15|0|2|6|0|1|0\n"       // a title split by an older build is joined again
            " words |x|y|z|w|v|u|t\r"         // text where numbers belong converts to 0; CR alone ends a line
            "last|16|0|0|0|0|0|0");           // no line end at the end of the file
    ASSERT_TRUE(ReadEventsFile());
    const std::vector<EventRecord> r = Records();
    ASSERT_EQ(r.size(), 7u);
    auto fields = [](const EventRecord& e) {
        return std::vector<int64_t>{e.date,
                                    e.fileFlag,
                                    e.recurrence,
                                    e.category,
                                    e.reachedShown,
                                    e.dayReminderShown,
                                    e.tenMinuteReminderShown};
    };
    EXPECT_EQ(r[0].title, u"short");
    EXPECT_EQ(fields(r[0]), (std::vector<int64_t>{10, 0, 1, 2, 1, 0, 0}));
    EXPECT_EQ(fields(r[1]), (std::vector<int64_t>{11, 0, 0, 3, 0, 1, 0}));
    EXPECT_EQ(fields(r[2]), (std::vector<int64_t>{13, 1, 0, 0, 2, 1, -1}));
    EXPECT_EQ(fields(r[3]), (std::vector<int64_t>{14, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(r[4].title, u"Fly¦Away");
    EXPECT_EQ(fields(r[4]), (std::vector<int64_t>{15, 0, 2, 6, 0, 1, 0}));
    EXPECT_EQ(r[5].title, u" words ");
    EXPECT_EQ(fields(r[5]), (std::vector<int64_t>(7, 0)));
    EXPECT_EQ(r[6].title, u"last");
}

TEST_F(StoreTest, MissingOrEmptyFileLeavesTheListAsItIs)
{
    Add(u"kept", 60);
    EXPECT_FALSE(ReadEventsFile());
    PutFile("");
    EXPECT_FALSE(ReadEventsFile());
    ASSERT_EQ(Records().size(), 1u);
    State().Events.EmptyList();
    PutFile("old|1|0|0|0|0|0|0\n");
    SaveEvents();
    EXPECT_EQ(FileText(), "") << "an empty list saves an empty file";
}

TEST_F(StoreTest, GroupingOrdersByCategoryThenTitleAndKeepsStrangeCategoriesLast)
{
    const std::pair<const char16_t*, int64_t> records[] = {{u"zoo", 6}, {u"b2", 1}, {u"odd", 9},  {u"a", 1},
                                                           {u"B", 1},   {u"b2", 1}, {u"neg", -1}, {u"x", 0}};
    for (int64_t i = 0; i < 8; ++i)
        Add(records[i].first, i, RecurNever, records[i].second).fileFlag = static_cast<int8_t>(i);
    GroupByCategory();
    std::vector<std::pair<String, int64_t>> order;
    for (const EventRecord& e : Records())
        order.emplace_back(e.title, e.fileFlag);
    EXPECT_EQ(
        order,
        (std::vector<std::pair<String, int64_t>>{
            {u"x", 7}, {u"B", 4}, {u"a", 3}, {u"b2", 1}, {u"b2", 5}, {u"zoo", 0}, {u"neg", 6}, {u"odd", 2}}));
    SaveEvents();
    EXPECT_NE(FileText().find("|9|0|0|0\n"), std::string::npos);
}

TEST_F(StoreTest, FailedSaveLeavesThePreviousFileWhole)
{
    const std::string previous = "old|1|0|0|0|0|0|0\n";
    PutFile(previous);
    chmod(folder.Path("nevalon_events.dat").c_str(), 0640);
    for (int i = 0; i < 2000; ++i)
        Add(u"a long enough title", i);
    // The disk fills up after 4 KiB: writes fail as on a full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    SaveEvents();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(FileText(), previous);
    // A folder that cannot take the new file, and one that does not exist.
    folder.Put("blocked/nevalon_events.dat." + std::to_string(getpid()) + ".saving/x", "");
    State().EventsFilePath = StringFromUtf8(folder.Path("blocked/nevalon_events.dat"));
    SaveEvents();
    State().EventsFilePath = StringFromUtf8(folder.Path("missing/nevalon_events.dat"));
    SaveEvents();
    EXPECT_EQ(std::filesystem::directory_entry(folder.Path("missing")).exists(), false);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2)
        << "no half-written file is left behind";

    // A good save through a link replaces the linked file and keeps its permissions.
    symlink("nevalon_events.dat", folder.Path("link.dat").c_str());
    State().EventsFilePath = StringFromUtf8(folder.Path("link.dat"));
    State().Events.EmptyList();
    Add(u"new", 1);
    SaveEvents();
    EXPECT_EQ(FileText(), "new|" + std::to_string(now + 1) + "|0|0|5|0|0|0\n");
    struct stat status {};
    lstat(folder.Path("nevalon_events.dat").c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

} // namespace
} // namespace nevalon::app::testing
