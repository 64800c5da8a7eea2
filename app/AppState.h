#pragma once

#include "app/EventRecord.h"
#include "runtime/system/containers/List.h"
#include "runtime/system/strings/String.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace nevalon::app {

using system::String;

// The list window's width, whichever screen it opens on.
inline constexpr int64_t kListWindowWidth = 460;

// The icon of the program in the desktop's icon theme, as its desktop entry names it.
inline constexpr const char16_t* kApplicationIconName = u"nevalon";
// The program's desktop entry, without ".desktop".
inline constexpr const char16_t* kDesktopEntryName = u"com.brask.Nevalon";

// Where the list window opens: the part of the clicked screen that panels leave to windows, and whether the
// window rests on that part's bottom edge (a click in the lower half of the screen, on a panel at the bottom)
// instead of hanging from its top edge.
struct ListWindowPlace {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool fromBottom = false;
    bool operator==(const ListWindowPlace&) const = default;
};

// What the program knows of the events file beyond Events.
struct EventsFileState {
    // Events holds changes that the file lacks, since the last save failed: the file is not read over them.
    bool unsaved = false;
    // Why the file, which is there, could not be read (an errno value; 0 when it could). Nothing is saved
    // over a file that could not be read; `unreadableSaid` once the person has been told.
    int unreadable = 0;
    bool unreadableSaid = false;
    // The file held lines that are no events: the first save keeps a copy of it before replacing it.
    bool foreignLines = false;
    // Why the last save failed ("" when it worked), and where a save put its copy of the old file ("" when
    // it made none or the person has been told).
    String saveProblem;
    String copy;
};

enum class ReminderKind { Day, TenMinutes, Reached };

// One reminder of one occurrence of an event, as the person gets it.
struct Reminder {
    ReminderKind kind = ReminderKind::Day;
    String title;
    // The moment it reminds of, and the record's date once the pass that reminded is done: a recurring
    // record moves past a reached moment at once.
    date::Date occurrence = 0, recordDate = 0;
    String text;
};

// Reminders in the hands of the desktop's notification server, and snoozed ones. Kept in memory only: a
// restart forgets them.
struct ReminderNotices {
    struct Sent {
        int64_t number = 0;
        Reminder reminder;
        // The action the person chose, once the notification has ended.
        String action;
    };
    struct Snoozed {
        Reminder reminder;
        std::chrono::system_clock::time_point due;
    };
    std::vector<Sent> sent;
    std::vector<Snoozed> snoozed;
    int64_t lastNumber = 0;
};

// Application state held for the whole run. The one deliberate global of app/ (State()): the toolkit calls
// the application back through plain function pointers (gadget callbacks, menu events), which carry no
// object. Touched on the main thread only. Who writes what:
// - Events: EventStore replaces it from the file and orders it; the editor adds and changes a record; the
//   list window deletes one and keeps its rows' gadget numbers on the records; Reminders and
//   ReminderNotices set the notice flags and roll records over. Everyone else reads.
// - EventsFilePath, Categories, Defaults: set once by Startup (the path by a command-line answer instead).
//   EventsFile: EventStore and StoreNotices.
// - RowImages, ListWindowX, ListWindowPlacement: the list window, and Lifecycle when a click opens it.
// - Notices: ReminderNotices. SnoozeDelay: read there; only tests and the seamed e2e program change it.
// - EditingExisting, EditedRecord, ExportToCalendar: the editor and the list window's Edit button.
// - the settings (StartAtLogin ... DesktopNotifications): Settings. AppearanceObserver, SharedApp,
//   KeyValueChangeNewKey: Appearance and Startup. QuitRequested: Lifecycle.
// Tests reset it with `State() = AppState()` before starting the program afresh.
struct AppState {
    EventList Events;
    std::array<String, 7> Categories;
    system::List<int64_t> RowImages;
    String EventsFilePath;
    EventsFileState EventsFile;
    ReminderNotices Notices;
    int64_t ListWindowX = -1;
    // Set by every status click; none before the first, or without screens (the window then hangs under the
    // menu bar where ListWindowX puts it).
    std::optional<ListWindowPlace> ListWindowPlacement;
    uint8_t StartAtLogin = 0;
    uint8_t SortByCategory = 0;
    uint8_t NotificationsOff = 0;
    // Reminders go to the desktop's notification server rather than to modal boxes.
    uint8_t DesktopNotifications = 0;
    uint8_t ExportToCalendar = 0;
    uint8_t EditingExisting = 0;
    // How long "Snooze 10 minutes" puts a reminder off, in milliseconds; only tests shorten it.
    int64_t SnoozeDelay = 600000;
    // The record the editor changes; meaningful only while EditingExisting is 1.
    EventRecord* EditedRecord = nullptr;
    int64_t AppearanceObserver = 0;
    int64_t SharedApp = 0;
    int64_t Defaults = 0;
    // The platform's key of the new value in a change dictionary.
    int64_t KeyValueChangeNewKey = 0;
    // A quit was dispatched: the main loop ends after the event at hand.
    bool QuitRequested = false;
};

// The application's state; see AppState for who may change which part.
AppState& State();

} // namespace nevalon::app
