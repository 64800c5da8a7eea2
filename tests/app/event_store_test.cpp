#include "PermissionsBind.h"
#include "StoreFixture.h"
#include "runtime/system/strings/Strings.h"

#include <cerrno>
#include <csignal>
#include <random>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nevalon::app::testing {
namespace {

using system::StringFromUtf8;

TEST_F(StoreTest, SavedFileHoldsEveryFieldAndLoadsBackWhole)
{
    EventRecord& first = Add(u"Über|Trip\n", 100, RecurYearly, 4);
    first.fileFlag = -3;
    first.reachedShown = 1;
    first.tenMinuteReminderShown = 1;
    first.titleGadget = 12;
    Add(u"", -5);
    ASSERT_TRUE(SaveEvents());
    const std::string d1 = std::to_string(now + 100), d2 = std::to_string(now - 5);
    EXPECT_EQ(FileText(), "\xC3\x9C"
                          "ber\xC2\xA6Trip |" +
                              d1 + "|-3|6|4|1|0|1\n|" + d2 + "|0|0|5|0|0|0\n")
        << "a \"|\" in a title would split its fields, a line break its line";
    struct stat status {};
    ASSERT_EQ(stat(folder.Path("nevalon_events.dat").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << "a new file is the user's private diary";

    State().Events.EmptyList();
    ASSERT_TRUE(ReadEventsFile());
    std::vector<EventRecord> loaded = Records();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].title, u"Über¦Trip ");
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
            " wo\trds\x7F|x|y|z|w|v|u|t\r"    // text where numbers belong converts to 0; CR alone ends a line
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
    EXPECT_EQ(r[5].title, u" wo rds ") << "a title holds no control character";
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
    EXPECT_TRUE(SaveEvents());
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
    ASSERT_TRUE(SaveEvents());
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
    // SIGXFSZ keeps its default action, which would end the program.
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = SaveEvents();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(State().EventsFile.saveProblem, StringFromUtf8(strerror(EFBIG)));
    EXPECT_EQ(FileText(), previous);
    {
        PermissionsBind bind;
        chmod(folder.Path().c_str(), 0555);
        EXPECT_FALSE(SaveEvents());
        chmod(folder.Path().c_str(), 0700);
    }
    EXPECT_EQ(State().EventsFile.saveProblem, StringFromUtf8(strerror(EACCES)));
    EXPECT_EQ(FileText(), previous) << "read-only folder";
    EXPECT_EQ(Records().size(), 2000u);
    // A folder that cannot take the new file, and one that does not exist.
    folder.Put("blocked/nevalon_events.dat." + std::to_string(getpid()) + ".saving/x", "");
    State().EventsFilePath = StringFromUtf8(folder.Path("blocked/nevalon_events.dat"));
    EXPECT_FALSE(SaveEvents());
    EXPECT_EQ(State().EventsFile.saveProblem, StringFromUtf8(strerror(EISDIR)));
    State().EventsFilePath = StringFromUtf8(folder.Path("missing/nevalon_events.dat"));
    EXPECT_FALSE(SaveEvents());
    EXPECT_EQ(State().EventsFile.saveProblem, StringFromUtf8(strerror(ENOENT)));
    EXPECT_EQ(std::filesystem::directory_entry(folder.Path("missing")).exists(), false);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2)
        << "no half-written file is left behind";

