#pragma once

#include "runtime/system/strings/String.h"

namespace nevalon::app {

using system::String;

inline constexpr const char16_t* kBundleIdentifier = u"com.brask.Nevalon";
inline constexpr const char16_t* kAlarmsKey = u"Alarms";
inline constexpr const char16_t* kSortKey = u"Sort";
inline constexpr const char16_t* kLoginKey = u"Login";
// Reminders as desktop notifications; a store without it reads as off.
inline constexpr const char16_t* kDesktopNotificationsKey = u"DesktopNotifications";

// Reads the settings; on the first run (nothing of ours stored yet) writes their defaults.
void LoadSettings();

// Flips the setting of "Alarms", "Sort" or "DesktopNotifications", stores it, and updates its check mark in
// an open settings menu.
void ToggleSetting(const String& key);

// Flips start at login: installs or removes the login item and, once that is done, stores the choice and
// updates the check mark; when it cannot be done, says why and changes nothing.
void ToggleStartAtLogin();

// Whether the login item is in place: the launch agent on macOS; elsewhere the autostart entry, unless the
// desktop's own startup tool has disabled it.
bool LoginItemExists();

// The launch agent's property list that starts `applicationPath` at login (the path XML-escaped).
String LaunchAgentText(const String& label, const String& applicationPath);

// Writes and loads (on) or unloads and deletes (off) the launch agent below `home` (ending in "/"),
// through launchctl. The login item of the desktop that loads launch agents. Whether the agent file is
// now there (on) or gone (off); errno tells why not.
bool SetLaunchAgent(bool on, const String& home, const String& applicationPath);

// The autostart desktop entry that starts `executable` when the user logs in.
String AutostartEntryText(const String& executable);

// Writes (on) or deletes (off) the autostart entry in the user's config folder. The login item of
// freedesktop desktops. Whether the entry is now there (on) or gone (off); errno tells why not.
bool SetAutostartEntry(bool on, const String& executable);

// The autostart entry's path: "autostart/com.brask.Nevalon.desktop" in the user's config folder.
String AutostartEntryPath();

} // namespace nevalon::app
