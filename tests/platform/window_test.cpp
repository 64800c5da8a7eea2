#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Object.h"
#include "platform/Window.h"
#include "platform/testing/TestSeams.h"

#include <gtest/gtest.h>

namespace nevalon::platform {
namespace {

TEST(PlatformWindowTest, AChildKeepsItsParentObjectAfterTheParentCloses)
{
    ASSERT_TRUE(testing::StartPlatform());
    Window* parent = CreatePlatformWindow({}, {200, 100});
    Window* child = CreatePlatformWindow({}, {100, 50});
    ASSERT_TRUE(parent && child);
    child->SetParent(parent);
    int64_t parentHandle = parent->Handle();
    parent->Close();
    DrainAutoreleasePool();
    // The closed parent is still an object the child may ask about.
    ASSERT_EQ(child->Parent(), parent);
    EXPECT_EQ(ObjectFromHandle(parentHandle), parent);
    EXPECT_TRUE(child->Parent()->IsClosed());
    child->SetParent(nullptr);
    EXPECT_EQ(ObjectFromHandle(parentHandle), nullptr);
    child->Close();
    DrainAutoreleasePool();
}

// A picture with more pixels than points is scaled for the screen where its button is drawn; the scaled
// copy goes with the button, never into a cache that outlives it.
TEST(PlatformWindowTest, TheScaledPicturesOfButtonsGoWithTheirButtons)
{
    ASSERT_TRUE(testing::StartPlatform());
    Window* window = CreatePlatformWindow({}, {300, 300});
    ASSERT_TRUE(window);
    window->OrderFront(false);
    const std::string drawn = ::testing::TempDir() + "button-pictures.png";
    const auto round = [&] {
        auto picture = Ref<Image>::Adopt(new Image(512, 512, {256, 256}));
        picture->Pixels().assign(picture->Pixels().size(), 0xFF0000FFu);
        auto button = Ref<Button>::Adopt(CreateButton());
        button->SetImage(picture.get());
        button->SetFrame({10, 10, 270, 270});
        button->AddTo(*window);
        EXPECT_TRUE(SaveWindowPictureForTests(*window, drawn));
        button = {};
        DrainAutoreleasePool();
        FreeDeferredObjects();
    };
    round();
    const ResourceCountsForTests first = CountResourcesForTests();
    constexpr int kRounds = 20;
    for (int i = 0; i < kRounds; ++i)
        round();
    const ResourceCountsForTests last = CountResourcesForTests();
    EXPECT_EQ(last.widgets, first.widgets);
    // Each scaled copy takes 256 KB.
    EXPECT_LT(last.heapBytes - first.heapBytes, kRounds * 256 * 1024 / 4);
    window->Close();
    DrainAutoreleasePool();
}

} // namespace
} // namespace nevalon::platform
