#include "StoreFixture.h"
#include "app/Lifecycle.h"
#include "app/ListWindow.h"
#include "app/SingleInstance.h"
#include "runtime/gui/EventQueue.h"
#include "runtime/gui/WaitEvent.h"
#include "runtime/gui/Window.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace nevalon::app::testing {
namespace {

// Dispatches what the queue holds now.
void DispatchQueued()
{
    for (int64_t code; (code = gui::WaitEvent(0)) > 0;)
        DispatchEvent(code);
}

TEST_F(StoreTest, LaterStartsOpenTheListWindowAndNeverCloseIt)
{
    for (int starts : {1, 2, 3}) {
        for (int i = 0; i < starts; ++i) {
            LaterStartActivated();
            // Another event between them, so that the queue cannot fold two clicks into one.
            gui::PostEvent(gui::EventTimer, 99, kHolderWindow, 0);
        }
        DispatchQueued();
        EXPECT_TRUE(gui::WindowExists(kListWindow)) << starts << " starts at once";
        LaterStartActivated();
        DispatchQueued();
        EXPECT_TRUE(gui::WindowExists(kListWindow)) << "a start while the window is open";
        CloseListWindow();
    }
}

// A bus of the test's own in the system bus's place, for as long as it lives.
struct PrivateSystemBus {
    FILE* daemon = popen("exec dbus-daemon --session --nofork --print-address=1 --print-pid=1", "r");
    char address[512] = "", pid[32] = "0";
    bool started =
        daemon && fgets(address, sizeof address, daemon) && fgets(pid, sizeof pid, daemon) &&
        setenv("DBUS_SYSTEM_BUS_ADDRESS", std::string(address, strcspn(address, "\n")).c_str(), 1) == 0;
    ~PrivateSystemBus()
    {
        unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
        if (atoi(pid) > 0) kill(atoi(pid), SIGTERM);
        if (daemon) pclose(daemon);
    }
};

// Dispatches events until `done` holds or 2 s pass without one.
template <typename Done> void RunUntil(Done done)
{
    for (int idle = 0; !done() && idle < 100;) {
        const int64_t code = gui::WaitEvent(20);
        if (code == 0) ++idle;
        if (code > 0) DispatchEvent(code);
    }
}

TEST_F(StoreTest, AWakeFromSleepRunsTheMinuteCheckAtOnce)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.started) << "no dbus-daemon";
    ASSERT_TRUE(platform::ServeLogindForTests());
    FollowClockChanges();
    Add(u"e", -60);
    // No minute timer runs here: only the wake can bring the notice.
    ASSERT_TRUE(platform::AnnouncePrepareForSleepForTests(false));
    RunUntil([this] { return !notices.empty(); });
    EXPECT_EQ(notices, std::vector<String>{
                           u"A Countdown Event was reached!\n\rThe event 'e' is happening now!\n\r\n"});
}

} // namespace
} // namespace nevalon::app::testing
