#include "runtime/system/containers/ElementPool.h"
#include "runtime/system/containers/List.h"

#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

namespace nevalon::system {
namespace {

struct Wide {
    int64_t words[9];
};

TEST(ElementPool, ListsOfTheSameSlotSizeShareOnePool)
{
    int64_t poolsBefore = ElementPool::SharedPoolCount();
    {
        List<int64_t> images;
        List<int64_t> more;
        List<double> numbers;
        List<Wide> wide;
        ASSERT_NE(images.Pool(), nullptr);
        EXPECT_EQ(images.Pool(), more.Pool());
        EXPECT_EQ(images.Pool(), numbers.Pool());
        EXPECT_NE(images.Pool(), wide.Pool());
        EXPECT_EQ(images.Pool()->References(), 3);
        EXPECT_EQ(images.Pool()->SlotSize(), 32u);
        EXPECT_EQ(ElementPool::SharedPoolCount(), poolsBefore + 2);

        *images.InsertElement() = 1;
        *more.InsertElement() = 2;
        EXPECT_EQ(images.Pool()->BlockCount(), 1) << "both lists draw from the same block";
        images.EmptyList();
        EXPECT_EQ(*more.SelectElement(0), 2);
    }
    EXPECT_EQ(ElementPool::SharedPoolCount(), poolsBefore);

    ElementPool* threadSafe = ElementPool::AcquireSharedPool(24, ElementPool::PoolThreadSafe);
    List<int64_t> plain;
    EXPECT_NE(threadSafe, plain.Pool());
    ElementPool::ReleaseSharedPool(threadSafe);
}

TEST(ElementPool, BlocksGrowByOneSixteenthBetween16And65536Slots)
{
    ElementPool pool(8);
    EXPECT_EQ(pool.SlotSize(), 16u);
    std::vector<void*> elements;
    std::vector<int64_t> blockSizes;
    while (pool.SlotCount() < 1200000) {
        int64_t slots = pool.SlotCount();
        elements.push_back(pool.AllocateElement());
        ASSERT_NE(elements.back(), nullptr);
        if (pool.SlotCount() != slots) blockSizes.push_back(pool.SlotCount() - slots);
    }
    int64_t total = 0;
    for (int64_t size : blockSizes) {
        int64_t expected = std::min<int64_t>(std::max<int64_t>(total / 16 / 16 * 16, 16), 65536);
        ASSERT_EQ(size, expected) << "after " << total << " slots";
        total += size;
    }
    EXPECT_EQ(blockSizes.back(), 65536);
    EXPECT_EQ(std::set<void*>(elements.begin(), elements.end()).size(), elements.size());
    for (void* element : elements)
        pool.FreeElement(element);
    EXPECT_EQ(pool.BlockCount(), 0);
    EXPECT_EQ(pool.SlotCount(), 0);
}

TEST(ElementPool, FreedSlotsAreReusedAndEmptyBlocksReleased)
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
    EXPECT_EQ(pool.SlotCount(), 32);

    pool.FreeElement(elements[3]);
    pool.FreeElement(elements[7]);
    void* first = pool.AllocateElement();
    void* second = pool.AllocateElement();
    EXPECT_TRUE((first == elements[7] && second == elements[3]))
        << "the freed chain is taken before new slots";

    pool.FreeElement(nullptr);
    for (void* element : {first, second})
        pool.FreeElement(element);
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15})
        pool.FreeElement(elements[i]);
    for (int i = 32; i < 40; ++i)
        pool.FreeElement(elements[i]);
    EXPECT_EQ(pool.BlockCount(), 0);
}

TEST(ElementPool, ThreadSafePoolServesTwoThreads)
{
    ElementPool pool(16, ElementPool::PoolThreadSafe);
    auto churn = [&pool] {
        std::vector<void*> held;
        for (int round = 0; round < 200; ++round) {
            for (int i = 0; i < 100; ++i) {
                held.push_back(pool.AllocateElement());
                *static_cast<int64_t*>(held.back()) = i;
            }
            for (void* element : held)
                pool.FreeElement(element);
            held.clear();
        }
    };
    std::thread other(churn);
    churn();
    other.join();
    EXPECT_EQ(pool.BlockCount(), 0);
}

} // namespace
} // namespace nevalon::system
