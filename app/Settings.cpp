#include "app/Settings.h"

#include "app/AppState.h"
#include "app/ToolkitNumbers.h"
#include "platform/Defaults.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/Strings.h"

#include <cerrno>
#include <cstring>
#include <tuple>

namespace nevalon::app {
namespace {

using gui::PlatformMessage;
using namespace system;

void WriteInteger(const char16_t* key, int64_t value)
{
    PlatformMessage(nullptr, State().Defaults, "setInteger:", {value, "forKey:$", key});
}

void Synchronize()
{
    PlatformMessage(nullptr, State().Defaults, "synchronize");
}

int64_t ReadInteger(const char16_t* key)
{
    return PlatformMessage(nullptr, State().Defaults, "integerForKey:$", {key});
}

bool IsStored(const char16_t* key)
{
    return PlatformMessage(nullptr, State().Defaults, "stringForKey:$", {key}) != 0;
}

// Any stored value other than 0 counts as on, so that a toggle always gives 0 or 1.
uint8_t AsSetting(int64_t value)
{
    return (value & 0xFF) != 0 ? 1 : 0;
}

void CheckMenuItem(int64_t item, uint8_t value)
{
    if (gui::MenuExists(kSettingsMenu)) gui::SetMenuItemCheck(kSettingsMenu, item, value);
}

String XmlEscaped(const String& text)
{
    String escaped;
    for (char16_t c : text) {
        switch (c) {
        case u'&':
            escaped += u"&amp;";
            break;
        case u'<':
            escaped += u"&lt;";
            break;
        case u'>':
            escaped += u"&gt;";
            break;
        case u'"':
            escaped += u"&quot;";
            break;
        case u'\'':
            escaped += u"&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// One argument of a desktop entry's Exec line, quoted when it needs to be (and every "%" doubled).
String ExecArgument(const String& argument)
{
    bool plain = !argument.empty();
    for (char16_t c : argument)
        if (!(c == u'/' || c == u'.' || c == u'_' || c == u'-' || c == u'+' || (c >= u'0' && c <= u'9') ||
              (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            plain = false;
    if (plain) return argument;
    String quoted = u"\"";
    for (char16_t c : argument) {
        // Inside quotes these four are escaped with a backslash, and the file's own escaping doubles it.
        if (c == u'"' || c == u'`' || c == u'$') quoted += u"\\\\";
        if (c == u'\\') quoted += u"\\\\\\";
        quoted += c == u'%' ? String(u"%%") : String(1, c);
    }
    return quoted + u"\"";
}

String AutostartFolder()
{
    return ConfigDirectory() + u"autostart/";
}

// Writes the whole text as the file's new contents; false when it could not be written (errno tells why).
bool WriteWholeFile(const String& path, const String& text)
{
    const int64_t file = CreateFile(-1, path);
    if (!file) return false;
    WriteText(file, text);
    return CloseFile(file) == 1;
}

// Removes the file; whether it is gone (errno tells why not).
bool RemoveFile(const String& path)
{
    return DeleteFile(path) || errno == ENOENT;
}

String LaunchAgentPath(const String& home)
{
    return home + u"Library/LaunchAgents/" + kBundleIdentifier + u".plist";
}

} // namespace

void LoadSettings()
{
    AppState& state = State();
    // A first run leaves no store file; a store that is unreadable or holds none of our keys is taken
    // the same way, so that it gives the defaults rather than zeros.
    const bool firstRun = GetFileSize(StringFromUtf8(platform::DefaultsFilePath())) == FileSizeMissing ||
                          (!IsStored(kLoginKey) && !IsStored(kSortKey) && !IsStored(kAlarmsKey) &&
                           !IsStored(kDesktopNotificationsKey));
    if (firstRun) {
        state.StartAtLogin = 0;
        state.SortByCategory = 1;
        state.NotificationsOff = 0;
        state.DesktopNotifications = 0;
        WriteInteger(kLoginKey, 0);
        WriteInteger(kSortKey, 1);
        WriteInteger(kAlarmsKey, 0);
        WriteInteger(kDesktopNotificationsKey, 0);
        Synchronize();
    } else {
        state.SortByCategory = AsSetting(ReadInteger(kSortKey));
        state.NotificationsOff = AsSetting(ReadInteger(kAlarmsKey));
        state.StartAtLogin = AsSetting(ReadInteger(kLoginKey));
        state.DesktopNotifications = AsSetting(ReadInteger(kDesktopNotificationsKey));
    }
    // The check mark tells whether the login item is there: one removed with the desktop's own startup
    // tool shows as off.
    const uint8_t inPlace = LoginItemExists() ? 1 : 0;
    if (state.StartAtLogin != inPlace) {
        state.StartAtLogin = inPlace;
        WriteInteger(kLoginKey, inPlace);
        Synchronize();
    }
}

void ToggleSetting(const String& key)
{
    AppState& state = State();
    const std::tuple<const char16_t*, uint8_t*, int64_t> settings[] = {
        {kAlarmsKey, &state.NotificationsOff, kNotificationsItem},
        {kSortKey, &state.SortByCategory, kSortItem},
        {kDesktopNotificationsKey, &state.DesktopNotifications, kDesktopNotificationsItem}};
    for (const auto& [name, setting, item] : settings) {
        if (key != name) continue;
        *setting = 1 - *setting;
        WriteInteger(name, *setting);
        Synchronize();
        CheckMenuItem(item, *setting);
    }
}

void ToggleStartAtLogin()
{
    AppState& state = State();
    const uint8_t wanted = 1 - state.StartAtLogin;
    errno = 0;
#ifdef __APPLE__
    const String item = LaunchAgentPath(HomeDirectory());
    int64_t bundle = PlatformMessage(nullptr, 0, "NSBundle mainBundle");
    int64_t path = PlatformMessage(nullptr, bundle, "bundlePath");
    auto* utf8 = reinterpret_cast<const char*>(PlatformMessage(nullptr, path, "UTF8String"));
    const bool done = utf8 && SetLaunchAgent(wanted, HomeDirectory(), StringFromUtf8(utf8));
#else
    const String item = AutostartEntryPath();
    const String executable = ExecutablePath();
    const bool done = !executable.empty() && SetAutostartEntry(wanted, executable);
#endif
    if (!done) {
        const int error = errno;
        gui::ShowMessageBox(
            u"Error!",
            u"Start at Login could not be switched " + String(wanted ? u"on" : u"off") + u": " + item +
                (wanted ? u" could not be written (" : u" could not be removed (") +
                (error ? StringFromUtf8(std::strerror(error)) : String(u"no program path")) + u").\n",
            gui::MessageBoxStopIcon);
        CheckMenuItem(kLoginItem, state.StartAtLogin);
        return;
    }
    state.StartAtLogin = wanted;
    WriteInteger(kLoginKey, state.StartAtLogin);
    Synchronize();
    CheckMenuItem(kLoginItem, state.StartAtLogin);
}

bool LoginItemExists()
{
#ifdef __APPLE__
    return GetFileSize(LaunchAgentPath(HomeDirectory())) >= 0;
#else
    const String path = AutostartEntryPath();
    if (GetFileSize(path) < 0) return false;
    const int64_t file = OpenFileReadOnly(-1, path);
    if (!file) return true;
    bool enabled = true;
    while (!AtEndOfFile(file)) {
        const String line = ReadLine(file);
        if (line == u"Hidden=true" || line == u"X-GNOME-Autostart-enabled=false") enabled = false;
    }
    CloseFile(file);
    return enabled;
#endif
}

String LaunchAgentText(const String& label, const String& applicationPath)
{
    String text = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  u"<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                  u"\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                  u"<plist version=\"1.0\">\n"
                  u"<dict>\n"
                  u"\t<key>Label</key>\n"
                  u"\t<string>{appid}</string>\n"
                  u"\t<key>ProgramArguments</key>\n"
                  u"\t<array>\n"
                  u"\t\t<string>/usr/bin/open</string>\n"
                  u"\t\t<string>{apppath}</string>\n"
                  u"\t</array>\n"
                  u"\t<key>RunAtLoad</key>\n"
                  u"\t<true/>\n"
                  u"\t<key>KeepAlive</key>\n"
                  u"\t<false/>\n"
                  u"\t<key>LimitLoadToSessionType</key>\n"
                  u"\t<string>Aqua</string></dict>\n"
                  u"</plist>";
    text = ReplaceSubstring(text, u"{appid}", XmlEscaped(label));
    return ReplaceSubstring(text, u"{apppath}", XmlEscaped(applicationPath));
}

bool SetLaunchAgent(bool on, const String& home, const String& applicationPath)
{
    const String folder = home + u"Library/LaunchAgents/";
    const String file = LaunchAgentPath(home);
    if (!on) {
        if (GetFileSize(file) == FileSizeMissing) return true;
        // The unload must still find the file, so it is deleted only once launchctl is done.
        LaunchProgram(u"launchctl", u"unload \"" + file + u"\"", u"", LaunchWait);
        return RemoveFile(file);
    }
    if (!CreateFolders(folder)) return false;
    if (!WriteWholeFile(file, LaunchAgentText(kBundleIdentifier, applicationPath))) return false;
    LaunchProgram(u"launchctl", u"load \"" + file + u"\"");
    return true;
}

String AutostartEntryText(const String& executable)
{
    return u"[Desktop Entry]\n"
           u"Type=Application\n"
           u"Name=Nevalon\n"
           u"Comment=Counts down to your dated events\n"
           u"Exec=" +
           ExecArgument(executable) +
           u"\n"
           u"Icon=nevalon\n"
           u"Terminal=false\n"
           u"X-GNOME-Autostart-enabled=true\n";
}

String AutostartEntryPath()
{
    return AutostartFolder() + kBundleIdentifier + u".desktop";
}

bool SetAutostartEntry(bool on, const String& executable)
{
    const String file = AutostartEntryPath();
    if (!on) return RemoveFile(file);
    return CreateFolders(AutostartFolder()) && WriteWholeFile(file, AutostartEntryText(executable));
}

} // namespace nevalon::app
