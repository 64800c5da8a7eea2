#include "PermissionsBind.h"
#include "StoreFixture.h"
#include "app/Countdown.h"
#include "app/ListWindow.h"
#include "app/Reminders.h"
#include "runtime/date/Dates.h"

#include <sys/stat.h>

namespace nevalon::app::testing {
namespace {

const String kDay = u"This is a reminder that 'e' is happening in 1 day!";
const String kTen = u"This is a reminder that 'e' is happening in 10 minutes!";
const String kReached = u"A Countdown Event was reached!\n\rThe event 'e' is happening now!\n\r\n";

TEST_F(StoreTest, EachReminderOpensAtItsExactSecond)
{
    const std::pair<int64_t, String> cases[] = {
        {86401, u""}, {86400, kDay}, {85801, kDay},         {85800, u""},
        {601, u""},   {600, kTen},   {541, kTen},           {540, u""},
        {1, u""},     {0, kReached}, {-400000000, kReached}};
    for (const auto& [remaining, notice] : cases) {
        State().Events.EmptyList();
        notices.clear();
        sounds.clear();
        Add(u"e", remaining, RecurNever, 4);
        CheckReminders();
        CheckReminders();
        EXPECT_EQ(notices, notice.empty() ? std::vector<String>{} : std::vector<String>{notice}) << remaining;
        EXPECT_EQ(sounds, notice.empty() ? std::vector<int64_t>{} : std::vector<int64_t>{22}) << remaining;
    }
}

TEST_F(StoreTest, ADailyEventInAProgramNeverClickedIsRemindedOfEveryOccurrence)
{
    static int64_t unixTime = kNow;
    date::SetClockForTests(
        [] { return std::chrono::system_clock::time_point(std::chrono::seconds(unixTime)); });
    Add(u"e", 86400 + 30, RecurDaily, 4);
    // The minute check, every minute from a day before the first occurrence to just after the third.
    for (unixTime = kNow; unixTime <= kNow + 3 * 86400 + 60; unixTime += 60)
        CheckReminders();
    const std::vector<String> occurrence = {kDay, kTen, kReached};
    std::vector<String> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), occurrence.begin(), occurrence.end());
    EXPECT_EQ(notices, expected);
    EXPECT_EQ(FileText(), "e|" + std::to_string(now + 30 + 4 * 86400) + "|0|1|4|0|0|0\n")
        << "rolled on to the fourth occurrence, its notices still to come";
    unixTime = kNow + 3 * 86400 + 180;
    CountdownRows();
    EXPECT_EQ(notices.size(), 9u) << "the list build finds nothing left to roll";
}

TEST_F(StoreTest, NoticesAndRollOversThatCannotBeSavedStayInMemoryAndTheFailureIsSaidOnce)
{
    Add(u"e", -60, RecurNever, 4);
    Add(u"d", -60, RecurWeekly, 4);
    {
        PermissionsBind bind;
        chmod(folder.Path().c_str(), 0555);
        CheckReminders();
        CheckReminders();
        EXPECT_FALSE(ReadEventsFile());
        CheckReminders();
        chmod(folder.Path().c_str(), 0700);
    }
    ASSERT_EQ(notices.size(), 3u) << "a notice is not shown again when its flag could not be saved";
    EXPECT_EQ(notices[0], kReached);
    EXPECT_EQ(notices[1],
              u"Nevalon could not save your events to " + State().EventsFilePath +
                  u": Permission denied.\n\nYour changes stay in the list while Nevalon runs, and "
                  u"are saved as soon as saving works again.\n");
    EXPECT_EQ(notices[2], u"A Countdown Event was reached!\n\rThe event 'd' is happening now!\n\r\n");
    EXPECT_EQ(Records()[1].date, now + 7 * 86400 - 60);
    EXPECT_EQ(FileText(), "");
}

TEST_F(StoreTest, RemindersOfOnePassComeInListOrderAndTheirFlagsSurviveAReload)
{
    Add(u"first", 600);
    Add(u"second", 600, RecurNever, 1);
    Add(u"third", -60, RecurNever, 1);
    CheckReminders();
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[1], u"This is a reminder that 'second' is happening in 10 minutes!");
    EXPECT_EQ(notices[2], u"A Countdown Event was reached!\n\rThe event 'third' is happening now!\n\r"
                          u"Since this is a Birthday, make sure you remember to buy a card!\n");
    EXPECT_EQ(fileAtNotice[1].find("first|" + std::to_string(now + 600) + "|0|0|5|0|0|1\n"), 0u)
        << "the file is saved after each notice";
    ASSERT_TRUE(ReadEventsFile());
    CheckReminders();
    EXPECT_EQ(notices.size(), 3u) << "a notice once shown is not shown again after a restart";
}

