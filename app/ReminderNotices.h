#pragma once

#include "app/AppState.h"

#include <cstdint>

namespace nevalon::app {

// The title of every reminder, the summary of its desktop notification.
inline constexpr const char16_t* kReminderTitle = u"Message from Nevalon";
// How long the notification server has to take a reminder before it is shown in a box instead.
inline constexpr int64_t kNotificationAnswerMs = 5000;
// The keys of the notification's actions: "default" is what activating the notification itself does.
inline constexpr const char16_t* kOpenAction = u"default";
inline constexpr const char16_t* kSnoozeAction = u"snooze";

// Gives the person the reminder: with "Remind with Desktop Notifications" on, as a desktop notification with
// Open and Snooze; else, as a modal box after bringing the program to the front, with the reminder sound.
// True when it has been shown and the caller records it (sets its flag and saves); false when a notification
// took it, which records it itself once it ends. A reminder whose notification has not ended yet is not
// sent again.
bool DeliverReminder(const Reminder& reminder);

// The reminder's modal box, after bringing the program to the front, with the reminder sound (a reached
// reminder's sound comes first); returns when the person has closed it.
void ShowReminderBox(const Reminder& reminder);

// A notification of ours has ended (kNotificationEndedEvent; `end` a platform::NotificationEnd): its reminder
// is recorded as shown, as a box's OK does, and the chosen action is done: Open opens the list window as the
// tray menu's Open does, Snooze brings the reminder again after SnoozeDelay. One that may not have been seen
// is shown in a box instead.
void NotificationEnded(int64_t number, int64_t end);

// Brings back the snoozed reminders whose time has come, and sets the snooze timer for the next one. A
// snoozed reminder is dropped once its event is changed, deleted or rolled over, once the event's next
// reminder is due, and while reminders are switched off.
void BringBackSnoozedReminders();

} // namespace nevalon::app