    // A good save through a link replaces the linked file and keeps its permissions.
    ASSERT_EQ(symlink("nevalon_events.dat", folder.Path("link.dat").c_str()), 0);
    State().EventsFilePath = StringFromUtf8(folder.Path("link.dat"));
    State().Events.EmptyList();
    Add(u"new", 1);
    ASSERT_TRUE(SaveEvents());
    EXPECT_FALSE(State().EventsFile.unsaved);
    EXPECT_EQ(FileText(), "new|" + std::to_string(now + 1) + "|0|0|5|0|0|0\n");
    struct stat status {};
    lstat(folder.Path("nevalon_events.dat").c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(StoreTest, AFileThatCannotBeReadIsNeverReplacedAndEventsAddedMeanwhileJoinItsOwn)
{
    const std::string kept = "kept|1|0|0|0|0|0|0\nnotes of mine\n";
    PutFile(kept);
    chmod(folder.Path("nevalon_events.dat").c_str(), 0);
    {
        PermissionsBind bind;
        EXPECT_FALSE(ReadEventsFile());
        EXPECT_EQ(State().EventsFile.unreadable, EACCES);
        Add(u"kept", 1 - now);
        Add(u"added", 60);
        EXPECT_FALSE(SaveEvents());
        EXPECT_FALSE(ReadEventsFile());
    }
    EXPECT_NE(State().EventsFile.saveProblem.find(u"cannot be read"), String::npos);
    chmod(folder.Path("nevalon_events.dat").c_str(), 0600);
    EXPECT_EQ(FileText(), kept);
    ASSERT_TRUE(ReadEventsFile());
    std::vector<String> titles;
    for (const EventRecord& record : Records())
        titles.push_back(record.title);
    EXPECT_EQ(titles, (std::vector<String>{u"kept", u"added"})) << "each event once";
    EXPECT_TRUE(State().EventsFile.unsaved) << "the added event is not on the disk yet";
    ASSERT_TRUE(SaveEvents());
    EXPECT_NE(FileText().find("added|"), std::string::npos);
}

TEST_F(StoreTest, AFileWithLinesThatAreNoEventsIsCopiedAsideBeforeTheFirstSaveReplacesIt)
{
    auto copies = [this] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            if (entry.path().extension() == ".bak") names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    };
    PutFile("ok|5|0|0|1|0|0|0\n \t\n\n");
    ASSERT_TRUE(ReadEventsFile());
    ASSERT_TRUE(SaveEvents());
    EXPECT_TRUE(copies().empty()) << "blank lines hold nothing";

    const std::string notes = "Dentist on Friday\r\nok|5|0|0|1|0|0|0\nbuy|milk\n";
    PutFile(notes);
    ASSERT_TRUE(ReadEventsFile());
    ASSERT_EQ(Records().size(), 1u);
    ASSERT_TRUE(SaveEvents());
    ASSERT_EQ(copies().size(), 1u);
    const std::string copy = copies()[0];
    EXPECT_TRUE(std::regex_match(copy, std::regex(R"(nevalon_events\.dat\.\d{4}-\d\d-\d\d-\d{6}\.bak)")))
        << copy;
    EXPECT_EQ(State().EventsFile.copy, StringFromUtf8(folder.Path(copy)));
    EXPECT_EQ(FileBytes(folder.Path(copy)), notes);
    EXPECT_EQ(FileText(), "ok|5|0|0|1|0|0|0\n");
    ASSERT_TRUE(SaveEvents());
    EXPECT_EQ(copies().size(), 1u) << "one copy, before the first save only";

    // The same second again: a copy of its own, the first one untouched.
    PutFile("more notes\n");
    ReadEventsFile();
    ASSERT_TRUE(SaveEvents());
    EXPECT_EQ(copies().size(), 2u);
    EXPECT_EQ(FileBytes(folder.Path(copy.substr(0, copy.size() - 4) + "-2.bak")), "more notes\n");
    EXPECT_EQ(FileBytes(folder.Path(copy)), notes);
}

TEST_F(StoreTest, OnlyTheNewFilesOfSavesCutShortAreRemoved)
{
    const std::string kept[] = {"nevalon_events.dat", "nevalon_events.dat.12a.saving",
                                "nevalon_events.dat..saving", "other.dat.77.saving", "nevalon_events.dat.5"};
    for (const std::string& name : kept)
        folder.Put(name, "x");
    folder.Put("nevalon_events.dat.4242.saving", "half");
    folder.Put("nevalon_events.dat.7.saving", "");
    RemoveUnfinishedSaves();
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected(std::begin(kept), std::end(kept));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

TEST_F(StoreTest, HugeDamagedOrMisplacedFilesLoadWithoutHarm)
{
    std::string lines;
    for (int i = 0; i < 1000000; ++i)
        lines += "e|" + std::to_string(i) + "|0|0|1|0\n";
    PutFile(lines);
    ASSERT_TRUE(ReadEventsFile());
    EXPECT_EQ(State().Events.CountElements(), 1000000);

    const std::string title(1 << 20, 'T');
    PutFile(title + "|7|0|0|1|0|0|0\n");
    ASSERT_TRUE(ReadEventsFile());
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].title.size(), title.size());
    // A title of half a million fields, as a damaged file may hold, is joined in one pass.
    std::string fields;
    for (int i = 0; i < 1 << 19; ++i)
        fields += "x|";
    PutFile(fields + "1|0|0|1|0|0|0\n");
    ASSERT_TRUE(ReadEventsFile());
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].title.size(), (size_t{1} << 20) - 1);
    EXPECT_EQ(Records()[0].date, 1);

    // Random bytes: whatever lines hold five separators load, none of them with a line end in it.
    std::mt19937 random(14);
    std::string garbage(1 << 16, '\0');
    for (char& byte : garbage)
        byte = static_cast<char>(random() % 7 == 0 ? '|' : random());
    PutFile(garbage);
    ASSERT_TRUE(ReadEventsFile());
    EXPECT_GT(State().Events.CountElements(), 0);
    for (const EventRecord& e : Records())
        EXPECT_EQ(e.title.find_first_of(u"\r\n"), String::npos);

    State().EventsFilePath = StringFromUtf8(folder.Path());
    EXPECT_FALSE(ReadEventsFile()) << "a folder is no events file";
    EXPECT_GT(State().Events.CountElements(), 0);
    EXPECT_FALSE(SaveEvents());
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));
}

