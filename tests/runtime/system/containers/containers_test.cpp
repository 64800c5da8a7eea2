#include "runtime/system/containers/Array.h"
#include "runtime/system/containers/ElementPool.h"
#include "runtime/system/containers/List.h"
#include "runtime/system/containers/ListSort.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <set>
#include <utility>
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

struct Event {
    String title;
    int64_t category = 0;
    int64_t id = 0;
};

template <typename T, typename Field> std::vector<int64_t> Walk(List<T>& list, Field field)
{
    std::vector<int64_t> values;
    list.RewindList();
    while (T* element = list.MoveNext())
        values.push_back(std::invoke(field, *element));
    return values;
}

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
        // Reading through the const range sees the model's order and leaves the cursor where it was.
        if (step % 499 == 0) {
            ASSERT_EQ(std::vector<int64_t>(std::as_const(list).begin(), list.end()), model);
        }
        ASSERT_EQ(result, pastEnd ? nullptr : list.Current()) << "step " << step;
        ASSERT_EQ(list.CountElements(), static_cast<int64_t>(model.size()));
        ASSERT_EQ(list.Current() ? *list.Current() : -1, cursor >= 0 ? model[cursor] : -1) << "step " << step;
    }
    EXPECT_EQ(Walk(list, std::identity()), model);
}

TEST(List, ConstRangeOfAnEmptyOrRewoundListLeavesNoCurrentElement)
{
    List<int64_t> list;
    EXPECT_EQ(list.begin(), list.end());
    for (int64_t value : {1, 2, 3})
        *list.InsertElement() = value;
    list.RewindList();
    int64_t sum = 0;
    for (const int64_t& value : list)
        sum += value;
    EXPECT_EQ(sum, 6);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(*list.MoveNext(), 1) << "a rewound list still starts at its head";
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

// Against std::stable_sort on random titles with many ties (empty ones included), whole lists and ranges.
TEST(SortListByField, MatchesStdStableSortAndOnlyRelinks)
{
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        const int64_t count = 1 + static_cast<int64_t>(random() % 300);
        List<Event> events(KindStructure);
        std::vector<Event*> addresses;
        std::vector<int64_t> expected;
        for (int64_t i = 0; i < count; ++i) {
            const char16_t letter = static_cast<char16_t>(u'A' + random() % 4 + (random() % 2) * 32);
            *addresses.emplace_back(events.InsertElement()) = {String(random() % 3, letter), 0, i};
            expected.push_back(i);
        }
        int64_t first = static_cast<int64_t>(random() % static_cast<uint64_t>(count));
        int64_t last = first + static_cast<int64_t>(random() % static_cast<uint64_t>(count - first));
        if (round % 2) first = last = -1;
        const int32_t options = (round % 4 < 2 ? 0 : SortDescending) | (round % 3 ? 0 : SortNoCase);
        SortListByField(events, options, &Event::title, -1, first, last);
        // The current element stays; a range is found by selecting its ends, leaving the last current.
        EXPECT_EQ(events.Current(), addresses[first < 0 ? count - 1 : last]);
        std::stable_sort(expected.begin() + std::max<int64_t>(first, 0),
                         first < 0 ? expected.end() : expected.begin() + last + 1, [&](int64_t a, int64_t b) {
                             const String& x = addresses[a]->title;
                             const String& y = addresses[b]->title;
                             const int64_t order =
                                 options & SortNoCase ? CompareStringsNoCase(x, y) : CompareStrings(x, y);
                             return options & SortDescending ? order > 0 : order < 0;
                         });
        ASSERT_EQ(Walk(events, &Event::id), expected) << "round " << round;
        for (int64_t index = 0; index < count; ++index)
            ASSERT_EQ(events.SelectElement(index), addresses[expected[index]]) << "records are never moved";
    }
}

