#include "runtime/system/containers/ListSort.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <vector>

namespace nevalon::system {
namespace {

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
        // The current element stays the same; a range is found by selecting its ends, leaving the last
        // current.
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
    List<int64_t> images;
    for (int64_t value : {3, -2, 255, 0x100, 1})
        *images.InsertElement() = value;
    auto sorted = [&images](int32_t kind, int32_t options) {
        SortListByField(images, options, std::identity(), kind);
        return Walk(images, std::identity());
    };
    EXPECT_EQ(sorted(-1, 0), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}));
    EXPECT_EQ(sorted(KindInteger, SortDescending), (std::vector<int64_t>{0x100, 255, 3, 1, -2}));
    EXPECT_EQ(sorted(KindInt8, 0), (std::vector<int64_t>{-2, 255, 0x100, 1, 3})) << "low bytes, signed";
    EXPECT_EQ(sorted(KindAscii, 0), (std::vector<int64_t>{0x100, 1, 3, -2, 255})) << "low bytes, unsigned";
    EXPECT_EQ(sorted(KindFloat64, 0), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}));
    EXPECT_EQ(sorted(KindString, SortDescending), sorted(KindStructure, SortDescending))
        << "kinds that do not fit";
    EXPECT_EQ(sorted(KindString, SortDescending), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}));
    for (auto [first, last] : {std::pair{0, 5}, std::pair{-1, 2}, std::pair{2, 1}, std::pair{1, -1}})
        SortListByField(images, SortDescending, std::identity(), -1, first, last);
    EXPECT_EQ(Walk(images, std::identity()), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}))
        << "missing ranges";
    List<int64_t> empty, one;
    SortListByField(empty, 0);
    *one.InsertElement() = 1;
    SortListByField(one, SortDescending);
    EXPECT_EQ(Walk(empty, std::identity()).size() + Walk(one, std::identity()).size(), 1u);

    List<Event> events;
    for (int64_t category : {6, 0, 3, 0})
        *events.InsertElement() = {u"x", category, events.CountElements()};
    SortListByField(events, 0, &Event::category);
    EXPECT_EQ(Walk(events, &Event::id), (std::vector<int64_t>{1, 3, 2, 0}));
    SortListByField(events, SortDescending, &Event::title, KindInteger);
    EXPECT_EQ(Walk(events, &Event::id), (std::vector<int64_t>{1, 3, 2, 0})) << "a kind that does not fit";

    struct Note {
        std::optional<String> text;
        int64_t id = 0;
    };
    List<Note> notes;
    for (const auto& text : {std::optional<String>(u"b"), std::optional<String>(), std::optional<String>(u""),
                             std::optional<String>()})
        *notes.InsertElement() = {text, notes.CountElements()};
    SortListByField(notes, 0, &Note::text);
    EXPECT_EQ(Walk(notes, &Note::id), (std::vector<int64_t>{1, 3, 2, 0}));
    SortListByField(notes, SortDescending, &Note::text);
    EXPECT_EQ(Walk(notes, &Note::id), (std::vector<int64_t>{0, 2, 1, 3}));
}

} // namespace
} // namespace nevalon::system
