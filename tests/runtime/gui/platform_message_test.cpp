#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/Foundation.h"
#include "runtime/gui/PlatformMessage.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace nevalon::gui {
namespace {

// What the last message to a probe object carried.
struct Received {
    std::string selector;
    std::vector<int64_t> args;
} received;

struct Quad {
    double x, y, width, height;
};

// A class made at run time whose methods note what they were sent.
int64_t NewProbe()
{
    if (!platform::FindClass("BridgeProbe")) {
        platform::RegisterPlatformClasses();
        platform::Class* probe = platform::AllocateClass("NSObject", "BridgeProbe");
        for (const char* selector : {"setInteger:forKey:", "take:", "count", "do:it", "do:it:"}) {
            probe->AddMethod(selector, "", [selector](platform::Object*, platform::MessageArgs args) {
                received = {selector, std::vector<int64_t>(args.begin(), args.end())};
                return platform::MessageResult::Of(int64_t{static_cast<int64_t>(args.size()) + 100});
            });
        }
        probe->AddMethod("frame", "", [](platform::Object*, platform::MessageArgs) {
            return platform::MessageResult::Of(Quad{1.5, 2.5, 300, 400});
        });
        platform::RegisterClass(probe);
    }
    return PlatformMessage(nullptr, 0, "BridgeProbe new");
}

class PlatformMessageTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        probe = NewProbe();
        ASSERT_NE(probe, 0);
        received = {};
    }
    void TearDown() override
    {
        PlatformMessage(nullptr, probe, "release");
        ToolkitTest::TearDown();
    }
    int64_t probe = 0;
};

TEST_F(PlatformMessageTest, TheMessageNamesTheClassForObjectZeroAndThePiecesMakeOneSelector)
{
    int64_t app = platform::SharedApplicationHandle();
    EXPECT_EQ(PlatformMessage(nullptr, 0, "NSApplication sharedApplication"), app);
    EXPECT_EQ(PlatformMessage(nullptr, 0, u"NSApplication sharedApplication"), app);
    for (const char* refused :
         {"NSApplication", "NoSuchClass sharedApplication", "NSApplication activationPolicy"})
        EXPECT_EQ(PlatformMessage(nullptr, 0, refused), 0) << refused;
    EXPECT_EQ(PlatformMessage(nullptr, 0, 5), 0);

    EXPECT_EQ(PlatformMessage(nullptr, probe, u"setInteger:", {-7, u"forKey:$", u"Sort"}), 102);
    EXPECT_EQ(received.selector, "setInteger:forKey:");
    EXPECT_EQ(received.args[0], -7);
    EXPECT_EQ(platform::StringFromHandle(received.args[1]), u"Sort");
    // A selector that does not end in ":" takes one argument fewer; a missing one is 0.
    EXPECT_EQ(PlatformMessage(nullptr, probe, "count", {5}), 100);
    EXPECT_EQ(PlatformMessage(nullptr, probe, "do:", {1, "it", 2}), 101);
    EXPECT_EQ(received.args, std::vector<int64_t>{1});
    EXPECT_EQ(PlatformMessage(nullptr, probe, "do:", {1, "it:", 2}), 102);
    EXPECT_EQ(PlatformMessage(nullptr, probe, "take:"), 101);
    EXPECT_EQ(received.args, std::vector<int64_t>{0});
}

TEST_F(PlatformMessageTest, MarkersPassStringsAndBytesAsObjectsAndNothingElseAsAnAddress)
{
    PlatformMessage(nullptr, probe, "take:$", {"Gr\xfc\xdf"});
    EXPECT_EQ(platform::StringFromHandle(received.args[0]), u"Gr\u00fc\u00df");
    PlatformMessage(nullptr, probe, "take:$", {u"\u4e2d \U0001F600"});
    EXPECT_EQ(platform::StringFromHandle(received.args[0]), u"\u4e2d \U0001F600");
    PlatformMessage(nullptr, probe, "take:$", {nullptr});
    EXPECT_EQ(received.args[0], 0);

    double size[2] = {460, 120.5};
    PlatformMessage(nullptr, probe, "take:@", {BridgeBytes::Of(size)});
    const platform::DataObject* data = platform::DataFromHandle(received.args[0]);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Size(), sizeof size);
    EXPECT_EQ(data->As<platform::Size>()->height, 120.5);

    PlatformMessage(nullptr, probe, "take:", {int64_t{0x7FFFFFFFFFFFFFFF}});
    EXPECT_EQ(received.args[0], 0x7FFFFFFFFFFFFFFF);
    // A text or bytes without their marker, and an integer marked as bytes, carry no address.
    for (BridgeValue unmarked : {BridgeValue("text"), BridgeValue(BridgeBytes::Of(size))}) {
        PlatformMessage(nullptr, probe, "take:", {unmarked});
        EXPECT_EQ(received.args[0], 0);
    }
    PlatformMessage(nullptr, probe, "take:@", {12345});
    EXPECT_EQ(received.args[0], 0);
}

