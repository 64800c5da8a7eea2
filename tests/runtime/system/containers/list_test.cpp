#include "runtime/system/containers/List.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace nevalon::system {
namespace {

// Counts live instances, so that tests can see every element released.
struct Tracked {
    static inline int live = 0;
    String title;
    int64_t id = 0;
    Tracked() { ++live; }
    Tracked(const Tracked& other) : title(other.title), id(other.id) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};

std::vector<int64_t> Walk(List<int64_t>& list)
{
    std::vector<int64_t> values;
    list.RewindList();
    while (int64_t* value = list.MoveNext())
        values.push_back(*value);
    return values;
}

List<int64_t> ListOf(std::initializer_list<int64_t> values)
{
    List<int64_t> list;
    for (int64_t value : values)
        *list.InsertElement() = value;
    return list;
}

TEST(List, InsertElementLinksAfterCurrentOrAtHead)
{
    List<int64_t> list;
    EXPECT_EQ(list.Current(), nullptr);
    for (int64_t value : {1, 2, 3, 4}) {
        int64_t* data = list.InsertElement();
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(*data, 0);
        *data = value;
        EXPECT_EQ(list.Current(), data);
    }
    EXPECT_EQ(list.CountElements(), 4);
    EXPECT_EQ(Walk(list), (std::vector<int64_t>{1, 2, 3, 4}));

    list.RewindList();
    *list.InsertElement() = 0;
    list.SelectElement(2);
    *list.InsertElement() = 9;
    EXPECT_EQ(*list.Current(), 9);
    EXPECT_EQ(Walk(list), (std::vector<int64_t>{0, 1, 2, 9, 3, 4}));
    EXPECT_EQ(list.CountElements(), 6);
}

TEST(List, RemoveElementMovesCursorBack)
{
    List<int64_t> list = ListOf({1, 2, 3, 4});
    EXPECT_EQ(*list.RemoveElement(), 3) << "the last inserted is current, so 4 goes and 3 is current";
    EXPECT_EQ(list.MoveNext(), nullptr);
    EXPECT_EQ(*list.Current(), 3) << "the predecessor of the removed last element is the new last";

    list.SelectElement(1);
    EXPECT_EQ(*list.RemoveElement(), 1);
    EXPECT_EQ(*list.MoveNext(), 3);

    list.SelectElement(0);
    EXPECT_EQ(list.RemoveElement(), nullptr);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(*list.MoveNext(), 3) << "with no current element the walk restarts at the new first";

    List<int64_t> flagged = ListOf({1, 2, 3});
    flagged.SelectElement(0);
    EXPECT_EQ(*flagged.RemoveElement(1), 2);
    EXPECT_EQ(*flagged.SelectElement(1), 3);

    List<int64_t> single = ListOf({7});
    EXPECT_EQ(single.RemoveElement(1), nullptr);
    EXPECT_EQ(single.CountElements(), 0);
    EXPECT_EQ(single.RemoveElement(), nullptr);
    EXPECT_EQ(single.MoveNext(), nullptr);
    *single.InsertElement() = 8;
    EXPECT_EQ(Walk(single), (std::vector<int64_t>{8}));
}

TEST(List, RemovingWhileWalkingVisitsEveryElementOnce)
{
    for (int64_t flags : {0, 1}) {
        List<int64_t> list = ListOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        std::vector<int64_t> seen;
        list.RewindList();
        while (int64_t* value = list.MoveNext()) {
            seen.push_back(*value);
            if (*value % 3 == 0) list.RemoveElement(flags);
        }
        if (flags == 0) {
            EXPECT_EQ(seen, (std::vector<int64_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        }
        EXPECT_EQ(Walk(list), (std::vector<int64_t>{1, 2, 4, 5, 7, 8}));
        EXPECT_EQ(list.CountElements(), 6);
    }
}

TEST(List, CursorFollowsAModelThroughRandomOperations)
{
    std::mt19937 random(7);
    List<int64_t> list;
    std::vector<int64_t> model;
    int64_t cursor = -1;
    int64_t next = 0;
    for (int step = 0; step < 20000; ++step) {
        int64_t count = static_cast<int64_t>(model.size());
        switch (random() % 6) {
        case 0:
        case 1:
            model.insert(model.begin() + ++cursor, next);
            *list.InsertElement() = next++;
            break;
        case 2: {
            int64_t flags = random() % 2;
            list.RemoveElement(flags);
            if (cursor < 0) break;
            model.erase(model.begin() + cursor);
            if (cursor > 0)
                --cursor;
            else if (flags == 0 || model.empty())
                cursor = -1;
            break;
        }
        case 3:
            list.MoveNext();
            if (cursor + 1 < count) ++cursor;
            break;
        case 4:
            if (random() % 8 == 0) {
                list.RewindList();
                cursor = -1;
            }
            break;
        case 5: {
            int64_t index = static_cast<int64_t>(random() % (count + 2)) - 1;
            list.SelectElement(index);
            cursor = index < count ? index : -1;
            break;
        }
        }
        ASSERT_EQ(list.CountElements(), static_cast<int64_t>(model.size()));
        ASSERT_EQ(list.Current() != nullptr, cursor >= 0) << "step " << step;
        if (cursor >= 0) {
            ASSERT_EQ(*list.Current(), model[cursor]) << "step " << step;
        }
    }
}

TEST(List, EmptyAndDestroyReleaseEveryRecord)
{
    {
        List<Tracked> list;
        for (int i = 0; i < 100; ++i)
            list.InsertElement()->title = u"a title long enough to live outside the string object";
        EXPECT_EQ(Tracked::live, 100);
        list.RemoveElement();
        EXPECT_EQ(Tracked::live, 99);
        list.EmptyList();
        EXPECT_EQ(Tracked::live, 0);
        EXPECT_EQ(list.CountElements(), 0);
        EXPECT_EQ(list.Current(), nullptr);
        EXPECT_EQ(list.InsertElement()->title, u"");
    }
    EXPECT_EQ(Tracked::live, 0);

    auto list = CreateList<Tracked>();
    list->InsertElement();
    EXPECT_EQ(CountElements(list.get()), 1);
    DestroyList(list);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(CountElements(list.get()), -1);
    EXPECT_EQ(Tracked::live, 0);
}

TEST(List, MovingTakesTheElementsAndCursor)
{
    List<int64_t> source = ListOf({1, 2, 3});
    source.SelectElement(1);
    List<int64_t> moved(std::move(source));
    EXPECT_EQ(source.CountElements(), 0);
    EXPECT_EQ(*moved.Current(), 2);
    List<int64_t> target = ListOf({9});
    target = std::move(moved);
    EXPECT_EQ(Walk(target), (std::vector<int64_t>{1, 2, 3}));
    EXPECT_EQ(moved.CountElements(), 0);
    *source.InsertElement() = 5;
    EXPECT_EQ(Walk(source), (std::vector<int64_t>{5}));
}

} // namespace
} // namespace nevalon::system
