#include "app/Settings.h"

#include "app/AppState.h"
#include "platform/Defaults.h"
#include "runtime/gui/Menu.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/Strings.h"

#include <cstdlib>

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
    const char* config = std::getenv("XDG_CONFIG_HOME");
    String folder = config && config[0] == '/' ? StringFromUtf8(config) : HomeDirectory() + u".config";
    if (!folder.empty() && folder.back() != u'/') folder += u'/';
    return folder + u"autostart/";
}

// Creates the folder and the ones it lies in; whether it exists afterwards.
bool MakeFolders(const String& folder)
{
    if (GetFileSize(folder) == -2) return true;
    for (size_t slash = folder.find(u'/', 1); slash != String::npos; slash = folder.find(u'/', slash + 1))
        if (GetFileSize(folder.substr(0, slash)) != -2) CreateDirectory(folder.substr(0, slash));
    return GetFileSize(folder) == -2;
}

// Writes the whole text as the file's new contents; false when it could not be written.
bool WriteWholeFile(const String& path, const String& text)
{
    const int64_t file = CreateFile(-1, path);
    if (!file) return false;
    WriteText(file, text);
    return CloseFile(file) == 1;
}

} // namespace

void LoadSettings()
{
    AppState& state = State();
    // A first run leaves no store file; a store that is unreadable or holds none of our keys is taken
    // the same way, so that it gives the defaults rather than three zeros.
    const bool firstRun = GetFileSize(StringFromUtf8(platform::DefaultsFilePath())) == -1 ||
                          (!IsStored(kLoginKey) && !IsStored(kSortKey) && !IsStored(kAlarmsKey));
    if (firstRun) {
        state.StartAtLogin = 0;
        state.SortByCategory = 1;
        state.NotificationsOff = 0;
        WriteInteger(kLoginKey, 0);
        WriteInteger(kSortKey, 1);
        WriteInteger(kAlarmsKey, 0);
        Synchronize();
        return;
    }
    state.SortByCategory = AsSetting(ReadInteger(kSortKey));
    state.NotificationsOff = AsSetting(ReadInteger(kAlarmsKey));
    state.StartAtLogin = AsSetting(ReadInteger(kLoginKey));
}

void ToggleSetting(const String& key)
{
    AppState& state = State();
    const bool alarms = key == kAlarmsKey;
    if (!alarms && key != kSortKey) return;
    uint8_t& setting = alarms ? state.NotificationsOff : state.SortByCategory;
    setting = 1 - setting;
    WriteInteger(alarms ? kAlarmsKey : kSortKey, setting);
    Synchronize();
    CheckMenuItem(alarms ? kNotificationsItem : kSortItem, setting);
}

void ToggleStartAtLogin()
{
    AppState& state = State();
    state.StartAtLogin = 1 - state.StartAtLogin;
#ifdef __APPLE__
    int64_t bundle = PlatformMessage(nullptr, 0, "NSBundle mainBundle");
    int64_t path = PlatformMessage(nullptr, bundle, "bundlePath");
    auto* utf8 = reinterpret_cast<const char*>(PlatformMessage(nullptr, path, "UTF8String"));
    if (utf8) SetLaunchAgent(state.StartAtLogin, HomeDirectory(), StringFromUtf8(utf8));
#else
    const String executable = ExecutablePath();
    if (!executable.empty()) SetAutostartEntry(state.StartAtLogin, executable);
#endif
    WriteInteger(kLoginKey, state.StartAtLogin);
    Synchronize();
    CheckMenuItem(kLoginItem, state.StartAtLogin);
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

void SetLaunchAgent(bool on, const String& home, const String& applicationPath)
{
    const String folder = home + u"Library/LaunchAgents/";
    const String file = folder + kBundleIdentifier + u".plist";
    if (!on) {
        if (GetFileSize(file) == -1) return;
        // The unload must still find the file, so it is deleted only once launchctl is done.
        LaunchProgram(u"launchctl", u"unload \"" + file + u"\"", u"", LaunchWait);
        DeleteFile(file);
        return;
    }
    if (!MakeFolders(folder)) return;
    if (!WriteWholeFile(file, LaunchAgentText(kBundleIdentifier, applicationPath))) return;
    LaunchProgram(u"launchctl", u"load \"" + file + u"\"");
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

void SetAutostartEntry(bool on, const String& executable)
{
    const String folder = AutostartFolder();
    const String file = folder + kBundleIdentifier + u".desktop";
    if (!on) {
        DeleteFile(file);
        return;
    }
    if (MakeFolders(folder)) WriteWholeFile(file, AutostartEntryText(executable));
}

} // namespace nevalon::app