// Saves two lists by turns until it is killed at a random moment; the file always holds one of them whole.
TEST(StoreKillTest, AProgramKilledWhileSavingLeavesTheOldFileOrTheNewOne)
{
    // In memory where there is such a folder: a kill must wait for a sync to the disk to end, and
    // renaming is as atomic there.
    char pattern[] = "/dev/shm/nevalon-test-XXXXXX";
    const TempDirectory elsewhere;
    const std::string folder = mkdtemp(pattern) ? pattern : elsewhere.Path();
    struct Remove {
        std::string path;
        ~Remove() { std::filesystem::remove_all(path); }
    } remove{folder};
    State().EventsFilePath = StringFromUtf8(folder + "/nevalon_events.dat");
    State().EventsFile = {};
    auto store = [](int count, int64_t first) {
        EventList list;
        for (int i = 0; i < count; ++i) {
            EventRecord* record = list.InsertElement();
            record->title = u"event " + system::IntegerToString(i);
            record->date = first + i;
        }
        return list;
    };
    auto dates = [] {
        std::vector<int64_t> loaded;
        State().Events.RewindList();
        while (const EventRecord* record = State().Events.MoveNext())
            loaded.push_back(record->date);
        return loaded;
    };
    // Each long enough to take more than one write.
    EventList other = store(150, 1000);
    State().Events = store(40, 5000);
    const std::vector<int64_t> b = dates();
    std::swap(State().Events, other);
    const std::vector<int64_t> a = dates();
    ASSERT_TRUE(SaveEvents());

    std::mt19937 random(2026);
    int seen[2] = {0, 0};
    for (int kill = 0; kill < 1000; ++kill) {
        int saving[2];
        ASSERT_EQ(pipe(saving), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                std::swap(State().Events, other);
                (void)SaveEvents();
                (void)!write(saving[1], "s", 1);
            }
        }
        // Killed once it is saving: in a save or between two.
        char byte;
        ASSERT_EQ(read(saving[0], &byte, 1), 1);
        usleep(random() % 1000);
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(saving[0]);
        close(saving[1]);
        EventList kept = std::move(State().Events);
        ASSERT_TRUE(ReadEventsFile()) << "kill " << kill;
        const std::vector<int64_t> loaded = dates();
        ASSERT_TRUE(loaded == a || loaded == b) << "kill " << kill << ": " << loaded.size() << " records";
        ++seen[loaded == a ? 0 : 1];
        State().Events = std::move(kept);
    }
    EXPECT_GT(seen[0] * seen[1], 0) << "the kills fell while either list was on the disk";
    State().Events.EmptyList();
}

} // namespace
} // namespace nevalon::app::testing
