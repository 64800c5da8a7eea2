#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Object.h"

#include <gtest/gtest.h>

namespace nevalon::platform {
namespace {

// An object that counts its own destruction.
class Tracked : public Object {
public:
    explicit Tracked(int& deaths) : Object(nullptr), deaths_(deaths) {}
    ~Tracked() override { ++deaths_; }

private:
    int& deaths_;
};

// An object that hands another one to the autorelease pool as it goes.
class Handing : public Object {
public:
    explicit Handing(Object* next) : Object(nullptr), next_(next) {}
    ~Handing() override { Autorelease(next_); }

private:
    Object* next_;
};

TEST(ObjectTest, HandlesNameLiveObjectsOnly)
{
    int deaths = 0;
    int64_t before = LiveObjectCount();
    auto* object = new Tracked(deaths);
    int64_t handle = object->Handle();
    EXPECT_EQ(handle, static_cast<int64_t>(reinterpret_cast<uintptr_t>(object)));
    EXPECT_EQ(ObjectFromHandle(handle), object);
    EXPECT_EQ(LiveObjectCount(), before + 1);

    for (int64_t other : {int64_t{0}, int64_t{1}, int64_t{-1}, handle + 1, handle - 8})
        EXPECT_EQ(ObjectFromHandle(other), nullptr) << other;

    object->Release();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(ObjectFromHandle(handle), nullptr);
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(ObjectTest, TheLastReleaseDestroys)
{
    int deaths = 0;
    auto* object = new Tracked(deaths);
    EXPECT_EQ(object->RetainCount(), 1);
    object->Retain();
    object->Retain();
    EXPECT_EQ(object->RetainCount(), 3);
    object->Release();
    object->Release();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(object->RetainCount(), 1);
    object->Release();
    EXPECT_EQ(deaths, 1);
}

TEST(ObjectTest, RefHoldsOneReference)
{
    int deaths = 0;
    {
        // Adopting takes over the creator's reference.
        Ref<Tracked> adopted = Ref<Tracked>::Adopt(new Tracked(deaths));
        EXPECT_EQ(adopted->RetainCount(), 1);
        {
            Ref<Tracked> copy = adopted;
            EXPECT_EQ(adopted->RetainCount(), 2);
            Ref<Tracked> moved = std::move(copy);
            EXPECT_FALSE(copy);
            EXPECT_EQ(moved.get(), adopted.get());
            EXPECT_EQ(adopted->RetainCount(), 2);
        }
        EXPECT_EQ(adopted->RetainCount(), 1);

        // Wrapping a plain pointer retains it.
        auto* plain = new Tracked(deaths);
        {
            Ref<Tracked> wrapped(plain);
            EXPECT_EQ(plain->RetainCount(), 2);
        }
        EXPECT_EQ(plain->RetainCount(), 1);

        // Assigning releases what was held before.
        Ref<Tracked> other = Ref<Tracked>::Adopt(plain);
        other = adopted;
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(adopted->RetainCount(), 2);
        other = Ref<Tracked>();
        EXPECT_FALSE(other);
        EXPECT_EQ(adopted->RetainCount(), 1);
        EXPECT_FALSE(Ref<Tracked>(nullptr));
    }
    EXPECT_EQ(deaths, 2);
}

TEST(ObjectTest, AutoreleasedObjectsLiveUntilThePoolIsDrained)
{
    DrainAutoreleasePool();
    int deaths = 0;
    auto* once = new Tracked(deaths);
    auto* twice = new Tracked(deaths);
    twice->Retain();
    Autorelease(once);
    Autorelease(twice);
    Autorelease(twice);
    Autorelease(nullptr);
    EXPECT_EQ(deaths, 0);
    EXPECT_NE(ObjectFromHandle(once->Handle()), nullptr);

    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 2);
    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 2);
}

TEST(ObjectTest, ObjectsAutoreleasedWhileDrainingWaitForTheNextDrain)
{
    DrainAutoreleasePool();
    int deaths = 0;
    auto* later = new Tracked(deaths);
    int64_t laterHandle = later->Handle();
    Autorelease(new Handing(later));

    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 0);
    EXPECT_NE(ObjectFromHandle(laterHandle), nullptr);
    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(ObjectFromHandle(laterHandle), nullptr);
}

TEST(ObjectTest, StringsAreAutoreleasedObjectsWithTheirText)
{
    DrainAutoreleasePool();
    int64_t text = MakeString(u"caf\u00e9 \U0001F600");
    int64_t fromUtf8 = MakeString(std::string_view("caf\xc3\xa9"));
    EXPECT_EQ(StringFromHandle(text), u"caf\u00e9 \U0001F600");
    EXPECT_EQ(StringFromHandle(fromUtf8), u"caf\u00e9");
    auto* object = dynamic_cast<StringObject*>(ObjectFromHandle(fromUtf8));
    ASSERT_NE(object, nullptr);
    EXPECT_STREQ(object->Utf8(), "caf\xc3\xa9");
    EXPECT_EQ(object->GetClass(), FindClass("NSString"));

    // Anything that is not a string has no text.
    EXPECT_EQ(StringFromHandle(0), u"");
    EXPECT_EQ(StringFromHandle(12345), u"");
    EXPECT_EQ(StringFromHandle(SharedApplicationHandle()), u"");

    DrainAutoreleasePool();
    EXPECT_EQ(ObjectFromHandle(text), nullptr);
    EXPECT_EQ(StringFromHandle(text), u"");
}

} // namespace
} // namespace nevalon::platform
