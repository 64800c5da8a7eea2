#include "ToolkitFixture.h"
#include "runtime/gui/EventBindings.h"
#include "runtime/gui/EventQueue.h"

#include <string>
#include <vector>

namespace nevalon::gui {
namespace {

std::vector<std::string> log;

template <char C> void Note()
{
    log.push_back(std::string(1, C) + ":" + std::to_string(EventWindow()) + ":" +
                  std::to_string(EventGadgetNumber()) + ":" + std::to_string(EventSubtype()));
}

template <char C> void Tag()
{
    log.push_back(std::string(1, C));
}

class EventBindingsTest : public testing::ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        log.clear();
    }
    // Posts with flags 0 (callbacks run at once) and throws the queued copy away.
    static void Post(int32_t code, int64_t window, int64_t object, int64_t type = 0)
    {
        PostEvent(code, object, window, type);
        TakeQueued();
    }
};

TEST_F(EventBindingsTest, KeysRunFromMostToLeastSpecific)
{
    AddEventCallback(EventGadget, Note<'d'>, -1, 7);
    AddEventCallback(EventGadget, Note<'c'>, -1, -1);
    AddEventCallback(EventGadget, Note<'b'>, 2, -1);
    AddEventCallback(EventGadget, Note<'a'>, 2, 7);
    // Bindings for other events, windows or objects stay silent.
    AddEventCallback(EventMenu, Tag<'x'>, 2, 7);
    AddEventCallback(EventGadget, Tag<'y'>, 3, -1);
    AddEventCallback(EventGadget, Tag<'z'>, 2, 8);

    Post(EventGadget, 2, 7, 768);
    EXPECT_EQ(log, (std::vector<std::string>{"a:2:7:768", "b:2:7:768", "c:2:7:768", "d:2:7:768"}));

    log.clear();
    Post(EventGadget, 5, 7, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"c:5:7:0", "d:5:7:0"}));
}

TEST_F(EventBindingsTest, AnEventForAnyWindowRunsEachKeyOnce)
{
    AddEventCallback(EventMenu, Tag<'q'>);
    AddEventCallback(EventMenu, Tag<'i'>, -1, -4);
    // The application's Quit request has no window.
    Post(EventMenu, -1, -4);
    EXPECT_EQ(log, (std::vector<std::string>{"i", "q"}));
}

TEST_F(EventBindingsTest, TypeFiltersApplyToTheKeysThatNameTheObject)
{
    AddTypedEventCallback(EventGadget, Tag<'f'>, 1, 4, 256);
    AddTypedEventCallback(EventGadget, Tag<'g'>, -1, 4, 512);
    AddTypedEventCallback(EventGadget, Tag<'a'>, 1, 4, -1);
    // Keys without an object run with type -1: only unfiltered callbacks answer there.
    AddTypedEventCallback(EventGadget, Tag<'w'>, 1, -1, 256);
    AddTypedEventCallback(EventGadget, Tag<'v'>, 1, -1, -1);

    Post(EventGadget, 1, 4, 256);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "f", "v"}));
    log.clear();
    Post(EventGadget, 1, 4, 512);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "v", "g"}));
    log.clear();
    Post(EventGadget, 1, 4, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "v"}));
}

TEST_F(EventBindingsTest, EachCallbackRunsOnceWhenItsKeyAndTypeFilterMatch)
{
    // Lower case: any type; upper case: only type 5; x: only type 6. At each key the typed binding
    // is the newer one and runs first.
    AddEventCallback(EventGadget, Tag<'a'>, 2, 7);
    AddTypedEventCallback(EventGadget, Tag<'A'>, 2, 7, 5);
    AddTypedEventCallback(EventGadget, Tag<'x'>, 2, 7, 6);
    AddEventCallback(EventGadget, Tag<'b'>, 2, -1);
    AddTypedEventCallback(EventGadget, Tag<'B'>, 2, -1, 5);
    AddEventCallback(EventGadget, Tag<'c'>, -1, -1);
    AddTypedEventCallback(EventGadget, Tag<'C'>, -1, -1, 5);
    AddEventCallback(EventGadget, Tag<'d'>, -1, 7);
    AddTypedEventCallback(EventGadget, Tag<'D'>, -1, 7, 5);
    struct Case {
        int64_t window, object, type;
        std::string expected;
    };
    for (const Case& c : {Case{2, 7, 5, "AabcDd"}, Case{2, 7, 0, "abcd"}, Case{-1, 7, 5, "Ddc"},
                          Case{2, -1, 5, "BbcC"}, Case{-1, -1, 5, "Cc"}, Case{3, 8, 5, "c"}}) {
        log.clear();
        Post(EventGadget, c.window, c.object, c.type);
        std::string ran;
        for (const std::string& tag : log)
            ran += tag;
        EXPECT_EQ(ran, c.expected) << c.window << ":" << c.object << " type " << c.type;
    }
}

TEST_F(EventBindingsTest, NewerBindingsOfAKeyRunFirst)
{
    AddEventCallback(EventTimer, Tag<'1'>, 0, 1);
    AddEventCallback(EventTimer, Tag<'2'>, 0, 1);
    AddEventCallback(EventTimer, Tag<'3'>, 0, 1);
    // The same callback twice runs twice.
    AddEventCallback(EventTimer, Tag<'1'>, 0, 1);
    Post(EventTimer, 0, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"1", "3", "2", "1"}));
}

