#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/DesktopNotifications.h"
#include "platform/Sound.h"
#include "platform/testing/TestSeams.h"
#include "runtime/system/TempDirectory.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nevalon::platform {
namespace {

// A session bus of the suite's own, for as long as the test program runs (the program's notification
// connection is made once, to the bus of the first notification), that starts no server on demand.
std::string SuiteBus()
{
    struct Bus {
        TempDirectory folder;
        const std::string config = folder.Put(
            "bus.conf", "<busconfig><type>session</type><listen>unix:tmpdir=" + folder.Path() +
                            "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                            "send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                            "<allow own=\"*\"/></policy></busconfig>");
        FILE* daemon = popen(
            ("exec dbus-daemon --nofork --print-address=1 --print-pid=1 --config-file=" + config).c_str(),
            "r");
        char address[512] = "", pid[32] = "0";
        bool started = daemon && fgets(address, sizeof address, daemon) && fgets(pid, sizeof pid, daemon);
        ~Bus()
        {
            if (atoi(pid) > 0) kill(atoi(pid), SIGTERM);
            if (daemon) pclose(daemon);
        }
    };
    static Bus bus;
    return std::string(bus.address, strcspn(bus.address, "\n"));
}

// The stand-in notification server of the end-to-end tests on the session bus in the environment; what it
// prints is read back, and lines written to it act.
class StandInServer {
public:
    explicit StandInServer(std::vector<std::string> arguments)
    {
        // Made before the fork: the child of a program with threads only opens, duplicates and executes.
        std::vector<char*> argv{const_cast<char*>(NEVALON_STAND_IN_SERVICES),
                                const_cast<char*>("notifications")};
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const std::string out = folder_.Path("out");
        int input[2];
        if (pipe(input) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(input[0], 0);
            dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(input[0]);
        input_ = input[1];
        ready_ = Await("ready\n");
    }
    ~StandInServer() { Stop(); }
    StandInServer(const StandInServer&) = delete;
    StandInServer& operator=(const StandInServer&) = delete;

    // Whether it owns the notification server's name.
    bool Ready() const { return ready_; }
    std::string Output() const { return FileBytes(folder_.Path("out")); }
    // Runs the program's event loop until the server has printed `text`, for 20 s at most (a loaded machine).
    bool Await(const std::string& text) const
    {
        for (int i = 0; i < 1000 && Output().find(text) == std::string::npos; ++i)
            ProcessPlatformEvents(20);
        return Output().find(text) != std::string::npos;
    }
    void Act(const std::string& line) const { (void)!write(input_, (line + "\n").data(), line.size() + 1); }
    void Stop()
    {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        close(input_);
        pid_ = 0;
    }

private:
    TempDirectory folder_;
    pid_t pid_ = 0;
    int input_ = -1;
    bool ready_ = false;
};

// How each notification ended, in order.
struct Ends {
    std::vector<std::pair<NotificationEnd, std::u16string>> seen;
    NotificationHandler Handler()
    {
        return [this](NotificationEnd end, const std::u16string& action) { seen.emplace_back(end, action); };
    }
    // Runs the event loop until `count` ends have come, for 20 s at most.
    bool Await(size_t count)
    {
        for (int i = 0; i < 1000 && seen.size() < count; ++i)
            ProcessPlatformEvents(20);
        return seen.size() >= count;
    }
};

NotificationRequest Reminder()
{
    NotificationRequest request;
    request.applicationName = u"Nevalon";
    request.iconName = u"nevalon";
    request.summary = u"Message from Nevalon";
    request.body = u"Tom & Jerry";
    request.actions = {{u"default", u"Open"}, {u"snooze", u"Snooze 10 minutes"}};
    request.sound = kReminderSound;
    return request;
}

class NotificationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testing::StartPlatform());
        ASSERT_FALSE(SuiteBus().empty());
        setenv("DBUS_SESSION_BUS_ADDRESS", SuiteBus().c_str(), 1);
        SetSystemSoundPlayerForTests([this](int64_t sound) { heard.push_back(sound); });
    }
    void TearDown() override { SetSystemSoundPlayerForTests(nullptr); }

    std::vector<int64_t> heard;
};

TEST_F(NotificationsTest, TheSoundIsTheServersWhereItPlaysThemElseOursOnceTheServerHasTheNotification)
{
    const std::pair<const char*, const char*> servers[] = {{"caps=actions,body", "suppress-sound=true"},
                                                           {"caps=body,sound", "sound-name=message"}};
    for (const auto& [capabilities, hint] : servers) {
        heard.clear();
        StandInServer server({capabilities});
        ASSERT_TRUE(server.Ready()) << server.Output();
        Ends ends;
        SendNotification(Reminder(), 5000, ends.Handler());
        ASSERT_TRUE(server.Await("notify ")) << capabilities;
        server.Act("closed 1 1");
        // It ends only once the program has taken the server's answer, and with it chosen the sound.
        ASSERT_TRUE(ends.Await(1));
        EXPECT_EQ(ends.seen, (decltype(ends.seen){{NotificationEnd::Closed, u""}}));
        EXPECT_NE(server.Output().find(hint), std::string::npos) << server.Output();
        EXPECT_EQ(heard, std::string(hint).starts_with("suppress") ? std::vector<int64_t>{kReminderSound}
                                                                   : std::vector<int64_t>{})
            << capabilities;
        const bool actions = std::string(capabilities).find("actions") != std::string::npos;
        EXPECT_NE(server.Output().find(actions ? "|default,Open,snooze,Snooze 10 minutes|" : "|nevalon||"),
                  std::string::npos)
            << "actions only where the server shows them: " << server.Output();
    }
}

TEST_F(NotificationsTest, ANotificationAnsweredTooLateFailsAndIsTakenOffTheScreenAgain)
{
    StandInServer server({"late=400"});
    ASSERT_TRUE(server.Ready()) << server.Output();
    Ends late;
    SendNotification(Reminder(), 100, late.Handler());
    ASSERT_TRUE(late.Await(1));
    EXPECT_EQ(late.seen, (decltype(late.seen){{NotificationEnd::Failed, u""}}));
    EXPECT_TRUE(server.Await("close 1\n"))
        << "shown in a box instead, so taken off the screen: " << server.Output();
    EXPECT_TRUE(heard.empty()) << "a failed notification leaves its sound to the box";
}

// The server's close may reach the program before its answer to Notify does; the notification still ends.
TEST_F(NotificationsTest, ANotificationClosedBeforeTheServerAnsweredItsNotifyEndsClosed)
{
    StandInServer server({"late=2000"});
    ASSERT_TRUE(server.Ready()) << server.Output();
    Ends ends;
    SendNotification(Reminder(), 5000, ends.Handler());
    ASSERT_TRUE(server.Await("notify "));
    server.Act("closed 1 1");
    ASSERT_TRUE(ends.Await(1));
    EXPECT_EQ(ends.seen, (decltype(ends.seen){{NotificationEnd::Closed, u""}}));
}

} // namespace
} // namespace nevalon::platform
