#include "ToolkitFixture.h"
#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Object.h"
#include "runtime/gui/PlatformMessage.h"

#include <cstring>

namespace nevalon::gui {
namespace {

// What the last message to a probe object carried.
struct Received {
    std::string selector;
    std::vector<int64_t> args;
};
Received received;

struct Pair {
    double a, b;
};
struct Quad {
    double x, y, width, height;
};

// A class made at run time whose methods note what they were sent.
int64_t NewProbe()
{
    static bool defined = [] {
        platform::RegisterPlatformClasses();
        platform::Class* probe = platform::AllocateClass("NSObject", "BridgeProbe");
        for (const char* selector :
             {"setInteger:forKey:", "takeText:", "count", "do:it", "do:it:", "setSize:"}) {
            probe->AddMethod(selector, "", [selector](platform::Object*, platform::MessageArgs args) {
                received = {selector, std::vector<int64_t>(args.begin(), args.end())};
                return platform::MessageResult::Of(int64_t{static_cast<int64_t>(args.size()) + 100});
            });
        }
        probe->AddMethod("frame", "", [](platform::Object*, platform::MessageArgs) {
            return platform::MessageResult::Of(Quad{1.5, 2.5, 300, 400});
        });
        probe->AddMethod("scale", "", [](platform::Object*, platform::MessageArgs) {
            return platform::MessageResult::Of(0.25);
        });
        platform::RegisterClass(probe);
        return true;
    }();
    EXPECT_TRUE(defined);
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

TEST_F(PlatformMessageTest, ObjectZeroTakesTheClassNameFromTheMessage)
{
    int64_t app = platform::SharedApplicationHandle();
    EXPECT_EQ(PlatformMessage(nullptr, 0, "NSApplication sharedApplication"), app);
    EXPECT_EQ(PlatformMessage(nullptr, 0, u"NSApplication sharedApplication"), app);
    EXPECT_EQ(PlatformMessage(nullptr, 0, std::string("NSApplication sharedApplication")), app);

    // A class made at run time answers the class methods of its superclass, with instances of itself.
    platform::Object* instance = platform::ObjectFromHandle(probe);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->GetClass(), platform::FindClass("BridgeProbe"));

    EXPECT_EQ(PlatformMessage(nullptr, 0, "NSApplication"), 0);
    EXPECT_EQ(PlatformMessage(nullptr, 0, "NoSuchClass sharedApplication"), 0);
    EXPECT_EQ(PlatformMessage(nullptr, 0, "NSApplication noSuchMethod"), 0);
    // Instance methods are not class methods.
    EXPECT_EQ(PlatformMessage(nullptr, 0, "NSApplication activationPolicy"), 0);
    EXPECT_EQ(PlatformMessage(nullptr, 0, 5), 0);
}

TEST_F(PlatformMessageTest, PiecesAreJoinedIntoOneSelectorWithOneArgumentEach)
{
    EXPECT_EQ(PlatformMessage(nullptr, probe, "setInteger:", {42, "forKey:$", "Login"}), 102);
    EXPECT_EQ(received.selector, "setInteger:forKey:");
    ASSERT_EQ(received.args.size(), 2u);
    EXPECT_EQ(received.args[0], 42);
    EXPECT_EQ(platform::StringFromHandle(received.args[1]), u"Login");

    // The pieces may be UTF-16 as well.
    EXPECT_EQ(PlatformMessage(nullptr, probe, u"setInteger:", {-7, u"forKey:$", u"Sort"}), 102);
    EXPECT_EQ(received.args[0], -7);
    EXPECT_EQ(platform::StringFromHandle(received.args[1]), u"Sort");
}

TEST_F(PlatformMessageTest, ASelectorNotEndingInAColonTakesOneArgumentFewer)
{
    EXPECT_EQ(PlatformMessage(nullptr, probe, "count"), 100);
    EXPECT_EQ(received.selector, "count");
    // An argument given to a selector without a colon is not passed.
    EXPECT_EQ(PlatformMessage(nullptr, probe, "count", {5}), 100);
    EXPECT_EQ(PlatformMessage(nullptr, probe, "do:", {1, "it", 2}), 101);
    EXPECT_EQ(received.selector, "do:it");
    EXPECT_EQ(received.args, std::vector<int64_t>{1});
    EXPECT_EQ(PlatformMessage(nullptr, probe, "do:", {1, "it:", 2}), 102);
    EXPECT_EQ(received.args, (std::vector<int64_t>{1, 2}));
    // A missing argument is passed as 0.
    EXPECT_EQ(PlatformMessage(nullptr, probe, "takeText:"), 101);
    EXPECT_EQ(received.args, std::vector<int64_t>{0});
}

TEST_F(PlatformMessageTest, MarkersPassStringsAndPointers)
{
    // "$": a platform string; an 8-bit text is Latin-1, a UTF-16 text is taken as it is.
    PlatformMessage(nullptr, probe, "takeText:$", {"Gr\xfc\xdf"});
    EXPECT_EQ(platform::StringFromHandle(received.args[0]), u"Gr\u00fc\u00df");
    PlatformMessage(nullptr, probe, "takeText:$", {u"\u4e2d\u6587 \U0001F600"});
    EXPECT_EQ(platform::StringFromHandle(received.args[0]), u"\u4e2d\u6587 \U0001F600");
    PlatformMessage(nullptr, probe, "takeText:$", {""});
    ASSERT_NE(platform::ObjectFromHandle(received.args[0]), nullptr);
    EXPECT_EQ(platform::StringFromHandle(received.args[0]), u"");
    // A null string passes nil.
    PlatformMessage(nullptr, probe, "takeText:$", {nullptr});
    EXPECT_EQ(received.args[0], 0);

    // "@": a pointer to the argument's bytes.
    Pair size{460, 120.5};
    PlatformMessage(nullptr, probe, "setSize:@", {BridgeBytes{&size}});
    EXPECT_EQ(received.selector, "setSize:");
    Pair seen;
    std::memcpy(&seen, reinterpret_cast<const void*>(static_cast<uintptr_t>(received.args[0])), sizeof seen);
    EXPECT_EQ(seen.a, 460);
    EXPECT_EQ(seen.b, 120.5);

    // No marker: the 64-bit value itself.
    PlatformMessage(nullptr, probe, "takeText:", {int64_t{0x7FFFFFFFFFFFFFFF}});
    EXPECT_EQ(received.args[0], 0x7FFFFFFFFFFFFFFF);
}

TEST_F(PlatformMessageTest, ResultsLargerThanEightBytesNeedAResultPointer)
{
    platform::SetOperatingSystemVersionForTests({11, 6, 2});
    int64_t processInfo = PlatformMessage(nullptr, 0, "NSProcessInfo processInfo");
    ASSERT_NE(processInfo, 0);
    int64_t version[3] = {-1, -1, -1};
    EXPECT_EQ(PlatformMessage(version, processInfo, "operatingSystemVersion"), 0);
    EXPECT_EQ(version[0], 11);
    EXPECT_EQ(version[1], 6);
    EXPECT_EQ(version[2], 2);
    EXPECT_EQ(PlatformMessage(nullptr, processInfo, "operatingSystemVersion"), 0);
    platform::SetOperatingSystemVersionForTests({12, 0, 0});

    Quad frame{};
    EXPECT_EQ(PlatformMessage(&frame, probe, "frame"), 0);
    EXPECT_EQ(frame.x, 1.5);
    EXPECT_EQ(frame.height, 400);

    // Doubles come through the pointer too; without one the call answers their bits.
    double scale = 0;
    EXPECT_EQ(PlatformMessage(&scale, probe, "scale"), 0);
    EXPECT_EQ(scale, 0.25);
    int64_t bits;
    std::memcpy(&bits, &scale, sizeof bits);
    EXPECT_EQ(PlatformMessage(nullptr, probe, "scale"), bits);

    int64_t count = 0;
    EXPECT_EQ(PlatformMessage(&count, probe, "count"), 0);
    EXPECT_EQ(count, 100);
}

TEST_F(PlatformMessageTest, UnknownSelectorsAndNonObjectsGetNothing)
{
    Quad untouched{9, 9, 9, 9};
    EXPECT_EQ(PlatformMessage(&untouched, probe, "noSuchMethod"), 0);
    EXPECT_EQ(PlatformMessage(nullptr, probe, "noSuchMethod:", {1}), 0);
    EXPECT_EQ(untouched.x, 9);
    EXPECT_EQ(received.selector, "");

    int64_t dead = PlatformMessage(nullptr, 0, "BridgeProbe new");
    PlatformMessage(nullptr, dead, "release");
    for (int64_t notAnObject : {int64_t{1}, int64_t{12345}, int64_t{-1}, probe + 1, dead}) {
        EXPECT_EQ(PlatformMessage(&untouched, notAnObject, "count"), 0) << notAnObject;
        EXPECT_EQ(PlatformMessage(nullptr, notAnObject, "count"), 0) << notAnObject;
    }
    EXPECT_EQ(untouched.x, 9);
    EXPECT_EQ(received.selector, "");
}

TEST_F(PlatformMessageTest, TheApplicationsOwnMessagesAreAnswered)
{
    int64_t app = PlatformMessage(nullptr, 0, "NSApplication sharedApplication");
    PlatformMessage(nullptr, app, "setActivationPolicy:", {1});
    EXPECT_EQ(platform::ActivationPolicy(), 1);
    EXPECT_EQ(PlatformMessage(nullptr, app, "activationPolicy"), 1);
    PlatformMessage(nullptr, app, "setActivationPolicy:", {0});
    EXPECT_EQ(platform::ActivationPolicy(), 0);

    int64_t bundle = PlatformMessage(nullptr, 0, "NSBundle mainBundle");
    int64_t path = PlatformMessage(nullptr, bundle, "bundlePath");
    auto* text = reinterpret_cast<const char*>(PlatformMessage(nullptr, path, "UTF8String"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text), platform::BundlePath());

    int64_t uuid = PlatformMessage(nullptr, 0, "NSUUID UUID");
    auto* uuidText = reinterpret_cast<const char*>(
        PlatformMessage(nullptr, PlatformMessage(nullptr, uuid, "UUIDString"), "UTF8String"));
    ASSERT_NE(uuidText, nullptr);
    std::string u = uuidText;
    ASSERT_EQ(u.size(), 36u);
    EXPECT_EQ(u[14], '4');
    EXPECT_EQ(u.find_first_not_of("0123456789ABCDEF-"), std::string::npos);

    double height = -1;
    EXPECT_EQ(PlatformMessage(&height, PlatformMessage(nullptr, app, "mainMenu"), "menuBarHeight"), 0);
    EXPECT_GE(height, 0);

    int64_t defaults = PlatformMessage(nullptr, 0, "NSUserDefaults standardUserDefaults");
    platform::SetAppearance(true);
    int64_t style = PlatformMessage(nullptr, defaults, "stringForKey:$", {"AppleInterfaceStyle"});
    EXPECT_EQ(platform::StringFromHandle(style), u"Dark");
    platform::SetAppearance(false);
    EXPECT_EQ(PlatformMessage(nullptr, defaults, "stringForKey:$", {"AppleInterfaceStyle"}), 0);
}

TEST_F(PlatformMessageTest, MessagesReachWindowsAndTheirContentViews)
{
    int64_t handle = CreateWindow(1, 0, 0, 200, 100, u"bridged");
    ASSERT_NE(handle, 0);
    PlatformMessage(nullptr, handle, "setMovable:", {0});
    PlatformMessage(nullptr, handle, "setTitlebarAppearsTransparent:", {1});
    int64_t view = PlatformMessage(nullptr, handle, "contentView");
    ASSERT_NE(view, 0);
    EXPECT_EQ(view, PlatformMessage(nullptr, handle, "contentView"));
    Drain();
    PlatformMessage(nullptr, view, "setNeedsDisplay:", {1});
    PlatformMessage(nullptr, handle, "displayIfNeeded");
    EXPECT_EQ(DequeueEvent(), EventRepaint);
    EXPECT_EQ(EventWindow(), 1);

    // Once the window has closed its view answers nothing, and the window is no object any more.
    platform::Ref<platform::Object> keptView(platform::ObjectFromHandle(view));
    DestroyWindow(1);
    Drain();
    EXPECT_EQ(PlatformMessage(nullptr, handle, "contentView"), 0);
    PlatformMessage(nullptr, view, "displayIfNeeded");
    EXPECT_EQ(QueuedEventCount(), 0);
}

} // namespace
} // namespace nevalon::gui