TEST_F(PlatformMessageTest, AResultIsCopiedOnlyAsFarAsTheCallersMemoryGoes)
{
    platform::SetOperatingSystemVersionForTests({11, 6, 2});
    int64_t info = PlatformMessage(nullptr, 0, "NSProcessInfo processInfo");
    platform::OsVersion version{};
    EXPECT_EQ(PlatformMessage(&version, info, "operatingSystemVersion"), 0);
    EXPECT_EQ(version.major, 11);
    EXPECT_EQ(version.patch, 2);
    EXPECT_EQ(PlatformMessage(nullptr, info, "operatingSystemVersion"), 0);
    struct {
        int64_t major;
        int64_t guard[2];
    } narrow{-1, {-1, -1}};
    EXPECT_EQ(PlatformMessage(&narrow.major, info, "operatingSystemVersion"), 0);
    EXPECT_EQ(narrow.major, 11);
    EXPECT_EQ(narrow.guard[0], -1);
    EXPECT_EQ(narrow.guard[1], -1);

    Quad frame{};
    EXPECT_EQ(PlatformMessage(&frame, probe, "frame"), 0);
    EXPECT_EQ(frame.height, 400);
    Quad untouched{9, 9, 9, 9};
    EXPECT_EQ(PlatformMessage(&untouched, probe, "noSuchMethod"), 0);
    int64_t dead = NewProbe();
    PlatformMessage(nullptr, dead, "release");
    for (int64_t notAnObject : {int64_t{1}, int64_t{-1}, probe + 1, dead})
        EXPECT_EQ(PlatformMessage(&untouched, notAnObject, "frame"), 0) << notAnObject;
    EXPECT_EQ(untouched.x, 9);
}

TEST_F(PlatformMessageTest, TheApplicationsOwnMessagesAreAnswered)
{
    int64_t app = PlatformMessage(nullptr, 0, "NSApplication sharedApplication");
    PlatformMessage(nullptr, app, "setActivationPolicy:", {1});
    EXPECT_EQ(PlatformMessage(nullptr, app, "activationPolicy"), 1);
    PlatformMessage(nullptr, app, "setActivationPolicy:", {0});
    EXPECT_EQ(platform::ActivationPolicy(), 0);

    int64_t path = PlatformMessage(nullptr, PlatformMessage(nullptr, 0, "NSBundle mainBundle"), "bundlePath");
    EXPECT_STREQ(reinterpret_cast<const char*>(PlatformMessage(nullptr, path, "UTF8String")),
                 platform::BundlePath().c_str());
    int64_t uuid = PlatformMessage(nullptr, PlatformMessage(nullptr, 0, "NSUUID UUID"), "UUIDString");
    std::string u = reinterpret_cast<const char*>(PlatformMessage(nullptr, uuid, "UTF8String"));
    EXPECT_EQ(u.size(), 36u);
    EXPECT_EQ(u[14], '4');
    EXPECT_EQ(u.find_first_not_of("0123456789ABCDEF-"), std::string::npos);

    double height = -1;
    EXPECT_EQ(PlatformMessage(&height, PlatformMessage(nullptr, app, "mainMenu"), "menuBarHeight"), 0);
    EXPECT_GE(height, 0);

    // The defaults name the dark appearance only while it is the desktop's.
    int64_t defaults = PlatformMessage(nullptr, 0, "NSUserDefaults standardUserDefaults");
    platform::SetAppearance(true);
    EXPECT_EQ(platform::StringFromHandle(
                  PlatformMessage(nullptr, defaults, "stringForKey:$", {"AppleInterfaceStyle"})),
              u"Dark");
    platform::SetAppearance(false);
    EXPECT_EQ(PlatformMessage(nullptr, defaults, "stringForKey:$", {"AppleInterfaceStyle"}), 0);
}

