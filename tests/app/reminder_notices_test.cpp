#include "StoreFixture.h"
#include "app/Countdown.h"
#include "app/ListWindow.h"
#include "app/ReminderNotices.h"
#include "app/Reminders.h"
#include "platform/Sound.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/WaitEvent.h"

namespace nevalon::app::testing {
namespace {

using platform::NotificationEnd;

const String kTen = u"This is a reminder that 'e' is happening in 10 minutes!";

// Reminders with "Remind with Desktop Notifications" on, the notification server a stand-in that keeps each
// request and its handler, and a clock the test moves.
class NoticesTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        requests.clear();
        handlers.clear();
        notices.clear();
        sounds.clear();
        State().DesktopNotifications = 1;
        State().Notices = {};
        State().SnoozeDelay = 600000;
        seconds = kNow;
        date::SetClockForTests(
            [] { return std::chrono::system_clock::time_point(std::chrono::seconds(seconds)); });
        platform::SetNotificationServerForTests(
            [this](const platform::NotificationRequest& request, platform::NotificationHandler handler) {
                requests.push_back(request);
                handlers.push_back(std::move(handler));
            });
    }
    void TearDown() override
    {
        platform::SetNotificationServerForTests(nullptr);
        State().DesktopNotifications = 0;
        State().NotificationsOff = 0;
        State().Notices = {};
        while (gui::WaitEvent(0) != 0) {
        }
        StoreTest::TearDown();
    }

    // Ends request `i` as the server would, then runs the main loop's part; returns the other events queued.
    std::vector<std::pair<int64_t, int64_t>> End(size_t i, NotificationEnd end,
                                                 const std::u16string& action = u"")
    {
        handlers[i](end, action);
        std::vector<std::pair<int64_t, int64_t>> others;
        for (int64_t code; (code = gui::WaitEvent(0)) != 0;) {
            if (code == kNotificationEndedEvent)
                NotificationEnded(gui::EventData(), gui::EventSubtype());
            else if (code > 0)
                others.emplace_back(code, gui::EventSubtype());
        }
        return others;
    }
    std::vector<String> Bodies() const
    {
        std::vector<String> bodies;
        for (const platform::NotificationRequest& request : requests)
            bodies.push_back(request.body);
        return bodies;
    }

    static inline int64_t seconds = kNow;
    std::vector<platform::NotificationRequest> requests;
    std::vector<platform::NotificationHandler> handlers;
};

TEST_F(NoticesTest, EachReminderGoesToTheServerOnceAndIsRecordedAsABoxsOkDoesWhenItEnds)
{
    Add(u"day", 86400);
    Add(u"ten", 600);
    Add(u"reached", -60, RecurNever, 1);
    CheckReminders();
    CheckReminders();
    CountdownRows();
    ASSERT_EQ(requests.size(), 3u) << "a reminder whose notification shows is not sent again";
    EXPECT_EQ(Bodies(),
              (std::vector<String>{u"This is a reminder that 'day' is happening in 1 day!",
                                   u"This is a reminder that 'ten' is happening in 10 minutes!",
                                   u"A Countdown Event was reached!\nThe event 'reached' is happening "
                                   u"now!\nSince this is a Birthday, make sure you remember to buy a "
                                   u"card!"}));
    for (const platform::NotificationRequest& request : requests) {
        EXPECT_EQ(request.summary, u"Message from Nevalon");
        EXPECT_EQ(request.applicationName, u"Nevalon");
        EXPECT_EQ(request.iconName, u"nevalon");
        EXPECT_EQ(request.desktopEntry, u"com.brask.Nevalon");
        EXPECT_EQ(request.sound, platform::kReminderSound);
        EXPECT_EQ(request.actions, (std::vector<std::pair<std::u16string, std::u16string>>{
                                       {u"default", u"Open"}, {u"snooze", u"Snooze 10 minutes"}}));
    }
    EXPECT_EQ(requests[1].urgency, platform::NotificationUrgency::Normal);
    EXPECT_EQ(requests[2].urgency, platform::NotificationUrgency::Critical);
    EXPECT_TRUE(notices.empty() && sounds.empty()) << "no box, and the sound is the server's side";
    EXPECT_EQ(FileText(), "") << "nothing is recorded while the notifications show";

    EXPECT_TRUE(End(0, NotificationEnd::Closed).empty());
    const auto open = End(1, NotificationEnd::ActionInvoked, u"default");
    EXPECT_EQ(open,
              (std::vector<std::pair<int64_t, int64_t>>{{gui::EventStatusIcon, gui::StatusIconOpenRequest}}))
        << "Open asks to open the list window as the tray menu's Open does";
    // In the list's order: the list build grouped the birthday first.
    const std::string reachedLine = "reached|" + std::to_string(now - 60) + "|0|0|1|";
    const std::string others = "day|" + std::to_string(now + 86400) + "|0|0|5|0|1|0\nten|" +
                               std::to_string(now + 600) + "|0|0|5|0|0|1\n";
    EXPECT_EQ(FileText(), reachedLine + "0|0|0\n" + others);

    End(2, NotificationEnd::Failed);
    EXPECT_EQ(notices,
              std::vector<String>{u"A Countdown Event was reached!\n\rThe event 'reached' is happening "
                                  u"now!\n\rSince this is a Birthday, make sure you remember to buy a "
                                  u"card!\n"})
        << "one that may not have been seen comes in a box";
    EXPECT_EQ(sounds, std::vector<int64_t>{platform::kReminderSound});
    EXPECT_EQ(FileText(), reachedLine + "1|0|0\n" + others);
    End(2, NotificationEnd::Failed);
    CheckReminders();
    CountdownRows();
    EXPECT_EQ(requests.size(), 3u);
    EXPECT_EQ(notices.size(), 1u) << "an end that comes twice shows nothing twice";
}

