#include "platform/Class.h"
#include "platform/Foundation.h"
#include "platform/Object.h"

#include <gtest/gtest.h>
#include <string>

namespace nevalon::platform {
namespace {

MessageResult Text(const char* text)
{
    return MessageResult::Of(reinterpret_cast<int64_t>(text));
}

std::string Answer(const MessageResult& result)
{
    return reinterpret_cast<const char*>(result.AsInteger());
}

// A class name not used before in this process.
std::string FreshName(const char* stem)
{
    static int count = 0;
    return stem + std::to_string(++count);
}

class ClassTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterPlatformClasses(); }
};

TEST_F(ClassTest, AClassMadeAtRunTimeIsFoundByNameOnlyOnceRegistered)
{
    std::string name = FreshName("Made_Later");
    Class* cls = AllocateClass("NSObject", name);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->Name(), name);
    EXPECT_EQ(cls->Superclass(), FindClass("NSObject"));
    EXPECT_EQ(FindClass(name), nullptr);
    // The name is taken while the class waits to be registered.
    EXPECT_EQ(AllocateClass("NSObject", name), nullptr);

    RegisterClass(cls);
    EXPECT_EQ(FindClass(name), cls);
    EXPECT_EQ(AllocateClass("NSObject", name), nullptr);
    EXPECT_EQ(DefineClass("NSObject", name), cls);

    EXPECT_EQ(AllocateClass("No_Such_Superclass", name + "_Orphan"), nullptr);
    EXPECT_EQ(AllocateClass("NSObject", ""), nullptr);
    EXPECT_EQ(FindClass(name + "_Orphan"), nullptr);
    RegisterClass(nullptr);
}

TEST_F(ClassTest, MethodsAddedAtRunTimeAnswerTheirSelectors)
{
    Class* cls = DefineClass("NSObject", "Kx_Adder");
    cls->AddMethod("add:to:", "q@:qq",
                   [](Object*, MessageArgs args) { return MessageResult::Of(args[0] + args[1]); });
    cls->AddMethod("me", "@@:", [](Object* self, MessageArgs) { return MessageResult::Of(self->Handle()); });

    MessageResult result;
    ASSERT_TRUE(SendClassMessage("Kx_Adder", "new", {}, result));
    Ref<Object> adder = Ref<Object>::Adopt(ObjectFromHandle(result.AsInteger()));
    ASSERT_TRUE(adder);
    EXPECT_EQ(adder->GetClass(), cls);

    const int64_t args[] = {40, 2};
    ASSERT_TRUE(SendMessage(adder->Handle(), "add:to:", args, result));
    EXPECT_EQ(result.AsInteger(), 42);
    ASSERT_TRUE(SendMessage(adder->Handle(), "me", {}, result));
    EXPECT_EQ(result.AsInteger(), adder->Handle());

    // Selectors are matched whole.
    EXPECT_FALSE(SendMessage(adder->Handle(), "add:", args, result));
    EXPECT_FALSE(SendMessage(adder->Handle(), "add:to", args, result));
    EXPECT_EQ(result.size, 0u);
    EXPECT_EQ(result.AsInteger(), 0);
    // Instance methods are not class methods and the other way round.
    EXPECT_FALSE(SendClassMessage("Kx_Adder", "me", {}, result));
    EXPECT_FALSE(SendMessage(adder->Handle(), "new", {}, result));
}

TEST_F(ClassTest, SelectorsAreLookedUpThroughTheSuperclasses)
{
    Class* base = DefineClass("NSObject", "Kx_Base");
    Class* middle = DefineClass("Kx_Base", "Kx_Middle");
    Class* leaf = DefineClass("Kx_Middle", "Kx_Leaf");
    base->AddMethod("who", "", [](Object*, MessageArgs) { return Text("base"); });
    base->AddMethod("inherited", "", [](Object*, MessageArgs) { return Text("from base"); });
    middle->AddMethod("who", "", [](Object*, MessageArgs) { return Text("middle"); });
    base->AddClassMethod("kind", [](Object* self, MessageArgs) {
        return Text(static_cast<Class*>(self)->Name() == "Kx_Leaf" ? "leaf class" : "other class");
    });

    Ref<Object> b = Ref<Object>::Adopt(new Instance(base));
    Ref<Object> l = Ref<Object>::Adopt(new Instance(leaf));
    MessageResult result;
    ASSERT_TRUE(SendMessage(l->Handle(), "who", {}, result));
    EXPECT_EQ(Answer(result), "middle");
    ASSERT_TRUE(SendMessage(l->Handle(), "inherited", {}, result));
    EXPECT_EQ(Answer(result), "from base");
    ASSERT_TRUE(SendMessage(b->Handle(), "who", {}, result));
    EXPECT_EQ(Answer(result), "base");
    // NSObject's own methods reach every class.
    ASSERT_TRUE(SendMessage(l->Handle(), "retain", {}, result));
    EXPECT_EQ(l->RetainCount(), 2);
    ASSERT_TRUE(SendMessage(l->Handle(), "release", {}, result));
    EXPECT_EQ(l->RetainCount(), 1);

    // Class methods too, with the class that was asked as self.
    ASSERT_TRUE(SendClassMessage("Kx_Leaf", "kind", {}, result));
    EXPECT_EQ(Answer(result), "leaf class");
    ASSERT_TRUE(SendMessage(leaf->Handle(), "kind", {}, result));
    EXPECT_EQ(Answer(result), "leaf class");
    EXPECT_NE(leaf->FindClassMethod("new"), nullptr);
    EXPECT_EQ(base->FindMethod("nothing"), nullptr);

    EXPECT_TRUE(leaf->IsKindOf(base));
    EXPECT_TRUE(leaf->IsKindOf(FindClass("NSObject")));
    EXPECT_FALSE(base->IsKindOf(leaf));
    EXPECT_FALSE(middle->IsKindOf(FindClass("NSString")));
}

TEST_F(ClassTest, MessagesToWhatIsNoLiveObjectAreRefused)
{
    MessageResult result = MessageResult::Of(int64_t{99});
    EXPECT_FALSE(SendMessage(0, "retain", {}, result));
    EXPECT_EQ(result.size, 0u);
    EXPECT_FALSE(SendMessage(4096, "retain", {}, result));

    auto* gone = new Instance(FindClass("NSObject"));
    int64_t handle = gone->Handle();
    gone->Release();
    EXPECT_FALSE(SendMessage(handle, "retain", {}, result));
    EXPECT_FALSE(SendClassMessage("No_Such_Class", "new", {}, result));
}

TEST_F(ClassTest, ResultsReadAsIntegersOnlyUpToEightBytes)
{
    EXPECT_EQ(MessageResult{}.AsInteger(), 0);
    EXPECT_EQ(MessageResult::Of(true).AsInteger(), 1);
    EXPECT_EQ(MessageResult::Of(int64_t{-5}).AsInteger(), -5);
    struct Three {
        int64_t a, b, c;
    };
    MessageResult big = MessageResult::Of(Three{1, 2, 3});
    EXPECT_EQ(big.size, 24u);
    EXPECT_EQ(big.AsInteger(), 0);
}

TEST_F(ClassTest, NamedConstantsAreLookedUp)
{
    int64_t newKey = LookupConstant("NSKeyValueChangeNewKey");
    ASSERT_NE(newKey, 0);
    EXPECT_EQ(StringFromHandle(newKey), u"new");
    EXPECT_EQ(LookupConstant("NoSuchConstant"), 0);
    DefineConstant("Kx_Answer", 42);
    EXPECT_EQ(LookupConstant("Kx_Answer"), 42);
}

} // namespace
} // namespace nevalon::platform
