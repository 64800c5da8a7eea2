#include "app/ReminderNotices.h"

#include "app/Shell.h"
#include "app/StoreNotices.h"
#include "app/ToolkitNumbers.h"
#include "platform/DesktopNotifications.h"
#include "platform/Sound.h"
#include "runtime/date/CurrentDate.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/StatusIcon.h"
#include "runtime/gui/WindowTimer.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>

namespace nevalon::app {
namespace {

using Clock = std::chrono::system_clock;

// The clock that CurrentDate reads: snoozes count the time a sleeping machine passes too.
Clock::time_point Now()
{
    const auto& clock = date::ClockOverride();
    return clock ? clock() : Clock::now();
}

bool SameReminder(const Reminder& a, const Reminder& b)
{
    return a.kind == b.kind && a.title == b.title && a.occurrence == b.occurrence;
}

// The record as it stood when the reminder came (`date`: its occurrence or its date after that pass).
EventRecord* FindRecord(const String& title, date::Date date)
{
    EventList& events = State().Events;
    for (int64_t i = 0; i < events.CountElements(); ++i) {
        EventRecord* record = events.SelectElement(i);
        if (record->title == title && record->date == date) return record;
    }
    return nullptr;
}

int8_t& FlagOf(EventRecord& record, ReminderKind kind)
{
    switch (kind) {
    case ReminderKind::Day:
        return record.dayReminderShown;
    case ReminderKind::TenMinutes:
        return record.tenMinuteReminderShown;
    default:
        return record.reachedShown;
    }
}

// Sets the reminder's flag as a box's OK does. A record that has moved on since (changed, deleted, rolled
// over) keeps its flags: they belong to its new occurrence.
void RecordShown(const Reminder& reminder)
{
    EventRecord* record = FindRecord(reminder.title, reminder.occurrence);
    if (!record || FlagOf(*record, reminder.kind) != 0) return;
    FlagOf(*record, reminder.kind) = 1;
    SaveEventsAndSay(SaveCause::Program);
}

// The box's text on a notification's lines: the boxes' "\n\r" line ends are plain line breaks there.
String NotificationBody(const String& text)
{
    String body = system::ReplaceSubstring(text, u"\n\r", u"\n");
    while (!body.empty() && body.back() == u'\n')
        body.pop_back();
    return body;
}

void SendNotification(const Reminder& reminder)
{
    ReminderNotices& notices = State().Notices;
    const int64_t number = ++notices.lastNumber;
    notices.sent.push_back({number, reminder, {}});
    platform::NotificationRequest request;
    request.applicationName = u"Nevalon";
    request.iconName = kApplicationIconName;
    request.desktopEntry = kDesktopEntryName;
    request.summary = kReminderTitle;
    request.body = NotificationBody(reminder.text);
    request.urgency = reminder.kind == ReminderKind::Reached ? platform::NotificationUrgency::Critical
                                                             : platform::NotificationUrgency::Normal;
    request.actions = {{kOpenAction, u"Open"}, {kSnoozeAction, u"Snooze 10 minutes"}};
    request.sound = platform::kReminderSound;
    // Handled in the main loop: the handler may run while a modal box waits for the person.
    platform::SendNotification(request, kNotificationAnswerMs,
                               [number](platform::NotificationEnd end, const std::u16string& action) {
                                   for (ReminderNotices::Sent& sent : State().Notices.sent)
                                       if (sent.number == number) sent.action = action;
                                   gui::QueueEvent(kNotificationEndedEvent, 0, 0, static_cast<int64_t>(end),
                                                   number);
                               });
}

// Whether a snoozed reminder still has its place: its event is as it was, and its next reminder is not due.
bool StillDue(const Reminder& reminder, date::Date now)
{
    if (!FindRecord(reminder.title, reminder.recordDate)) return false;
    switch (reminder.kind) {
    case ReminderKind::Day:
        return now < reminder.recordDate - 600;
    case ReminderKind::TenMinutes:
        return now < reminder.recordDate;
    default:
        // A recurring event's next occurrence begins with its one-day reminder.
        return reminder.recordDate == reminder.occurrence || now < reminder.recordDate - 86400;
    }
}

void SetSnoozeTimer()
{
    const std::vector<ReminderNotices::Snoozed>& snoozed = State().Notices.snoozed;
    if (snoozed.empty()) {
        gui::StopWindowTimer(kHolderWindow, kSnoozeTimer);
        return;
    }
    Clock::time_point next = snoozed.front().due;
    for (const ReminderNotices::Snoozed& one : snoozed)
        next = std::min(next, one.due);
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - Now()).count();
    gui::StartWindowTimer(kHolderWindow, kSnoozeTimer, std::max<int64_t>(1, wait));
}

} // namespace

void ShowReminderBox(const Reminder& reminder)
{
    if (reminder.kind == ReminderKind::Reached) {
        platform::PlaySystemSound(platform::kReminderSound);
        BringApplicationToFront();
    } else {
        BringApplicationToFront();
        platform::PlaySystemSound(platform::kReminderSound);
    }
    gui::ShowMessageBox(kReminderTitle, reminder.text);
}

bool DeliverReminder(const Reminder& reminder)
{
    if (State().DesktopNotifications == 0) {
        ShowReminderBox(reminder);
        return true;
    }
    const std::vector<ReminderNotices::Sent>& sent = State().Notices.sent;
    if (std::none_of(sent.begin(), sent.end(),
                     [&](const ReminderNotices::Sent& one) { return SameReminder(one.reminder, reminder); }))
        SendNotification(reminder);
    return false;
}

void NotificationEnded(int64_t number, int64_t end)
{
    std::vector<ReminderNotices::Sent>& sent = State().Notices.sent;
    const auto it = std::find_if(sent.begin(), sent.end(),
                                 [number](const ReminderNotices::Sent& one) { return one.number == number; });
    if (it == sent.end()) return;
    const ReminderNotices::Sent ended = *it;
    sent.erase(it);
    if (end == static_cast<int64_t>(platform::NotificationEnd::Failed)) ShowReminderBox(ended.reminder);
    RecordShown(ended.reminder);
    if (end != static_cast<int64_t>(platform::NotificationEnd::ActionInvoked)) return;
    if (ended.action == kOpenAction)
        gui::PostEvent(gui::EventStatusIcon, kStatusIcon, kHolderWindow, gui::StatusIconOpenRequest);
    if (ended.action == kSnoozeAction) {
        State().Notices.snoozed.push_back(
            {ended.reminder, Now() + std::chrono::milliseconds(State().SnoozeDelay)});
        SetSnoozeTimer();
    }
}

void BringBackSnoozedReminders()
{
    std::vector<ReminderNotices::Snoozed>& snoozed = State().Notices.snoozed;
    const Clock::time_point now = Now();
    std::vector<Reminder> due;
    for (auto it = snoozed.begin(); it != snoozed.end();) {
        if (it->due > now) {
            ++it;
            continue;
        }
        due.push_back(it->reminder);
        it = snoozed.erase(it);
    }
    SetSnoozeTimer();
    // The clock is read for each: a box before it may have stayed open a while.
    for (const Reminder& reminder : due)
        if (State().NotificationsOff == 0 && StillDue(reminder, date::CurrentDate()) &&
            DeliverReminder(reminder))
            RecordShown(reminder);
}

} // namespace nevalon::app
