#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Object.h"
#include "platform/testing/TestSeams.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace nevalon::platform {
namespace {

// What one observer heard.
struct Heard {
    int64_t observer;
    std::u16string keyPath;
    int64_t object;
    std::u16string newName; // the new appearance's name, or empty when the change has none
    int64_t context;
};
std::vector<Heard> heard;

int64_t Send(int64_t receiver, const char* selector, std::vector<int64_t> args = {})
{
    MessageResult result;
    SendMessage(receiver, selector, args, result);
    return result.AsInteger();
}

std::u16string NameOf(int64_t appearance)
{
    return StringFromHandle(Send(appearance, "name"));
}

// A session bus of the test's own, for as long as it lives.
struct PrivateSessionBus {
    FILE* daemon = popen("exec dbus-daemon --session --nofork --print-address=1 --print-pid=1", "r");
    char address[512] = "", pid[32] = "0";
    bool started = daemon && fgets(address, sizeof address, daemon) && fgets(pid, sizeof pid, daemon);
    std::string Address() const { return std::string(address, strcspn(address, "\n")); }
    ~PrivateSessionBus()
    {
        if (atoi(pid) > 0) kill(atoi(pid), SIGTERM);
        if (daemon) pclose(daemon);
    }
};

class AppearanceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(testing::StartPlatform());
        // The observer class is made at run time, as the application makes its own.
        if (FindClass("Kx_KVO_Test")) return;
        Class* observer = AllocateClass("NSObject", "Kx_KVO_Test");
        observer->AddMethod(
            "observeValueForKeyPath:ofObject:change:context:", "v@:@@@^v",
            [](Object* self, MessageArgs args) {
                int64_t change = Send(args[2], "objectForKey:", {LookupConstant("NSKeyValueChangeNewKey")});
                heard.push_back(
                    {self->Handle(), StringFromHandle(args[0]), args[1], NameOf(change), args[3]});
                return MessageResult{};
            });
        RegisterClass(observer);
    }
    void SetUp() override
    {
        SetAppearance(false);
        heard.clear();
    }
    void TearDown() override
    {
        for (int64_t o : observers)
            Send(app, "removeObserver:forKeyPath:", {o, MakeString(u"effectiveAppearance")});
        SetAppearance(false);
        DrainAutoreleasePool();
    }

    int64_t Observe(const char16_t* keyPath, int64_t options, int64_t context)
    {
        int64_t observer = Send(FindClass("Kx_KVO_Test")->Handle(), "new");
        observers.push_back(observer);
        Send(app,
             "addObserver:forKeyPath:options:context:", {observer, MakeString(keyPath), options, context});
        return observer;
    }

    int64_t app = SharedApplicationHandle();
    std::vector<int64_t> observers;
};

TEST_F(AppearanceTest, ObserversOfTheKeyPathHearEveryRealChangeWithTheNewValueWhenAsked)
{
    int64_t plain = Observe(u"effectiveAppearance", 0, 1);
    Observe(u"mainMenu", 1, 2);
    int64_t withValue = Observe(u"effectiveAppearance", 1, 77);
    SetAppearance(false);
    EXPECT_TRUE(heard.empty());
    SetAppearance(true);
    SetAppearance(true);
    EXPECT_TRUE(IsDarkAppearance());
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].observer, plain);
    EXPECT_EQ(heard[0].newName, u"");
    EXPECT_EQ(heard[1].observer, withValue);
    EXPECT_EQ(heard[1].keyPath, u"effectiveAppearance");
    EXPECT_EQ(heard[1].object, app);
    EXPECT_EQ(heard[1].newName, u"NSAppearanceNameDarkAqua");
    EXPECT_EQ(heard[1].context, 77);
    SetAppearance(false);
    EXPECT_EQ(heard.back().newName, u"NSAppearanceNameAqua");
}

TEST_F(AppearanceTest, RemovedOrReleasedObserversHearNothing)
{
    int64_t removed = Observe(u"effectiveAppearance", 1, 1);
    int64_t released = Observe(u"effectiveAppearance", 1, 2);
    int64_t kept = Observe(u"effectiveAppearance", 1, 3);
    Send(app, "removeObserver:forKeyPath:", {removed, MakeString(u"effectiveAppearance")});
    // A released observer that never unregistered is skipped, not called.
    Send(released, "release");
    SetAppearance(true);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].observer, kept);
}

TEST_F(AppearanceTest, TheApplicationAnswersItsAppearanceAndDrawsInTheOneMadeCurrent)
{
    int handlerCalls = 0;
    SetAppearanceChangeHandler([&] { ++handlerCalls; });
    EXPECT_EQ(NameOf(Send(app, "effectiveAppearance")), u"NSAppearanceNameAqua");
    SetAppearance(true);
    int64_t dark = Send(app, "effectiveAppearance");
    EXPECT_EQ(NameOf(dark), u"NSAppearanceNameDarkAqua");
    EXPECT_EQ(handlerCalls, 1);
    SetAppearanceChangeHandler(nullptr);

    SetAppearance(false);
    MessageResult ignored;
    for (int64_t notAnAppearance : {int64_t{12345}, app})
        SendClassMessage("NSAppearance", "setCurrentAppearance:", std::vector<int64_t>{notAnAppearance},
                         ignored);
    EXPECT_FALSE(IsDarkAppearance());
    SendClassMessage("NSAppearance", "setCurrentAppearance:", std::vector<int64_t>{dark}, ignored);
    EXPECT_TRUE(IsDarkAppearance());
}

TEST_F(AppearanceTest, TheDesktopPortalsColorSchemeDecidesOnceStartedAndItsChangesReachTheObservers)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.started) << "no dbus-daemon";
    EndApplication();
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str(), 1);
    ASSERT_TRUE(ServeColorSchemeForTests(ColorScheme::Dark));
    ASSERT_TRUE(testing::StartPlatform());
    // Asked once the event loop has first been idle, and answered as a change.
    EXPECT_FALSE(IsDarkAppearance());
    for (int round = 0; round < 100 && !IsDarkAppearance(); ++round)
        ProcessPlatformEvents(50);
    EXPECT_TRUE(IsDarkAppearance());
    int handlerCalls = 0;
    SetAppearanceChangeHandler([&] { ++handlerCalls; });
    Observe(u"effectiveAppearance", 1, 0);
    for (ColorScheme scheme : {ColorScheme::Light, ColorScheme::Dark, ColorScheme::NoPreference}) {
        int before = handlerCalls;
        ServeColorSchemeForTests(scheme);
        for (int round = 0; round < 100 && handlerCalls == before; ++round)
            ProcessPlatformEvents(50);
        EXPECT_EQ(handlerCalls, before + 1);
        EXPECT_EQ(IsDarkAppearance(), scheme == ColorScheme::Dark);
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back().newName,
                  scheme == ColorScheme::Dark ? u"NSAppearanceNameDarkAqua" : u"NSAppearanceNameAqua");
    }
    SetAppearanceChangeHandler(nullptr);
    // Without a session bus the palette answers, whatever a portal elsewhere prefers.
    ServeColorSchemeForTests(ColorScheme::Dark);
    EndApplication();
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    std::string runtimeDir = getenv("XDG_RUNTIME_DIR") ? getenv("XDG_RUNTIME_DIR") : "";
    unsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(testing::StartPlatform());
    ProcessPlatformEvents(200);
    EXPECT_FALSE(IsDarkAppearance());
    if (!runtimeDir.empty()) setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    StopColorSchemeServiceForTests();
}

} // namespace
} // namespace nevalon::platform
