#include "ToolkitFixture.h"

#include <string>
#include <tuple>

namespace nevalon::gui {
namespace {

using testing::kApplicationEvent;

using EventBindingsTest = testing::ToolkitTest;

std::string ran;
template <char C> void Tag()
{
    ran += C;
}
// Posts so that the callbacks run at once, and drops the queued copy.
std::string Post(int32_t code, int64_t window, int64_t object, int64_t type = 0)
{
    ran.clear();
    PostEvent(code, object, window, type);
    while (DequeueEvent() != 0) {
    }
    return ran;
}

TEST_F(EventBindingsTest, EachCallbackRunsOnceWhenItsKeyAndTypeFilterMatch)
{
    // Lower case: any type; upper case: only type 5; x: only type 6. At each key the typed binding
    // is the newer one and runs first.
    for (auto [callback, window, object, type] :
         {std::tuple{&Tag<'a'>, 2, 7, -1}, std::tuple{&Tag<'A'>, 2, 7, 5}, std::tuple{&Tag<'x'>, 2, 7, 6},
          std::tuple{&Tag<'b'>, 2, -1, -1}, std::tuple{&Tag<'B'>, 2, -1, 5},
          std::tuple{&Tag<'c'>, -1, -1, -1}, std::tuple{&Tag<'C'>, -1, -1, 5},
          std::tuple{&Tag<'d'>, -1, 7, -1}, std::tuple{&Tag<'D'>, -1, 7, 5}})
        AddTypedEventCallback(EventGadget, callback, window, object, type);
    AddEventCallback(EventMenu, Tag<'m'>, 2, 7);
    for (auto [window, object, type, expected] :
         {std::tuple{2, 7, 5, "AabcDd"}, std::tuple{2, 7, 0, "abcd"}, std::tuple{-1, 7, 5, "Ddc"},
          std::tuple{2, -1, 5, "BbcC"}, std::tuple{-1, -1, 5, "Cc"}, std::tuple{3, 8, 5, "c"}})
        EXPECT_EQ(Post(EventGadget, window, object, type), expected)
            << window << ":" << object << " type " << type;
}

TEST_F(EventBindingsTest, RemovingTakesOneBindingMadeWithTheSameArguments)
{
    for (EventCallback callback : {Tag<'a'>, Tag<'b'>, Tag<'a'>})
        AddEventCallback(EventTimer, callback, 0, 1);
    AddTypedEventCallback(EventTimer, Tag<'t'>, 0, 1, 0);
    // Another event, window, object or type filter names another binding.
    RemoveEventCallback(EventGadget, Tag<'a'>, 0, 1);
    RemoveEventCallback(EventTimer, Tag<'a'>, 1, 1);
    RemoveEventCallback(EventTimer, Tag<'a'>, 0, 2);
    RemoveEventCallback(EventTimer, Tag<'t'>, 0, 1);
    RemoveEventCallback(EventTimer, Tag<'a'>, 0, 1);
    EXPECT_EQ(Post(EventTimer, 0, 1), "tba");
    // A key emptied and bound again works like new.
    for (EventCallback callback : {Tag<'a'>, Tag<'b'>})
        RemoveEventCallback(EventTimer, callback, 0, 1);
    RemoveTypedEventCallback(EventTimer, Tag<'t'>, 0, 1, 0);
    AddEventCallback(EventTimer, Tag<'n'>, 0, 1);
    EXPECT_EQ(Post(EventTimer, 0, 1), "n");
}

TEST_F(EventBindingsTest, KeysAreHashedOverUtf16UnitsAndKeysOfOneBucketStayApart)
{
    EXPECT_EQ(BindingKey(EventFirstCustom + 500, -1, 1099511627776), u"66036:-1:1099511627776");
    EXPECT_EQ(BindingHash(u"3:1:-1\u00e9"), 1371458837u); // wrapped in 32 bits; one unit for the accent
    std::vector<int64_t> byBucket(1024, -1);
    int64_t first = -1, second = -1;
    for (int64_t object = 0; second < 0; ++object) {
        int64_t& seen = byBucket[BindingHash(BindingKey(EventGadget, 1, object)) % 1024];
        if (seen >= 0) first = seen, second = object;
        seen = object;
    }
    AddEventCallback(EventGadget, Tag<'f'>, 1, first);
    AddEventCallback(EventGadget, Tag<'s'>, 1, second);
    RemoveEventCallback(EventGadget, Tag<'f'>, 1, first);
    EXPECT_EQ(Post(EventGadget, 1, second) + Post(EventGadget, 1, first), "s");
}

void RemovesItselfAndAddsAnother()
{
    ran += 'r';
    RemoveEventCallback(EventTimer, RemovesItselfAndAddsAnother, 0, 1);
    AddEventCallback(EventTimer, Tag<'+'>, 0, 1);
}

TEST_F(EventBindingsTest, ACallbackMayChangeBindingsWhileRunningAndClosingAWindowDropsItsOwn)
{
    AddEventCallback(EventTimer, Tag<'o'>, 0, 1);
    AddEventCallback(EventTimer, RemovesItselfAndAddsAnother, 0, 1);
    EXPECT_EQ(Post(EventTimer, 0, 1), "ro");
    EXPECT_EQ(Post(EventTimer, 0, 1), "+o");
    CreateWindow(1, 0, 0, 100, 100, u"bound", WindowInvisible);
    AddEventCallback(kApplicationEvent, Tag<'1'>, 1, 5);
    AddEventCallback(kApplicationEvent, Tag<'*'>, -1, 5);
    DestroyWindow(1);
    CreateWindow(1, 0, 0, 100, 100, u"again", WindowInvisible);
    EXPECT_EQ(Post(kApplicationEvent, 1, 5), "*");
}

} // namespace
} // namespace nevalon::gui
