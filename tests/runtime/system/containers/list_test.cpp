#include "runtime/system/containers/Array.h"
#include "runtime/system/containers/List.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace nevalon::system {
namespace {

// Counts live instances, so that tests can see every element released.
struct Tracked {
    static inline int live = 0;
    String title;
    Tracked() { ++live; }
    Tracked(const Tracked& other) : title(other.title) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};

// The cursor and the order against a vector and an index, over many random operations.
TEST(List, FollowsAModelThroughRandomOperations)
{
    std::mt19937 random(7);
    List<int64_t> list;
    std::vector<int64_t> model;
    int64_t cursor = -1;
    for (int64_t step = 0; step < 20000; ++step) {
        const int64_t count = static_cast<int64_t>(model.size());
        const int64_t choice = static_cast<int64_t>(random() % 500);
        const int64_t index = static_cast<int64_t>(random() % (count + 2)) - 1;
        int64_t* result = nullptr;
        bool pastEnd = false;
        switch (random() % 6) {
        case 0:
        case 1:
            result = list.InsertElement();
            ASSERT_EQ(*result, 0) << "elements are zero-filled";
            model.insert(model.begin() + ++cursor, *result = step);
            break;
        case 2:
            result = list.RemoveElement(choice % 2);
            if (cursor < 0) break;
            model.erase(model.begin() + cursor);
            cursor = cursor > 0 ? cursor - 1 : choice % 2 && !model.empty() ? 0 : -1;
            break;
        case 3:
            result = list.MoveNext();
            pastEnd = cursor + 1 == count;
            cursor = std::min(cursor + 1, count - 1);
            break;
        case 4:
            result = list.SelectElement(index);
            cursor = index < count ? index : -1;
            break;
        case 5:
            if (choice < 60) {
                list.RewindList();
                cursor = -1;
            } else if (choice == 60) {
                list.EmptyList();
                model.clear();
                cursor = -1;
            }
            // Moving there and back keeps the elements and the cursor.
            List<int64_t> moved(std::move(list));
            list = std::move(moved);
            result = list.Current();
            break;
        }
        ASSERT_EQ(result, pastEnd ? nullptr : list.Current()) << "step " << step;
        ASSERT_EQ(list.CountElements(), static_cast<int64_t>(model.size()));
        ASSERT_EQ(list.Current() ? *list.Current() : -1, cursor >= 0 ? model[cursor] : -1) << "step " << step;
    }
    std::vector<int64_t> walked;
    list.RewindList();
    while (int64_t* value = list.MoveNext())
        walked.push_back(*value);
    EXPECT_EQ(walked, model);
}

TEST(List, RemovingEmptyingMovingAndDestroyingReleaseEveryRecord)
{
    auto list = CreateList<Tracked>();
    for (int i = 0; i < 100; ++i)
        list->InsertElement()->title = u"a title long enough to live outside the string object";
    list->RemoveElement();
    EXPECT_EQ(Tracked::live, 99);
    List<Tracked> other;
    other.InsertElement();
    other = std::move(*list);
    EXPECT_EQ(Tracked::live, 99) << "the target's own element was released";
    other.EmptyList();
    EXPECT_EQ(Tracked::live + other.CountElements(), 0);
    list->InsertElement();
    EXPECT_EQ(CountElements(list.get()), 1);
    DestroyList(list);
    EXPECT_EQ(CountElements(list.get()), -1);
    EXPECT_EQ(Tracked::live, 0);
}

TEST(Array, CreateArrayGivesEmptyElementsAndReleasesTheOldOnes)
{
    Array<String> categories;
    String* first = CreateArray(categories, 7);
    EXPECT_EQ(first, categories.Data());
    EXPECT_EQ(categories.Count(), 7);
    EXPECT_EQ(categories.Kind(), KindString);
    EXPECT_EQ(categories[6], u"");
    EXPECT_EQ(categories.At(-1), nullptr);
    EXPECT_EQ(categories.At(7), nullptr);
    Array<Tracked> records;
    CreateArray(records, 7, KindStructure);
    CreateArray(records, 3, KindStructure);
    EXPECT_EQ(Tracked::live, 3);
    for (int64_t count : {int64_t{0}, int64_t{-1}, int64_t{1} << 50}) {
        EXPECT_EQ(CreateArray(records, count), nullptr);
        EXPECT_EQ(Tracked::live + records.Count(), 0) << count;
    }
    CreateArray(records, 2);
    DisposeArray(records);
    EXPECT_EQ(Tracked::live + records.Count(), 0);
}

} // namespace
} // namespace nevalon::system
