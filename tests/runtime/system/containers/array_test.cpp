#include "runtime/system/containers/Array.h"

#include <gtest/gtest.h>

namespace nevalon::system {
namespace {

struct Counted {
    static inline int live = 0;
    String name;
    Counted() { ++live; }
    ~Counted() { --live; }
};

TEST(Array, CreateArrayGivesEmptyElementsAndReleasesTheOldOnes)
{
    Array<String> categories;
    String* first = CreateArray(categories, 7);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, categories.Data());
    EXPECT_EQ(categories.Count(), 7);
    EXPECT_EQ(categories.Kind(), KindString);
    for (int64_t i = 0; i < 7; ++i)
        EXPECT_EQ(categories[i], u"");
    categories[6] = u"Vacation";
    EXPECT_EQ(*categories.At(6), u"Vacation");
    EXPECT_EQ(categories.At(7), nullptr);
    EXPECT_EQ(categories.At(-1), nullptr);

    Array<Counted> records;
    CreateArray(records, 7, KindStructure);
    EXPECT_EQ(Counted::live, 7);
    CreateArray(records, 3, KindStructure);
    EXPECT_EQ(Counted::live, 3);
    EXPECT_EQ(records.Kind(), KindStructure);

    for (int64_t count : {int64_t{0}, int64_t{-1}, int64_t{1} << 50}) {
        EXPECT_EQ(CreateArray(records, count), nullptr);
        EXPECT_EQ(Counted::live, 0);
        EXPECT_EQ(records.Data(), nullptr);
        EXPECT_EQ(records.Count(), 0);
    }

    CreateArray(records, 2);
    DisposeArray(records);
    EXPECT_EQ(Counted::live, 0);
    EXPECT_EQ(records.Count(), 0);
    DisposeArray(records);
}

} // namespace
} // namespace nevalon::system
