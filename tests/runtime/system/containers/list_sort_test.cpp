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
    int64_t date = 0;
    int64_t category = 0;
    int64_t id = 0;
};

struct Note {
    std::optional<String> text;
    int64_t id = 0;
};

template <typename T> std::vector<int64_t> Ids(List<T>& list)
{
    std::vector<int64_t> ids;
    list.RewindList();
    while (T* record = list.MoveNext())
        ids.push_back(record->id);
    return ids;
}

std::vector<int64_t> Values(List<int64_t>& list)
{
    std::vector<int64_t> values;
    list.RewindList();
    while (int64_t* value = list.MoveNext())
        values.push_back(*value);
    return values;
}

void Add(List<Event>& list, const String& title, int64_t category = 0)
{
    Event* event = list.InsertElement();
    event->title = title;
    event->category = category;
    event->id = list.CountElements();
}

TEST(SortListByField, TitlesSortStablyByCodeUnit)
{
    List<Event> events(KindStructure);
    for (const char16_t* title : {u"beta", u"Beta", u"alpha", u"beta", u"", u"Alpha", u"\u00e9t\u00e9"})
        Add(events, title);

    SortListByField(events, 0, &Event::title, KindString);
    EXPECT_EQ(Ids(events), (std::vector<int64_t>{5, 6, 2, 3, 1, 4, 7}))
        << "upper case before lower case, equal titles in their previous order, the empty title first";

    SortListByField(events, SortDescending, &Event::title);
    EXPECT_EQ(Ids(events), (std::vector<int64_t>{7, 1, 4, 3, 2, 6, 5}));

    SortListByField(events, SortNoCase, &Event::title);
    EXPECT_EQ(Ids(events), (std::vector<int64_t>{5, 3, 6, 1, 4, 2, 7}))
        << "alpha and Alpha tie and keep their order";
}

TEST(SortListByField, KeepsTheCurrentElementAndNeverMovesRecords)
{
    List<Event> events;
    std::vector<Event*> addresses;
    for (const char16_t* title : {u"g", u"f", u"e", u"d", u"c", u"b", u"a"}) {
        Add(events, title);
        addresses.push_back(events.Current());
    }
    Event* current = events.SelectElement(1);
    SortListByField(events, 0, &Event::title);
    EXPECT_EQ(events.Current(), current);
    EXPECT_EQ(events.MoveNext()->title, u"g") << "the walk continues from the same element";
    for (int64_t index = 0; index < 7; ++index)
        EXPECT_EQ(events.SelectElement(index), addresses[static_cast<size_t>(6 - index)]) << index;
}

TEST(SortListByField, SortsOnlyTheGivenRange)
{
    List<int64_t> list;
    for (int64_t value : {9, 8, 7, 6, 5, 4, 3})
        *list.InsertElement() = value;

    SortListByField(list, 0, std::identity(), -1, 2, 5);
    EXPECT_EQ(Values(list), (std::vector<int64_t>{9, 8, 4, 5, 6, 7, 3}));
    SortListByField(list, 0, std::identity(), -1, 0, 1);
    EXPECT_EQ(Values(list), (std::vector<int64_t>{8, 9, 4, 5, 6, 7, 3}));
    SortListByField(list, 0, std::identity(), -1, 5, 6);
    EXPECT_EQ(Values(list), (std::vector<int64_t>{8, 9, 4, 5, 6, 3, 7}));
    list.SelectElement(1);
    SortListByField(list, 0, std::identity(), -1, 3, 5);
    EXPECT_EQ(*list.Current(), 3) << "the range's last element was selected and stays current";

    for (auto [first, last] : {std::pair{0, 7}, std::pair{-1, 3}, std::pair{4, 2}, std::pair{2, -1}})
        SortListByField(list, SortDescending, std::identity(), -1, first, last);
    EXPECT_EQ(Values(list), (std::vector<int64_t>{8, 9, 4, 3, 5, 6, 7})) << "ranges that do not exist";

    List<int64_t> empty;
    SortListByField(empty, 0);
    EXPECT_EQ(empty.CountElements(), 0);
    List<int64_t> one;
    *one.InsertElement() = 1;
    SortListByField(one, SortDescending);
    EXPECT_EQ(*one.Current(), 1);
}

