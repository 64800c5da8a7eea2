#include "PermissionsBind.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "app/SettingsMenu.h"
#include "platform/Application.h"
#include "platform/Defaults.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/PlatformMessage.h"
#include "runtime/gui/Toolkit.h"
#include "runtime/system/TempDirectory.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace nevalon::app {
namespace {

using system::StringFromUtf8;
using testing::PermissionsBind;

// Programs started by the code under test are small scripts first on PATH that note how they were called.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        for (const char* program : {"launchctl", "xdg-open"})
            dir.Put(std::string("bin/") + program,
                    "#!/bin/sh\n[ -e \"$2\" ] && e=exists\necho \"$(basename \"$0\") $* $e\" >> " +
                        dir.Path("calls") + "\n",
                    true);
        setenv("PATH", (dir.Path("bin") + ":" + savedPath).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }

    // The calls noted so far, once `count` of them have arrived (programs run detached).
    std::string Calls(size_t count) const
    {
        std::string calls;
        for (int i = 0; i < 200 && std::count(calls.begin(), calls.end(), '\n') < long(count); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            calls = FileBytes(dir.Path("calls"));
        }
        return calls;
    }

    // Starts the platform with its settings file in `configHome`, as a new run of the program would.
    static void StartWithConfig(const std::string& configHome)
    {
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        // The run ends by exiting, so its folder goes with it.
        static std::string folder = configHome.substr(0, configHome.rfind('/'));
        std::atexit([] { std::filesystem::remove_all(folder); });
        static int argc = 1;
        static char name[] = "nevalon";
        static char* argv[] = {name, nullptr};
        std::string error;
        gui::SetProductIdentity({u"Nevalon", kBundleIdentifier, kApplicationIconName});
        if (!platform::StartApplication(argc, argv, error)) std::exit(2);
        State().Defaults = gui::PlatformMessage(nullptr, 0, "NSUserDefaults standardUserDefaults");
    }
    static void PrintSettings()
    {
        std::fprintf(stderr, "sort=%d off=%d login=%d desktop=%d\n", State().SortByCategory,
                     State().NotificationsOff, State().StartAtLogin, State().DesktopNotifications);
    }

    const std::string savedPath = getenv("PATH");
    TempDirectory dir;
};