TEST_F(EventBindingsTest, RemovingTakesOneBindingMadeWithTheSameArguments)
{
    AddEventCallback(EventTimer, Tag<'a'>, 0, 1);
    AddEventCallback(EventTimer, Tag<'b'>, 0, 1);
    AddEventCallback(EventTimer, Tag<'a'>, 0, 1);
    AddTypedEventCallback(EventTimer, Tag<'t'>, 0, 1, 0);

    // Arguments that differ in event, window, object, callback or type remove nothing.
    RemoveEventCallback(EventGadget, Tag<'a'>, 0, 1);
    RemoveEventCallback(EventTimer, Tag<'a'>, 1, 1);
    RemoveEventCallback(EventTimer, Tag<'a'>, 0, 2);
    RemoveEventCallback(EventTimer, Tag<'c'>, 0, 1);
    RemoveEventCallback(EventTimer, Tag<'t'>, 0, 1);
    RemoveTypedEventCallback(EventTimer, Tag<'a'>, 0, 1, 0);
    Post(EventTimer, 0, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"t", "a", "b", "a"}));

    log.clear();
    RemoveEventCallback(EventTimer, Tag<'a'>, 0, 1);
    RemoveTypedEventCallback(EventTimer, Tag<'t'>, 0, 1, 0);
    Post(EventTimer, 0, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));

    log.clear();
    RemoveEventCallback(EventTimer, Tag<'a'>, 0, 1);
    RemoveEventCallback(EventTimer, Tag<'b'>, 0, 1);
    RemoveEventCallback(EventTimer, Tag<'b'>, 0, 1);
    Post(EventTimer, 0, 1);
    EXPECT_TRUE(log.empty());

    // A key emptied and bound again works like new.
    AddEventCallback(EventTimer, Tag<'n'>, 0, 1);
    Post(EventTimer, 0, 1);
    EXPECT_EQ(log, std::vector<std::string>{"n"});
}

TEST_F(EventBindingsTest, KeysSharingABucketStayApart)
{
    // Finds two keys of one event that land in the same of the 1024 buckets.
    std::vector<int64_t> byBucket(1024, -1);
    int64_t first = -1, second = -1;
    for (int64_t object = 0; object < 100000 && second < 0; ++object) {
        uint32_t bucket = BindingHash(BindingKey(EventGadget, 1, object)) % 1024;
        if (byBucket[bucket] >= 0) {
            first = byBucket[bucket];
            second = object;
        }
        byBucket[bucket] = object;
    }
    ASSERT_GE(second, 0);

    AddEventCallback(EventGadget, Tag<'f'>, 1, first);
    AddEventCallback(EventGadget, Tag<'s'>, 1, second);
    Post(EventGadget, 1, second);
    Post(EventGadget, 1, first);
    EXPECT_EQ(log, (std::vector<std::string>{"s", "f"}));

    log.clear();
    RemoveEventCallback(EventGadget, Tag<'f'>, 1, first);
    Post(EventGadget, 1, second);
    Post(EventGadget, 1, first);
    EXPECT_EQ(log, std::vector<std::string>{"s"});
}

TEST_F(EventBindingsTest, KeysAreFormattedAndHashedOverUtf16Units)
{
    EXPECT_EQ(BindingKey(66036, -1, 1099511627776), u"66036:-1:1099511627776");
    EXPECT_EQ(BindingHash(u""), 0u);
    EXPECT_EQ(BindingHash(u"ab"), 97u * 65599u + 98u);
    // 32-bit arithmetic wraps.
    uint64_t h = 0;
    for (char16_t unit : std::u16string(u"3:-1:-1\u00e9"))
        h = (h * 65599 + unit) & 0xFFFFFFFFu;
    EXPECT_EQ(BindingHash(u"3:-1:-1\u00e9"), h);
}

TEST_F(EventBindingsTest, ClosingAWindowDropsItsBindings)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"one", WindowInvisible), 0);
    ASSERT_NE(CreateWindow(2, 0, 0, 100, 100, u"two", WindowInvisible), 0);
    AddEventCallback(66036, Tag<'1'>, 1, -1);
    AddEventCallback(66036, Tag<'o'>, 1, 5);
    AddEventCallback(66036, Tag<'2'>, 2, -1);
    AddEventCallback(66036, Tag<'*'>, -1, 5);
    DestroyWindow(1);
    ASSERT_NE(CreateWindow(1, 0, 0, 100, 100, u"one again", WindowInvisible), 0);

    Post(66036, 1, 5);
    Post(66036, 2, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"*", "2", "*"}));
}

void SelfRemoving()
{
    log.push_back("r");
    RemoveEventCallback(EventTimer, SelfRemoving, 0, 1);
    AddEventCallback(EventTimer, Tag<'+'>, 0, 1);
}

TEST_F(EventBindingsTest, ACallbackMayChangeBindingsWhileRunning)
{
    AddEventCallback(EventTimer, Tag<'o'>, 0, 1);
    AddEventCallback(EventTimer, SelfRemoving, 0, 1);
    // The callbacks of a key are collected before the first one runs.
    Post(EventTimer, 0, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"r", "o"}));
    log.clear();
    Post(EventTimer, 0, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"+", "o"}));
}

void PostsFromInside()
{
    log.push_back("outer");
    PostEvent(EventMoveWindow, 3, 3, 0);
    log.push_back("back:" + std::to_string(EventCode()));
}

TEST_F(EventBindingsTest, ACallbackMayPostEvents)
{
    AddEventCallback(EventTimer, PostsFromInside, 0, 1);
    AddEventCallback(EventMoveWindow, Note<'m'>, 3, -1);
    PostEvent(EventTimer, 1, 0, 0);
    // The inner event ran its own callbacks with itself current; the outer one is current again after.
    EXPECT_EQ(log, (std::vector<std::string>{"outer", "m:3:3:0", "back:15"}));
    EXPECT_EQ(TakeQueued(), (std::vector<testing::SeenEvent>{{15, 0, 1, 0}, {5, 3, 3, 0}}));
}

} // namespace
} // namespace nevalon::gui
