#include "runtime/gui/ObjectTable.h"

#include <gtest/gtest.h>
#include <vector>

namespace nevalon::gui {
namespace {

struct Thing {
    int64_t handle = 0, payload = 0;
    bool IsLive() const { return handle != 0; }
};

TEST(ObjectTableTest, NumbersAreFixedSlotsOrCheckedHandlesAndMinusOneFreesAllFixedFirst)
{
    // The free routine notes the number and gives it back, as a kind's own free routine does.
    std::vector<int64_t> freed;
    ObjectTable<Thing> table{8, [&](int64_t n) {
                                 freed.push_back(n);
                                 table.Release(n);
                             }};
    auto make = [&](int64_t number) { return &(*table.Create(number) = Thing{1, 5}); };
    Thing* eight = make(8);
    EXPECT_EQ(table.Capacity(), 16);
    make(40);
    EXPECT_EQ(table.Capacity(), 48);
    // Creating a live number frees its object first and hands the slot's record back zeroed.
    EXPECT_EQ(table.Create(8), eight);
    EXPECT_EQ(eight->payload, 0);
    EXPECT_EQ(make(8), eight);
    EXPECT_EQ(freed, std::vector<int64_t>{8});

    int64_t a = table.NumberOf(make(-1)), b = table.NumberOf(make(-1));
    EXPECT_EQ(a, static_cast<int64_t>(reinterpret_cast<uintptr_t>(table.Find(a))));
    table.Free(a);
    // A stale handle, or any other number that names nothing, finds and frees nothing.
    for (int64_t n : {a, b + 8, int64_t{2}, int64_t{1000}, int64_t{-2}}) {
        EXPECT_EQ(table.Find(n), nullptr) << n;
        table.Free(n);
    }
    for (int64_t n : {int64_t{-2}, int64_t{1} << 45, INT64_MAX})
        EXPECT_EQ(table.Create(n), nullptr) << n;
    make(5);
    EXPECT_NE(table.Create(4), nullptr); // never made live
    table.Free(-1);
    EXPECT_EQ(freed, (std::vector<int64_t>{8, a, 5, 8, 40, b}));
}

} // namespace
} // namespace nevalon::gui
