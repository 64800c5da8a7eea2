#include "StartPlatform.h"
#include "platform/Application.h"
#include "platform/Object.h"
#include "platform/Window.h"

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

} // namespace
} // namespace nevalon::platform
