#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

#include <gtest/gtest.h>

namespace nevalon::platform {
namespace {

// An object that counts its own destruction, and may hand another one to the pool as it goes.
class Tracked : public Object {
public:
    explicit Tracked(int& deaths, Object* handOn = nullptr)
        : Object(nullptr), deaths_(deaths), handOn_(handOn)
    {
    }
    ~Tracked() override
    {
        ++deaths_;
        Autorelease(handOn_);
    }

private:
    int& deaths_;
    Object* handOn_;
};

TEST(ObjectTest, HandlesNameLiveObjectsOnly)
{
    int deaths = 0;
    int64_t before = LiveObjectCount();
    auto* object = new Tracked(deaths);
    int64_t handle = object->Handle();
    EXPECT_EQ(ObjectFromHandle(handle), object);
    EXPECT_EQ(LiveObjectCount(), before + 1);
    for (int64_t other : {int64_t{0}, int64_t{1}, int64_t{-1}, handle + 1, handle - 8})
        EXPECT_EQ(ObjectFromHandle(other), nullptr) << other;
    object->Release();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(ObjectFromHandle(handle), nullptr);
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(ObjectTest, TheLastReferenceDestroysUnlessTheObjectIsPermanent)
{
    int deaths = 0;
    {
        Ref<Tracked> adopted = Ref<Tracked>::Adopt(new Tracked(deaths));
        Ref<Tracked> copy = adopted;
        EXPECT_EQ(adopted->RetainCount(), 2);
        Ref<Tracked> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(adopted->RetainCount(), 2);
        auto* plain = new Tracked(deaths);
        Ref<Tracked> other(plain);
        EXPECT_EQ(plain->RetainCount(), 2);
        plain->Release();
        // Assigning releases what was held before.
        other = adopted;
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(adopted->RetainCount(), 3);
    }
    EXPECT_EQ(deaths, 2);

    auto* permanent = new Tracked(deaths);
    permanent->MakePermanent();
    for (int i = 0; i < 3; ++i)
        permanent->Release();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(ObjectFromHandle(permanent->Handle()), permanent);
}

TEST(ObjectTest, AutoreleasedObjectsLiveUntilTheNextDrainThatFindsThemAlive)
{
    DrainAutoreleasePool();
    int deaths = 0;
    auto* twice = new Tracked(deaths);
    twice->Retain();
    Autorelease(twice);
    Autorelease(twice);
    Autorelease(nullptr);
    // One handed to the pool while the pool drains waits for the next drain.
    auto* later = new Tracked(deaths);
    Autorelease(new Tracked(deaths, later));
    // One that its owner released meanwhile is not released again.
    auto* gone = new Tracked(deaths);
    Autorelease(gone);
    gone->Release();
    EXPECT_EQ(deaths, 1);

    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(ObjectFromHandle(later->Handle()), later);
    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 4);
}

// Always made in the same place, so that each one takes the address of the one before.
class SamePlace final : public Tracked {
public:
    using Tracked::Tracked;
    static void* operator new(size_t) { return storage; }
    static void operator delete(void*) {}

private:
    alignas(std::max_align_t) static inline unsigned char storage[256];
};

TEST(ObjectTest, ADrainNeverReleasesALaterObjectAtTheAddressOfOneReleasedTooOften)
{
    static_assert(sizeof(SamePlace) <= 256);
    DrainAutoreleasePool();
    int deaths = 0;
    auto* first = new SamePlace(deaths);
    const int64_t address = first->Handle();
    Autorelease(first);
    first->Release(); // one release too many: the pool's reference is gone
    auto* second = new SamePlace(deaths);
    ASSERT_EQ(second->Handle(), address);
    DrainAutoreleasePool();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(ObjectFromHandle(address), second);
    EXPECT_EQ(second->RetainCount(), 1);
    second->Release();
}

TEST(ObjectTest, StringsAndDataAreAutoreleasedObjectsWithTheirContent)
{
    DrainAutoreleasePool();
    int64_t text = MakeString(u"caf\u00e9 \U0001F600");
    EXPECT_EQ(StringFromHandle(text), u"caf\u00e9 \U0001F600");
    auto* utf8 = dynamic_cast<StringObject*>(ObjectFromHandle(MakeString(std::string_view("caf\xc3\xa9"))));
    ASSERT_NE(utf8, nullptr);
    EXPECT_STREQ(utf8->Utf8(), "caf\xc3\xa9");
    const double pair[2] = {1.5, 2.5};
    int64_t data = MakeData(pair, sizeof pair);
    EXPECT_EQ(DataFromHandle(data)->As<Size>()->height, 2.5);
    EXPECT_FALSE(DataFromHandle(MakeData(pair, 8))->As<Size>());
    // Nothing else has a text or bytes.
    for (int64_t other : {int64_t{0}, int64_t{12345}, SharedApplicationHandle(), data})
        EXPECT_EQ(StringFromHandle(other), u"");
    EXPECT_EQ(DataFromHandle(text), nullptr);

    DrainAutoreleasePool();
    EXPECT_EQ(StringFromHandle(text), u"");
    EXPECT_EQ(DataFromHandle(data), nullptr);
}

} // namespace
} // namespace nevalon::platform