TEST_F(PlatformMessageTest, MessagesReachWindowsAndTheirContentViewsWhileTheyAreOpen)
{
    int64_t handle = CreateWindow(1, 0, 0, 200, 100, u"bridged");
    int64_t view = PlatformMessage(nullptr, handle, "contentView");
    ASSERT_NE(view, 0);
    Drain();
    PlatformMessage(nullptr, view, "setNeedsDisplay:", {1});
    PlatformMessage(nullptr, handle, "displayIfNeeded");
    EXPECT_EQ(DequeueEvent(), EventRepaint);

    platform::Ref<platform::Object> keptView(platform::ObjectFromHandle(view));
    DestroyWindow(1);
    Drain();
    EXPECT_EQ(PlatformMessage(nullptr, handle, "contentView"), 0);
    PlatformMessage(nullptr, view, "displayIfNeeded");
    EXPECT_EQ(QueuedEventCount(), 0);
}

// Every selector any class answers, sent with zero and junk arguments to an instance of every class
// made by "new" and to the platform's live objects, never crashes and never writes past the result.
TEST_F(PlatformMessageTest, EveryClassSurvivesEverySelectorWithAnyArguments)
{
    std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("bridge-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    std::vector<std::string> selectors, classSelectors;
    for (platform::Class* cls : platform::AllClasses()) {
        for (const std::string& s : cls->Selectors())
            if (s != "retain" && s != "release" && s != "autorelease") selectors.push_back(s);
        for (const std::string& s : cls->ClassSelectors())
            classSelectors.push_back(s);
    }
    int64_t window = CreateWindow(1, 0, 0, 100, 100, u"target");
    double bytes[2] = {1, 2};
    const std::vector<int64_t> junk = {0,
                                       1,
                                       -1,
                                       0x7FFFFFFFFFFFFFFF,
                                       probe + 8,
                                       window,
                                       platform::MakeString(u"junk"),
                                       platform::MakeData(bytes, 3)};
    auto sendAll = [&](int64_t receiver, const std::vector<std::string>& all) {
        for (const std::string& selector : all) {
            for (int64_t arg : junk) {
                const std::vector<int64_t> args(std::count(selector.begin(), selector.end(), ':'), arg);
                platform::MessageResult answer;
                platform::SendMessage(receiver, selector, args, answer);
                struct {
                    char result[8];
                    char guard[32];
                } memory{};
                PlatformMessage(&memory.result, receiver, BridgeValue(selector + (args.empty() ? "" : "@")),
                                {BridgeBytes::Of(bytes)});
                ASSERT_EQ(std::count(std::begin(memory.guard), std::end(memory.guard), 0), 32) << selector;
            }
        }
    };
    for (platform::Class* cls : platform::AllClasses()) {
        SCOPED_TRACE(cls->Name());
        sendAll(cls->Handle(), classSelectors);
        int64_t instance = PlatformMessage(nullptr, 0, BridgeValue(cls->Name() + " new"));
        ASSERT_NE(platform::ObjectFromHandle(instance), nullptr);
        sendAll(instance, selectors);
        for (const char* memory : {"retain", "autorelease", "release", "release"})
            PlatformMessage(nullptr, instance, memory);
        EXPECT_EQ(platform::ObjectFromHandle(instance), nullptr);
    }
    int64_t app = platform::SharedApplicationHandle();
    for (int64_t live : {app, window, PlatformMessage(nullptr, window, "contentView"), junk[6], junk[7],
                         PlatformMessage(nullptr, 0, "NSImage imageWithSystemSymbolName:$",
                                         {"trash", "accessibilityDescription:", 0})})
        sendAll(live, selectors);
    // The shared objects outlive any release a caller sends them.
    for (int i = 0; i < 3; ++i)
        PlatformMessage(nullptr, app, "release");
    platform::DrainAutoreleasePool();
    EXPECT_EQ(PlatformMessage(nullptr, 0, "NSApplication sharedApplication"), app);
    PlatformMessage(nullptr, app, "setActivationPolicy:", {0});
    std::filesystem::remove_all(home);
}

} // namespace
} // namespace nevalon::gui
