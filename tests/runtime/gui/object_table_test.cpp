#include "runtime/gui/ObjectTable.h"

#include <gtest/gtest.h>
#include <vector>

namespace nevalon::gui {
namespace {

struct Thing {
    int64_t handle = 0; // live while non-zero
    int64_t payload = 0;
    bool IsLive() const { return handle != 0; }
};

// A table whose free routine logs the number and gives it back, as a kind's own free routine does.
class ObjectTableTest : public ::testing::Test {
protected:
    std::vector<int64_t> freed;
    ObjectTable<Thing> table{8, [this](int64_t n) {
                                 freed.push_back(n);
                                 table.Release(n);
                             }};

    Thing* Make(int64_t number, int64_t payload = 1)
    {
        Thing* thing = table.Create(number);
        if (thing) {
            thing->handle = 1;
            thing->payload = payload;
        }
        return thing;
    }
};

TEST_F(ObjectTableTest, FixedNumbersGrowTheTableByTheGrowthStep)
{
    EXPECT_EQ(table.Capacity(), 8);
    ASSERT_NE(Make(7), nullptr);
    EXPECT_EQ(table.Capacity(), 8);
    ASSERT_NE(Make(8), nullptr);
    EXPECT_EQ(table.Capacity(), 16);
    ASSERT_NE(Make(40), nullptr);
    EXPECT_EQ(table.Capacity(), 48);
    // New slots are empty, and the records made before the growth are still found.
    for (int64_t n = 9; n < 40; ++n)
        EXPECT_FALSE(table.Exists(n)) << n;
    EXPECT_TRUE(table.Exists(7));
    EXPECT_TRUE(table.Exists(8));
    EXPECT_EQ(table.NumberOf(table.Find(40)), 40);
}

TEST_F(ObjectTableTest, ReusingALiveNumberFreesTheOldObjectFirstAndKeepsTheSlot)
{
    Thing* first = Make(3, 11);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(freed.empty());

    Thing* second = table.Create(3);
    EXPECT_EQ(freed, std::vector<int64_t>{3});
    // The slot keeps its record memory, handed back zeroed.
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->payload, 0);
    EXPECT_FALSE(table.Exists(3));

    // A slot that held an object that is gone is reused without calling the free routine.
    table.Release(3);
    freed.clear();
    EXPECT_EQ(Make(3), first);
    EXPECT_TRUE(freed.empty());
}

TEST_F(ObjectTableTest, ReleasingAFixedNumberZeroesItsRecord)
{
    Thing* thing = Make(2, 5);
    table.Release(2);
    EXPECT_FALSE(table.Exists(2));
    EXPECT_EQ(table.Find(2), nullptr);
    EXPECT_EQ(thing->payload, 0);
}

TEST_F(ObjectTableTest, MinusOneFreesEveryLiveObjectFixedFirstThenDynamic)
{
    Make(5);
    Thing* a = Make(-1);
    Make(1);
    Thing* b = Make(-1);
    Make(9);
    table.Create(4); // allocated but never made live
    int64_t ha = table.NumberOf(a), hb = table.NumberOf(b);

    table.Free(-1);
    EXPECT_EQ(freed, (std::vector<int64_t>{1, 5, 9, ha, hb}));
    EXPECT_TRUE(table.LiveNumbers().empty());
    EXPECT_FALSE(table.Exists(ha));
}

TEST_F(ObjectTableTest, NumbersThatNameNothingDoNothing)
{
    Make(1);
    Thing* dynamic = Make(-1);
    int64_t handle = table.NumberOf(dynamic);

    for (int64_t n : {int64_t{0}, int64_t{2}, int64_t{7}, int64_t{8}, int64_t{1000}, int64_t{-2},
                      int64_t{-65535}, handle + 8, handle - 1}) {
        EXPECT_EQ(table.Find(n), nullptr) << n;
        EXPECT_FALSE(table.Exists(n)) << n;
        table.Free(n);
        table.Release(n);
    }
    EXPECT_TRUE(freed.empty());
    EXPECT_TRUE(table.Exists(1));
    EXPECT_TRUE(table.Exists(handle));
    // -1 never names an object of its own.
    EXPECT_EQ(table.Find(-1), nullptr);
    // Other negative numbers create nothing.
    EXPECT_EQ(table.Create(-2), nullptr);
}

TEST_F(ObjectTableTest, DynamicNumbersAreHandlesValidatedAgainstTheTable)
{
    Thing* a = Make(-1, 1);
    Thing* b = Make(-1, 2);
    ASSERT_NE(a, b);
    int64_t ha = table.NumberOf(a), hb = table.NumberOf(b);
    EXPECT_EQ(ha, static_cast<int64_t>(reinterpret_cast<uintptr_t>(a)));
    EXPECT_NE(ha, hb);
    EXPECT_TRUE(table.IsDynamic(ha));
    EXPECT_FALSE(table.IsDynamic(0));
    EXPECT_EQ(table.Find(hb)->payload, 2);

    table.Free(ha);
    EXPECT_EQ(freed, std::vector<int64_t>{ha});
    EXPECT_FALSE(table.Exists(ha));
    EXPECT_FALSE(table.IsDynamic(ha));
    EXPECT_TRUE(table.Exists(hb));

    // A dynamic record that is not (or no longer) live is not found either.
    b->handle = 0;
    EXPECT_FALSE(table.Exists(hb));
    EXPECT_EQ(table.LiveNumbers(), std::vector<int64_t>{});
}

TEST_F(ObjectTableTest, LiveNumbersListFixedSlotsInOrderThenDynamicInCreationOrder)
{
    Thing* d1 = Make(-1);
    Make(6);
    Thing* d2 = Make(-1);
    Make(0);
    Make(12);
    EXPECT_EQ(table.LiveNumbers(), (std::vector<int64_t>{0, 6, 12, table.NumberOf(d1), table.NumberOf(d2)}));
}

TEST_F(ObjectTableTest, AFixedNumberTooLargeForMemoryIsRefused)
{
    Make(1);
    // As large as the handle of a dynamic object: a slot array that long cannot exist.
    EXPECT_EQ(table.Create(int64_t{1} << 45), nullptr);
    EXPECT_EQ(table.Create(INT64_MAX), nullptr);
    EXPECT_EQ(table.Create(INT64_MAX - 7), nullptr);
    EXPECT_EQ(table.Capacity(), 8);
    EXPECT_TRUE(table.Exists(1));
    EXPECT_NE(Make(9), nullptr);
}

} // namespace
} // namespace nevalon::gui