TEST(SortListByField, NullStringKeysOrderFirst)
{
    List<Note> notes;
    for (std::optional<String> text : {std::optional<String>(u"b"), std::optional<String>(),
                                       std::optional<String>(u""), std::optional<String>()}) {
        Note* note = notes.InsertElement();
        note->text = text;
        note->id = notes.CountElements();
    }
    SortListByField(notes, 0, &Note::text);
    EXPECT_EQ(Ids(notes), (std::vector<int64_t>{2, 4, 3, 1}));
    SortListByField(notes, SortDescending, &Note::text);
    EXPECT_EQ(Ids(notes), (std::vector<int64_t>{1, 3, 2, 4}));
}

TEST(SortListByField, NumberKindsCompareAsTheirType)
{
    List<int64_t> images;
    for (int64_t value : {3, -2, 255, 0x100, 1})
        *images.InsertElement() = value;
    SortListByField(images, 0);
    EXPECT_EQ(Values(images), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}));
    SortListByField(images, SortDescending, std::identity(), KindInteger);
    EXPECT_EQ(Values(images), (std::vector<int64_t>{0x100, 255, 3, 1, -2}));
    SortListByField(images, 0, std::identity(), KindInt8);
    EXPECT_EQ(Values(images), (std::vector<int64_t>{-2, 255, 0x100, 1, 3})) << "low bytes, signed";
    SortListByField(images, 0, std::identity(), KindAscii);
    EXPECT_EQ(Values(images), (std::vector<int64_t>{0x100, 1, 3, -2, 255})) << "low bytes, unsigned, stable";
    SortListByField(images, 0, std::identity(), KindFloat64);
    EXPECT_EQ(Values(images), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}));

    for (int32_t kind : std::vector<int32_t>{KindStructure, KindString, 99})
        SortListByField(images, SortDescending, std::identity(), kind);
    EXPECT_EQ(Values(images), (std::vector<int64_t>{-2, 1, 3, 255, 0x100}))
        << "kinds that do not fit the key";

    List<Event> events;
    for (int64_t category : {6, 0, 3, 0})
        Add(events, u"x", category);
    SortListByField(events, 0, &Event::category);
    EXPECT_EQ(Ids(events), (std::vector<int64_t>{2, 4, 3, 1}));
    SortListByField(events, 0, &Event::title, KindInteger);
    EXPECT_EQ(Ids(events), (std::vector<int64_t>{2, 4, 3, 1}));
}

// Against std::stable_sort on random records with many equal keys, whole lists and ranges.
TEST(SortListByField, MatchesStdStableSort)
{
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        int64_t count = 1 + static_cast<int64_t>(random() % 300);
        List<Event> events;
        std::vector<Event> model;
        for (int64_t i = 0; i < count; ++i) {
            String title(1 + random() % 2, u'a');
            title[0] = static_cast<char16_t>(u'A' + random() % 4 + (random() % 2) * 32);
            Add(events, title, static_cast<int64_t>(random() % 7));
            model.push_back(*events.Current());
        }
        int64_t first = static_cast<int64_t>(random() % static_cast<unsigned>(count));
        int64_t last = first + static_cast<int64_t>(random() % static_cast<unsigned>(count - first));
        if (round % 2) first = last = -1;
        int32_t options =
            static_cast<int32_t>(round % 4 < 2 ? 0 : SortDescending) | (round % 3 ? 0 : SortNoCase);

        SortListByField(events, options, &Event::title, KindString, first, last);
        auto from = model.begin() + (first < 0 ? 0 : first);
        auto to = first < 0 ? model.end() : model.begin() + last + 1;
        std::stable_sort(from, to, [options](const Event& a, const Event& b) {
            int64_t order = options & SortNoCase ? CompareStringsNoCase(a.title, b.title)
                                                 : CompareStrings(a.title, b.title);
            return options & SortDescending ? order > 0 : order < 0;
        });
        std::vector<int64_t> expected;
        for (const Event& event : model)
            expected.push_back(event.id);
        ASSERT_EQ(Ids(events), expected) << "round " << round;
        EXPECT_EQ(events.SelectElement(count - 1)->id, expected.back());
        EXPECT_EQ(events.MoveNext(), nullptr) << "the last link was restored";
    }
}

} // namespace
} // namespace nevalon::system