TEST(SortListByField, KeysCompareAsTheirKindNullStringsFirstAndMissingRangesStay)
{
    using Values = std::vector<int64_t>;
    List<int64_t> images;
    for (int64_t value : {3, -2, 255, 0x100, 1})
        *images.InsertElement() = value;
    auto sorted = [&images](int32_t kind, int32_t options) {
        SortListByField(images, options, std::identity(), kind);
        return Walk(images, std::identity());
    };
    EXPECT_EQ(sorted(-1, 0), (Values{-2, 1, 3, 255, 0x100}));
    EXPECT_EQ(sorted(KindInteger, SortDescending), (Values{0x100, 255, 3, 1, -2}));
    EXPECT_EQ(sorted(KindInt8, 0), (Values{-2, 255, 0x100, 1, 3})) << "low bytes, signed";
    EXPECT_EQ(sorted(KindAscii, 0), (Values{0x100, 1, 3, -2, 255})) << "low bytes, unsigned";
    EXPECT_EQ(sorted(KindFloat64, 0), (Values{-2, 1, 3, 255, 0x100}));
    EXPECT_EQ(sorted(KindStructure, SortDescending), (Values{-2, 1, 3, 255, 0x100}))
        << "kinds that do not fit";
    EXPECT_EQ(sorted(KindString, SortDescending), (Values{-2, 1, 3, 255, 0x100}));
    for (auto [first, last] : {std::pair{0, 5}, std::pair{-1, 2}, std::pair{2, 1}, std::pair{1, -1}})
        SortListByField(images, SortDescending, std::identity(), -1, first, last);
    EXPECT_EQ(Walk(images, std::identity()), (Values{-2, 1, 3, 255, 0x100})) << "missing ranges";
    List<int64_t> empty;
    SortListByField(empty, 0);
    List<Event> events;
    for (int64_t category : {6, 0, 3, 0})
        *events.InsertElement() = {u"x", category, events.CountElements()};
    SortListByField(events, 0, &Event::category);
    SortListByField(events, SortDescending, &Event::title, KindInteger);
    EXPECT_EQ(Walk(events, &Event::id), (Values{1, 3, 2, 0}))
        << "by category, then not by a title as a number";
    using Note = std::pair<std::optional<String>, int64_t>;
    List<Note> notes;
    for (const auto& text : {std::optional<String>(u"b"), std::optional<String>(), std::optional<String>(u""),
                             std::optional<String>()})
        *notes.InsertElement() = {text, notes.CountElements()};
    SortListByField(notes, 0, &Note::first);
    EXPECT_EQ(Walk(notes, &Note::second), (Values{1, 3, 2, 0}));
    SortListByField(notes, SortDescending, &Note::first);
    EXPECT_EQ(Walk(notes, &Note::second), (Values{0, 2, 1, 3}));
}

TEST(ElementPool, ListsOfTheSameSlotSizeShareOnePoolWhileTheyLive)
{
    const int64_t poolsBefore = ElementPool::SharedPoolCount();
    {
        List<int64_t> images;
        List<double> numbers;
        List<std::array<int64_t, 9>> wide;
        EXPECT_EQ(images.Pool(), numbers.Pool());
        EXPECT_NE(images.Pool(), wide.Pool());
        EXPECT_EQ(images.Pool()->References(), 2);
        EXPECT_EQ(images.Pool()->SlotSize(), 32u);
        EXPECT_EQ(ElementPool::SharedPoolCount(), poolsBefore + 2);
    }
    EXPECT_EQ(ElementPool::SharedPoolCount(), poolsBefore);
}

TEST(ElementPool, BlocksGrowByOneSixteenthReuseFreedSlotsFirstAndGoWhenEmpty)
{
    ElementPool pool(8);
    EXPECT_EQ(pool.SlotSize(), 16u);
    std::vector<void*> elements;
    for (int64_t total = 0; pool.SlotCount() < 1200000; total = pool.SlotCount()) {
        elements.push_back(pool.AllocateElement());
        const int64_t added = pool.SlotCount() - total;
        ASSERT_TRUE(added == 0 || added == std::clamp<int64_t>(total / 16 / 16 * 16, 16, 65536)) << total;
    }
    EXPECT_EQ(std::set<void*>(elements.begin(), elements.end()).size(), elements.size());
    const int64_t blocks = pool.BlockCount();
    pool.FreeElement(elements[5]);
    EXPECT_EQ(pool.AllocateElement(), elements[5]) << "a full block with a freed slot has room again";
    for (int i = 16; i < 32; ++i)
        pool.FreeElement(elements[i]);
    EXPECT_EQ(pool.BlockCount(), blocks - 1) << "the second block is all free";
    pool.FreeElement(elements[3]);
    pool.FreeElement(elements[7]);
    EXPECT_EQ(pool.AllocateElement(), elements[7]) << "the freed chain is taken before new slots";
    EXPECT_EQ(pool.AllocateElement(), elements[3]);
    pool.FreeElement(nullptr);
    for (size_t i = 0; i < elements.size(); ++i)
        if (i < 16 || i >= 32) pool.FreeElement(elements[i]);
    EXPECT_EQ(pool.BlockCount() + pool.SlotCount(), 0);
}

} // namespace
} // namespace nevalon::system
