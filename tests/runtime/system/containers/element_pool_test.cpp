#include "runtime/system/containers/ElementPool.h"
#include "runtime/system/containers/List.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace nevalon::system {
namespace {

TEST(ElementPool, ListsOfTheSameSlotSizeShareOnePool)
{
    const int64_t poolsBefore = ElementPool::SharedPoolCount();
    {
        List<int64_t> images, more;
        List<double> numbers;
        List<std::array<int64_t, 9>> wide;
        EXPECT_EQ(images.Pool(), numbers.Pool());
        EXPECT_NE(images.Pool(), wide.Pool());
        EXPECT_EQ(images.Pool()->References(), 3);
        EXPECT_EQ(images.Pool()->SlotSize(), 32u);
        EXPECT_EQ(ElementPool::SharedPoolCount(), poolsBefore + 2);
        *images.InsertElement() = 1;
        *more.InsertElement() = 2;
        EXPECT_EQ(images.Pool()->BlockCount(), 1) << "both lists draw from the same block";
    }
    EXPECT_EQ(ElementPool::SharedPoolCount(), poolsBefore);
    ElementPool* threadSafe = ElementPool::AcquireSharedPool(24, ElementPool::PoolThreadSafe);
    EXPECT_NE(threadSafe, List<int64_t>().Pool());
    ElementPool::ReleaseSharedPool(threadSafe);
}

TEST(ElementPool, BlocksGrowByOneSixteenthBetween16And65536Slots)
{
    ElementPool pool(8);
    EXPECT_EQ(pool.SlotSize(), 16u);
    std::vector<void*> elements;
    int64_t total = 0;
    while (pool.SlotCount() < 1200000) {
        elements.push_back(pool.AllocateElement());
        ASSERT_NE(elements.back(), nullptr);
        if (pool.SlotCount() == total) continue;
        ASSERT_EQ(pool.SlotCount() - total, std::clamp<int64_t>(total / 16 / 16 * 16, 16, 65536)) << total;
        total = pool.SlotCount();
    }
    EXPECT_EQ(std::set<void*>(elements.begin(), elements.end()).size(), elements.size());
    for (void* element : elements)
        pool.FreeElement(element);
    EXPECT_EQ(pool.BlockCount() + pool.SlotCount(), 0);
}

TEST(ElementPool, FreedSlotsAreReusedFirstAndEmptyBlocksReleased)
{
    ElementPool pool(24);
    std::vector<void*> elements;
    for (int i = 0; i < 40; ++i)
        elements.push_back(pool.AllocateElement());
    EXPECT_EQ(pool.BlockCount(), 3);
    pool.FreeElement(elements[5]);
    EXPECT_EQ(pool.AllocateElement(), elements[5]) << "a full block with a freed slot has room again";
    for (int i = 16; i < 32; ++i)
        pool.FreeElement(elements[i]);
    EXPECT_EQ(pool.BlockCount(), 2) << "the second block is all free";
    pool.FreeElement(elements[3]);
    pool.FreeElement(elements[7]);
    EXPECT_EQ(pool.AllocateElement(), elements[7]) << "the freed chain is taken before new slots";
    EXPECT_EQ(pool.AllocateElement(), elements[3]);
    pool.FreeElement(nullptr);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 32, 33, 34, 35, 36, 37, 38, 39})
        pool.FreeElement(elements[i]);
    EXPECT_EQ(pool.BlockCount(), 0);
}

} // namespace
} // namespace nevalon::system
