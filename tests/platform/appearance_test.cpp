#include "platform/Application.h"
#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Object.h"

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

std::u16string NameOf(int64_t appearance)
{
    MessageResult name;
    if (!SendMessage(appearance, "name", {}, name)) return u"";
    return StringFromHandle(name.AsInteger());
}

int64_t Send(int64_t receiver, const char* selector, std::vector<int64_t> args = {})
{
    MessageResult result;
    SendMessage(receiver, selector, args, result);
    return result.AsInteger();
}

class AppearanceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "platform-tests";
        static char* argv[] = {name, nullptr};
        std::string error;
        ASSERT_TRUE(StartApplication(argc, argv, error)) << error;
        // The observer class is made at run time, as the application makes its own.
        if (FindClass("Kx_KVO_Test")) return;
        Class* observer = AllocateClass("NSObject", "Kx_KVO_Test");
        ASSERT_NE(observer, nullptr);
        observer->AddMethod(
            "observeValueForKeyPath:ofObject:change:context:", "v@:@@@^v",
            [](Object* self, MessageArgs args) {
                int64_t newValue = Send(args[2], "objectForKey:", {LookupConstant("NSKeyValueChangeNewKey")});
                heard.push_back(
                    {self->Handle(), StringFromHandle(args[0]), args[1], NameOf(newValue), args[3]});
                return MessageResult{};
            });
        RegisterClass(observer);
    }

    void SetUp() override
    {
        SetAppearance(false);
        heard.clear();
        app = SharedApplicationHandle();
    }
    void TearDown() override
    {
        for (int64_t o : observers) {
            Send(app, "removeObserver:forKeyPath:", {o, MakeString(u"effectiveAppearance")});
            Send(app, "removeObserver:forKeyPath:", {o, MakeString(u"mainMenu")});
        }
        for (int64_t o : observers)
            Send(o, "release");
        // A later object may be born at a released observer's address.
        for (int64_t o : registeredButReleased)
            Send(app, "removeObserver:forKeyPath:", {o, MakeString(u"effectiveAppearance")});
        SetAppearance(false);
        DrainAutoreleasePool();
    }

    int64_t Observe(const char16_t* keyPath, int64_t options, int64_t context)
    {
        MessageResult made;
        EXPECT_TRUE(SendClassMessage("Kx_KVO_Test", "new", {}, made));
        int64_t observer = made.AsInteger();
        observers.push_back(observer);
        Send(app,
             "addObserver:forKeyPath:options:context:", {observer, MakeString(keyPath), options, context});
        return observer;
    }

    int64_t app = 0;
    std::vector<int64_t> observers;
    std::vector<int64_t> registeredButReleased;
};

TEST_F(AppearanceTest, ObserversHearTheNewAppearanceUnderTheNewKey)
{
    int64_t observer = Observe(u"effectiveAppearance", 1, 77);
    SetAppearance(true);
    EXPECT_TRUE(IsDarkAppearance());
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].observer, observer);
    EXPECT_EQ(heard[0].keyPath, u"effectiveAppearance");
    EXPECT_EQ(heard[0].object, app);
    EXPECT_EQ(heard[0].newName, u"NSAppearanceNameDarkAqua");
    EXPECT_EQ(heard[0].context, 77);

    SetAppearance(false);
    EXPECT_FALSE(IsDarkAppearance());
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].newName, u"NSAppearanceNameAqua");
}

TEST_F(AppearanceTest, OnlyARealChangeIsAnnounced)
{
    Observe(u"effectiveAppearance", 1, 0);
    SetAppearance(false);
    EXPECT_TRUE(heard.empty());
    SetAppearance(true);
    SetAppearance(true);
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(AppearanceTest, OnlyObserversOfTheKeyPathHearAndOnlyWithOptionOneIsTheNewValueGiven)
{
    Observe(u"effectiveAppearance", 0, 1);
    Observe(u"mainMenu", 1, 2);
    Observe(u"effectiveAppearance", 1, 3);
    SetAppearance(true);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].context, 1);
    EXPECT_EQ(heard[0].newName, u"");
    EXPECT_EQ(heard[1].context, 3);
    EXPECT_EQ(heard[1].newName, u"NSAppearanceNameDarkAqua");
}

TEST_F(AppearanceTest, RemovedOrReleasedObserversHearNothing)
{
    int64_t removed = Observe(u"effectiveAppearance", 1, 1);
    int64_t released = Observe(u"effectiveAppearance", 1, 2);
    int64_t kept = Observe(u"effectiveAppearance", 1, 3);
    Send(app, "removeObserver:forKeyPath:", {removed, MakeString(u"effectiveAppearance")});
    // A released observer that never unregistered is skipped, not called.
    Send(released, "release");
    observers.erase(std::find(observers.begin(), observers.end(), released));
    registeredButReleased.push_back(released);

    SetAppearance(true);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].observer, kept);
}

TEST_F(AppearanceTest, TheApplicationAnswersItsCurrentAppearance)
{
    int handlerCalls = 0;
    SetAppearanceChangeHandler([&] { ++handlerCalls; });
    EXPECT_EQ(NameOf(Send(app, "effectiveAppearance")), u"NSAppearanceNameAqua");
    SetAppearance(true);
    EXPECT_EQ(NameOf(Send(app, "effectiveAppearance")), u"NSAppearanceNameDarkAqua");
    EXPECT_EQ(handlerCalls, 1);
    SetAppearanceChangeHandler(nullptr);

    // The appearance made current is the one the windows draw in; anything else changes nothing.
    int64_t dark = Send(app, "effectiveAppearance");
    SetAppearance(false);
    MessageResult ignored;
    for (int64_t notAnAppearance : {int64_t{12345}, app})
        SendClassMessage("NSAppearance", "setCurrentAppearance:", std::vector<int64_t>{notAnAppearance},
                         ignored);
    EXPECT_FALSE(IsDarkAppearance());
    SendClassMessage("NSAppearance", "setCurrentAppearance:", std::vector<int64_t>{dark}, ignored);
    EXPECT_TRUE(IsDarkAppearance());
}

} // namespace
} // namespace nevalon::platform