TEST_F(SettingsTest, FirstRunWritesTheDefaultsAndTogglesAreStored)
{
    EXPECT_EXIT(
        {
            StartWithConfig(dir.Path("config"));
            LoadSettings();
            PrintSettings();
            const std::string first = FileBytes(platform::DefaultsFilePath());
            ToggleSetting(kAlarmsKey);
            ToggleSetting(kSortKey);
            ToggleSetting(kDesktopNotificationsKey);
            ToggleSetting(u"Other");
            std::fprintf(stderr, "first=%d stored=%s",
                         first == "[General]\nAlarms=0\nDesktopNotifications=0\nLogin=0\nSort=1\n",
                         FileBytes(platform::DefaultsFilePath()).c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "sort=1 off=0 login=0 desktop=0\nfirst=1 "
        "stored=\\[General\\]\nAlarms=1\nDesktopNotifications=1\nLogin=0\nSort=0\n");
}

TEST_F(SettingsTest, LaterRunsReadWhatIsStoredAndNonsenseGivesTheDefaults)
{
    const std::pair<std::string, std::string> files[] = {
        // Start at login follows the autostart entry, which is not there.
        {"[General]\nSort=0\nAlarms=1\nLogin=7\n", "sort=0 off=1 login=0 desktop=0"},
        {"[General]\nSort=1\nDesktopNotifications=1\n", "sort=1 off=0 login=0 desktop=1"},
        // The new setting alone is a store of ours: it is kept, the others read as off.
        {"[General]\nDesktopNotifications=1\n", "sort=0 off=0 login=0 desktop=1"},
        {"\x01\xff{{ not a settings file\n", "sort=1 off=0 login=0 desktop=0"}};
    for (const auto& [text, settings] : files) {
        dir.Put("config/com.brask.Nevalon.conf", text);
        EXPECT_EXIT(
            {
                StartWithConfig(dir.Path("config"));
                LoadSettings();
                PrintSettings();
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), settings);
    }
}

TEST_F(SettingsTest, LaunchAgentIsWrittenAndLoadedThenUnloadedBeforeItIsDeleted)
{
    const String home = StringFromUtf8(dir.Path("home/"));
    SetLaunchAgent(false, home, u"/x");
    SetLaunchAgent(true, home, u"/Applications/A&B <C>.app");
    const std::string agent = dir.Path("home/Library/LaunchAgents/com.brask.Nevalon.plist");
    EXPECT_EQ(FileBytes(agent),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
              "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
              "<plist version=\"1.0\">\n<dict>\n\t<key>Label</key>\n\t<string>com.brask.Nevalon</string>\n"
              "\t<key>ProgramArguments</key>\n\t<array>\n\t\t<string>/usr/bin/open</string>\n"
              "\t\t<string>/Applications/A&amp;B &lt;C&gt;.app</string>\n\t</array>\n"
              "\t<key>RunAtLoad</key>\n\t<true/>\n\t<key>KeepAlive</key>\n\t<false/>\n"
              "\t<key>LimitLoadToSessionType</key>\n\t<string>Aqua</string></dict>\n</plist>");
    EXPECT_EQ(Calls(1), "launchctl load " + agent + " exists\n")
        << "switching off a missing agent runs nothing";
    SetLaunchAgent(false, home, u"/x");
    EXPECT_EQ(Calls(2), "launchctl load " + agent + " exists\nlaunchctl unload " + agent + " exists\n");
    EXPECT_FALSE(std::filesystem::exists(agent));
}

TEST_F(SettingsTest, AutostartEntryStartsTheRunningProgramAndIsValid)
{
    setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
    const std::string entry = dir.Path("config/autostart/com.brask.Nevalon.desktop");
    SetAutostartEntry(true, u"/opt/My Apps/nevalon$%");
    EXPECT_NE(FileBytes(entry).find("\nExec=\"/opt/My Apps/nevalon\\\\$%%\"\n"), std::string::npos)
        << FileBytes(entry);
    EXPECT_EQ(std::system(("desktop-file-validate " + entry).c_str()), 0);
    SetAutostartEntry(false, u"/opt/nevalon");
    EXPECT_FALSE(std::filesystem::exists(entry));
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsTest, StartAtLoginShowsWhetherTheEntryIsThereAndChangesOnlyWhenTheEntryDoes)
{
    EXPECT_EXIT(
        {
            StartWithConfig(dir.Path("config"));
            const std::string folder = dir.Path("config/autostart");
            const std::string entry = folder + "/com.brask.Nevalon.desktop";
            std::string said;
            std::string steps;
            platform::SetAlertResponderForTests([&said](const platform::AlertRequest& alert) {
                said += system::StringToUtf8(alert.informativeText);
                return 0;
            });
            // The check mark, the stored setting and the entry after each step.
            auto step = [&] {
                steps +=
                    std::to_string(State().StartAtLogin) +
                    (FileBytes(platform::DefaultsFilePath()).find("Login=1") != std::string::npos ? "+"
                                                                                                  : "-") +
                    (std::filesystem::exists(entry) ? "e " : " ");
            };
            const std::string written = "[Desktop Entry]\nType=Application\nExec=nevalon\n";
            LoadSettings(); // a first run
            step();
            dir.Put("config/autostart/com.brask.Nevalon.desktop", written);
            LoadSettings();
            step();
            dir.Put("config/autostart/com.brask.Nevalon.desktop", written + "Hidden=true\n");
            LoadSettings(); // disabled by the desktop's startup tool
            step();
            std::filesystem::remove(entry);
            LoadSettings();
            step();
            {
                PermissionsBind bind;
                chmod(folder.c_str(), 0555);
                ToggleStartAtLogin();
                step();
                chmod(folder.c_str(), 0700);
                dir.Put("config/autostart/com.brask.Nevalon.desktop", written);
                LoadSettings();
                chmod(folder.c_str(), 0555);
                ToggleStartAtLogin();
                step();
                chmod(folder.c_str(), 0700);
            }
            ToggleStartAtLogin();
            step();
            ToggleStartAtLogin();
            step();
            std::fprintf(stderr, "%s|%s", steps.c_str(), said.c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "0- 1\\+e 0-e 0- 0- 1\\+e 0- 1\\+e \\|"
        "Start at Login could not be switched on: [^ ]*/autostart/com.brask.Nevalon.desktop could not be "
        "written \\(Permission denied\\)\\.\n"
        "Start at Login could not be switched off: [^ ]*/autostart/com.brask.Nevalon.desktop could not be "
        "removed \\(Permission denied\\)\\.\n$");
}

TEST_F(SettingsTest, ShortcutTextSpellsOutTheModifiers)
{
    const std::pair<String, String> cases[] = {{u"⌘Q", u"Cmd+Q"},
                                               {u"⇧⌘", u"Shift+Cmd"},
                                               {u"⌥⌘Q", u"Alt+Cmd+Q"},
                                               {u"⌃⇧⌘Q", u"Ctrl+Shift+Cmd+Q"},
                                               {u"⌃⌥⇧⌘Q", u"CtrlAltShiftCmdQ"},
                                               {u"Q", u"Q"}};
    for (const auto& [symbols, words] : cases)
        EXPECT_EQ(ShortcutText(symbols), words);
}

TEST_F(SettingsTest, AboutBoxShowsTheBuildsVersionAndOpensThePageOfOtherAppsOnlyForItsSecondButton)
{
    EXPECT_EXIT(
        {
            StartWithConfig(dir.Path("config"));
            for (int pressed : {0, 1}) {
                platform::SetAlertResponderForTests([pressed](const platform::AlertRequest& about) {
                    const String title = about.messageText.substr(0, about.messageText.find(u'\n'));
                    std::fprintf(stderr, "%s|%s|%zu|", system::StringToUtf8(title).c_str(),
                                 system::StringToUtf8(about.buttons[0]).c_str(),
                                 about.escapeButton.value_or(9));
                    return pressed;
                });
                ShowAboutBox();
            }
            std::fprintf(stderr, "%s", Calls(1).c_str());
            OpenWebPage(kDonationPage);
            std::fprintf(stderr, "%s", Calls(2).c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "Nevalon v" NEVALON_VERSION "\\|Ok\\|0\\|Nevalon v" NEVALON_VERSION
        "\\|Ok\\|0\\|xdg-open https://nevalon.app/apps \nxdg-open https://nevalon.app/apps \n"
        "xdg-open https://nevalon.app/coffee \n");
}

} // namespace
} // namespace nevalon::app
