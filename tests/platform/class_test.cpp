#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace nevalon::platform {
namespace {

MessageResult Text(const char* text)
{
    return MessageResult::Of(reinterpret_cast<int64_t>(text));
}

// The text a message answered, or "" when it answered nothing.
std::string Send(int64_t receiver, const char* selector, std::vector<int64_t> args = {})
{
    MessageResult result;
    if (!SendMessage(receiver, selector, args, result) || result.AsInteger() == 0) return "";
    return reinterpret_cast<const char*>(result.AsInteger());
}

class ClassTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterPlatformClasses(); }
};

TEST_F(ClassTest, AClassMadeAtRunTimeIsFoundByNameOnlyOnceRegistered)
{
    Class* cls = AllocateClass("NSObject", "Made_Later");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->Superclass(), FindClass("NSObject"));
    EXPECT_EQ(FindClass("Made_Later"), nullptr);
    // The name is taken while the class waits to be registered.
    EXPECT_EQ(AllocateClass("NSObject", "Made_Later"), nullptr);
    RegisterClass(cls);
    EXPECT_EQ(FindClass("Made_Later"), cls);
    EXPECT_EQ(DefineClass("NSObject", "Made_Later"), cls);
    EXPECT_NE(std::find(AllClasses().begin(), AllClasses().end(), cls), AllClasses().end());

    EXPECT_EQ(AllocateClass("No_Such_Superclass", "Orphan"), nullptr);
    EXPECT_EQ(AllocateClass("NSObject", ""), nullptr);
    RegisterClass(nullptr);
}

TEST_F(ClassTest, SelectorsAreMatchedWholeAndLookedUpThroughTheSuperclasses)
{
    Class* base = DefineClass("NSObject", "Kx_Base");
    Class* middle = DefineClass("Kx_Base", "Kx_Middle");
    Class* leaf = DefineClass("Kx_Middle", "Kx_Leaf");
    base->AddMethod("who", "", [](Object*, MessageArgs) { return Text("base"); });
    base->AddMethod("add:to:", "", [](Object*, MessageArgs args) {
        return MessageResult::Of(Argument(args, 0) + Argument(args, 1));
    });
    middle->AddMethod("who", "", [](Object*, MessageArgs) { return Text("middle"); });
    base->AddClassMethod("kind", [](Object* self, MessageArgs) {
        return Text(static_cast<Class*>(self) == FindClass("Kx_Leaf") ? "leaf class" : "other class");
    });
    EXPECT_EQ(middle->Selectors(), std::vector<std::string>{"who"});
    EXPECT_EQ(base->ClassSelectors(), std::vector<std::string>{"kind"});

    Ref<Object> b = Ref<Object>::Adopt(new Instance(base));
    Ref<Object> l = Ref<Object>::Adopt(new Instance(leaf));
    EXPECT_EQ(Send(l->Handle(), "who"), "middle");
    EXPECT_EQ(Send(b->Handle(), "who"), "base");
    MessageResult sum;
    ASSERT_TRUE(SendMessage(l->Handle(), "add:to:", std::vector<int64_t>{40, 2}, sum));
    EXPECT_EQ(sum.AsInteger(), 42);
    // A missing argument reads as 0; a partial selector is another selector.
    ASSERT_TRUE(SendMessage(l->Handle(), "add:to:", std::vector<int64_t>{40}, sum));
    EXPECT_EQ(sum.AsInteger(), 40);
    EXPECT_FALSE(SendMessage(l->Handle(), "add:", {}, sum));
    EXPECT_EQ(sum.size, 0u);
    // NSObject's own methods reach every class.
    Send(l->Handle(), "retain");
    EXPECT_EQ(l->RetainCount(), 2);
    Send(l->Handle(), "release");

    // Class methods are found through the superclasses, with the class asked as self, and are no
    // instance methods (nor the other way round).
    MessageResult kind;
    ASSERT_TRUE(SendClassMessage("Kx_Leaf", "kind", {}, kind));
    EXPECT_STREQ(reinterpret_cast<const char*>(kind.AsInteger()), "leaf class");
    EXPECT_EQ(Send(leaf->Handle(), "kind"), "leaf class");
    EXPECT_FALSE(SendMessage(l->Handle(), "kind", {}, kind));
    EXPECT_FALSE(SendClassMessage("Kx_Leaf", "who", {}, kind));
    EXPECT_TRUE(leaf->IsKindOf(base));
    EXPECT_FALSE(base->IsKindOf(leaf));
}

TEST_F(ClassTest, AMethodOfATypeAnswersOnlyReceiversOfThatType)
{
    Class* cls = DefineClass("NSObject", "Kx_Texts");
    cls->AddMethodOf<StringObject>("first", "", [](StringObject& self, MessageArgs) {
        return MessageResult::Of(static_cast<int64_t>(self.Text().at(0)));
    });
    StringObject text(u"A");
    Ref<Object> bare = Ref<Object>::Adopt(new Instance(cls));
    MessageResult result;
    // The string's own class does not have the method; a bare instance of the class gets nothing.
    EXPECT_FALSE(SendMessage(text.Handle(), "first", {}, result));
    EXPECT_TRUE(SendMessage(bare->Handle(), "first", {}, result));
    EXPECT_EQ(result.size, 0u);
    ASSERT_NE(cls->FindMethod("first"), nullptr);
    EXPECT_EQ((*cls->FindMethod("first"))(&text, {}).AsInteger(), u'A');
}

TEST_F(ClassTest, MessagesToWhatIsNoLiveObjectAreRefused)
{
    MessageResult result = MessageResult::Of(int64_t{99});
    EXPECT_FALSE(SendMessage(0, "retain", {}, result));
    EXPECT_EQ(result.size, 0u);
    auto* gone = new Instance(FindClass("NSObject"));
    int64_t handle = gone->Handle();
    gone->Release();
    for (int64_t notAnObject : {int64_t{4096}, handle})
        EXPECT_FALSE(SendMessage(notAnObject, "retain", {}, result));
    EXPECT_FALSE(SendClassMessage("No_Such_Class", "new", {}, result));
}

TEST_F(ClassTest, ResultsReadAsIntegersOnlyUpToEightBytesAndConstantsByName)
{
    EXPECT_EQ(MessageResult{}.AsInteger(), 0);
    EXPECT_EQ(MessageResult::Of(true).AsInteger(), 1);
    EXPECT_EQ(MessageResult::Of(int64_t{-5}).AsInteger(), -5);
    EXPECT_EQ(MessageResult::Of(Rect{1, 2, 3, 4}).AsInteger(), 0);

    EXPECT_EQ(StringFromHandle(LookupConstant("NSKeyValueChangeNewKey")), u"new");
    EXPECT_EQ(LookupConstant("NoSuchConstant"), 0);
    DefineConstant("Kx_Answer", 42);
    EXPECT_EQ(LookupConstant("Kx_Answer"), 42);
}

} // namespace
} // namespace nevalon::platform