TEST_F(StoreTest, CountdownTextAtEachBoundary)
{
    const std::pair<int64_t, const char16_t*> cases[] = {
        {1, u"Less than a minute left"},
        {59, u"Less than a minute left"},
        {60, u"1 minute"},
        {119, u"1 minute"},
        {120, u"2 minutes"},
        {121, u"3 minutes"},
        {3599, u"60 minutes"},
        {3600, u"1 hour"},
        {3659, u"1 hour"},
        {3660, u"1 hour, 1 minute"},
        {7199, u"1 hour, 59 minutes"},
        {7200, u"2 hours"},
        {7319, u"2 hours, 1 minute"},
        {86400, u"1 day, 0 hours"},
        {90000, u"1 day, 1 hour"},
        {172800, u"2 days, 0 hours"},
        {31535999, u"364 days, 23 hours"},
        {31536000, u"1 year, 0 months, 0 days"},
        {63072000, u"2 years, 0 months, 0 days"},
        {31536000 + 31104000, u"1 year, 12 months, 0 days"},
        {31536000 + 2592000 + 86400, u"1 year, 1 month, 1 day"}};
    for (const auto& [d, text] : cases)
        EXPECT_EQ(CountdownText(d), text) << d;
}

TEST_F(StoreTest, PassedDailyEventRollsOverPastNowWithOneNoticeAndFreshFlagsAndCountsDownAtOnce)
{
    EventRecord& record = Add(u"e", -(5 * 86400 + 3600), RecurDaily, 4);
    record.dayReminderShown = record.tenMinuteReminderShown = 1;
    const std::vector<CountdownRow> rows = CountdownRows();
    EXPECT_EQ(notices, std::vector<String>{kReached});
    EXPECT_EQ(rows[0].text, u"23 hours") << "the countdown to its new time, not an empty line";
    EXPECT_EQ(rows[0].colour, IsDarkMode() ? kColourWhite : kColourBlack);
    const std::string expected = "e|" + std::to_string(now + 23 * 3600) + "|0|1|4|0|0|0\n";
    EXPECT_EQ(FileText(), expected) << "six steps, the last 23 hours ahead";
    CountdownRows();
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(CountdownRows()[0].text, u"23 hours");
}

TEST_F(StoreTest, StatusToolTipNamesTheSoonestEventCountingAPassedRepeatingOneByItsNextTime)
{
    EXPECT_EQ(StatusToolTip(now), u"Nevalon");
    Add(u"passed", -3600);
    Add(u"later", 2 * 86400);
    EXPECT_EQ(StatusToolTip(now), u"Nevalon\nlater: 2 days, 0 hours");
    Add(u"daily", -(5 * 86400 + 3600), RecurDaily);
    EXPECT_EQ(StatusToolTip(now), u"Nevalon\ndaily: 23 hours");
    EXPECT_EQ(FileText(), "") << "nothing is rolled over or saved";
}

TEST_F(StoreTest, PassedEventsThatCannotStepStayAsTheyAre)
{
    platform::SetAppearance(true);
    Add(u"never", -1);
    Add(u"unlisted", -1, 9);
    Add(u"ancient", date::kFirstDate - now - 86400 * 400, RecurDaily);
    GroupByCategory();
    const std::vector<EventRecord> before = Records();
    const std::vector<CountdownRow> rows = CountdownRows();
    const std::vector<CountdownRow> again = CountdownRows();
    platform::SetAppearance(false);
    EXPECT_EQ(notices.size(), 3u) << "each reached notice is shown once";
    EXPECT_EQ(rows[0].text, u"");
    EXPECT_EQ(rows[1].text, u"This event has passed!");
    EXPECT_EQ(again[2].text, u"");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Records()[i].date, before[i].date) << i;
        EXPECT_EQ(rows[i].colour, kColourYellow) << "dark appearance";
    }
    Add(u"ahead", 60);
    EXPECT_EQ(CountdownRows()[0].colour, kColourBlack) << "\"ahead\" sorts first";
}

TEST_F(StoreTest, YearlyAndMonthlyStepsKeepTheDayTheMonthAllows)
{
    using date::MakeDate;
    date::Date leap = MakeDate(2024, 2, 29, 10, 0, 0);
    std::vector<date::Date> years;
    for (int i = 0; i < 4; ++i)
        years.push_back(leap = NextOccurrence(leap, RecurYearly));
    EXPECT_EQ(years,
              (std::vector<date::Date>{MakeDate(2025, 2, 28, 10, 0, 0), MakeDate(2026, 2, 28, 10, 0, 0),
                                       MakeDate(2027, 2, 28, 10, 0, 0), MakeDate(2028, 2, 28, 10, 0, 0)}));
    EXPECT_EQ(NextOccurrence(MakeDate(2096, 2, 29, 0, 0, 0), RecurYearly), MakeDate(2097, 2, 28, 0, 0, 0));
    date::Date month = NextOccurrence(MakeDate(2025, 1, 31, 9, 0, 0), RecurMonthly);
    EXPECT_EQ(month, MakeDate(2025, 2, 28, 9, 0, 0));
    EXPECT_EQ(NextOccurrence(month, RecurMonthly), MakeDate(2025, 3, 28, 9, 0, 0));
    EXPECT_EQ(NextOccurrence(MakeDate(2023, 11, 30, 9, 0, 0), RecurQuarterly),
              MakeDate(2024, 2, 29, 9, 0, 0));
    EXPECT_EQ(NextOccurrence(MakeDate(2025, 1, 31, 9, 0, 0), RecurBiweekly), MakeDate(2025, 2, 14, 9, 0, 0));
    EXPECT_EQ(NextOccurrence(MakeDate(9999, 12, 31, 9, 0, 0), RecurWeekly), date::InvalidDate);
}

} // namespace
} // namespace nevalon::app::testing