TEST_F(NoticesTest, ASnoozedReminderComesAgainUntilItsEventChangesOrItsNextReminderIsDue)
{
    enum Change { None, Edit, Delete, SwitchOff, Boxes };
    struct Case {
        const char* name;
        int64_t remaining, recurrence;
        int64_t snoozeSeconds;
        Change change;
        String again; // the reminder's text when it comes again, "" when it is dropped
        bool box;
    };
    const String reached = u"A Countdown Event was reached!\nThe event 'e' is happening now!";
    const Case cases[] = {
        {"ten minutes, snoozed briefly", 600, RecurNever, 60, None, kTen, false},
        {"ten minutes, snoozed until the event", 600, RecurNever, 600, None, u"", false},
        {"one day", 86400, RecurNever, 600, None, u"This is a reminder that 'e' is happening in 1 day!",
         false},
        {"one day, the event changed", 86400, RecurNever, 600, Edit, u"", false},
        {"one day, the event deleted", 86400, RecurNever, 600, Delete, u"", false},
        {"reached", -60, RecurNever, 600, None, reached, false},
        {"reached, weekly", -60, RecurWeekly, 600, None, reached, false},
        {"reached, daily: the next day's reminder is due", -60, RecurDaily, 600, None, u"", false},
        {"reminders switched off", 600, RecurNever, 60, SwitchOff, u"", false},
        {"desktop notifications switched off", 600, RecurNever, 60, Boxes, kTen, true},
    };
    for (const Case& c : cases) {
        SetUp();
        Add(u"e", c.remaining, c.recurrence);
        CheckReminders();
        ASSERT_EQ(requests.size(), 1u) << c.name;
        State().SnoozeDelay = c.snoozeSeconds * 1000;
        End(0, NotificationEnd::ActionInvoked, u"snooze");
        const std::string recorded = FileText();
        seconds += c.snoozeSeconds - 1;
        BringBackSnoozedReminders();
        EXPECT_EQ(requests.size(), 1u) << c.name << ": not before its time";
        EventRecord& record = *State().Events.SelectElement(0);
        if (c.change == Edit) record.date += 60;
        if (c.change == Delete) State().Events.EmptyList();
        if (c.change == SwitchOff) State().NotificationsOff = 1;
        if (c.change == Boxes) State().DesktopNotifications = 0;
        seconds += 1;
        BringBackSnoozedReminders();
        BringBackSnoozedReminders();
        const String came =
            c.box ? (notices.empty() ? u"" : notices.back())
                  : (requests.size() < 2 ? u"" : requests.back().body.substr(0, reached.size()));
        EXPECT_EQ(came, c.again) << c.name;
        EXPECT_EQ(requests.size() + notices.size(), c.again.empty() ? 1u : 2u) << c.name << ": once";
        if (requests.size() == 2) {
            EXPECT_EQ(requests[1].urgency, requests[0].urgency) << c.name;
        }
        EXPECT_EQ(FileText(), recorded) << c.name << ": recorded once, at the snooze";
        TearDown();
    }
}

} // namespace
} // namespace nevalon::app::testing
