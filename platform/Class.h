#pragma once

#include "platform/Object.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nevalon::platform {

// What a message answers: up to 32 bytes (an integer, a handle, a double or a small structure).
struct MessageResult {
    std::array<std::byte, 32> bytes{};
    size_t size = 0;

    template <typename T> static MessageResult Of(const T& value)
    {
        static_assert(sizeof(T) <= sizeof(bytes) && std::is_trivially_copyable_v<T>);
        MessageResult result;
        std::memcpy(result.bytes.data(), &value, sizeof(T));
        result.size = sizeof(T);
        return result;
    }
    // The result read as a 64-bit integer (0 when it is larger than 8 bytes or empty).
    int64_t AsInteger() const;
};

// Every argument travels as a 64-bit value: an integer or an object handle. Bytes travel as a data
// object ("NSData"), never as a bare pointer, so that no handler reads memory it was not given.
using MessageArgs = std::span<const int64_t>;
using Method = std::function<MessageResult(Object* self, MessageArgs args)>;

// The i-th argument, or 0 when the sender passed fewer: a message may come with any arguments.
inline int64_t Argument(MessageArgs args, size_t i)
{
    return i < args.size() ? args[i] : 0;
}

// A class of platform objects: a name, a superclass and selector tables for its instances and
// for the class itself. A class is an object too, so class methods get the class as `self`.
class Class : public Object {
public:
    Class(std::string name, const Class* superclass);

    const std::string& Name() const { return name_; }
    const Class* Superclass() const { return superclass_; }
    bool IsKindOf(const Class* other) const;

    void AddMethod(std::string selector, const std::string& typeEncoding, Method method);
    void AddClassMethod(std::string selector, Method method);

    // Adds a method that only receivers of type T answer. Any other instance of the class (a bare
    // object made by the generic "new", say) gets nothing, as if the method were missing.
    template <typename T, typename Body>
    void AddMethodOf(const std::string& selector, const std::string& typeEncoding, Body body)
    {
        AddMethod(selector, typeEncoding, [body](Object* self, MessageArgs args) {
            auto* receiver = dynamic_cast<T*>(self);
            return receiver ? body(*receiver, args) : MessageResult{};
        });
    }

    // Looks the selector up here, then in the superclasses; null when nobody answers it.
    const Method* FindMethod(std::string_view selector) const;
    const Method* FindClassMethod(std::string_view selector) const;

    // The selectors this class itself defines (not its superclasses'), sorted.
    std::vector<std::string> Selectors() const;
    std::vector<std::string> ClassSelectors() const;

private:
    std::string name_;
    const Class* superclass_;
    std::unordered_map<std::string, Method> methods_;
    std::unordered_map<std::string, Method> classMethods_;
};

// The registered class with this name, or null.
Class* FindClass(std::string_view name);

// Every registered class, by name.
std::vector<Class*> AllClasses();

// Creates a class that is not yet visible by name; null when the name is taken or the superclass unknown.
Class* AllocateClass(std::string_view superclassName, std::string_view name);

// Makes an allocated class findable by name.
void RegisterClass(Class* cls);

// Allocates and registers in one step (for the built-in classes).
Class* DefineClass(std::string_view superclassName, std::string_view name);

// Sends a message to a live object (or a class). Returns false, leaving `result` empty, when the
// receiver is not a live object or does not answer the selector.
bool SendMessage(int64_t receiver, std::string_view selector, MessageArgs args, MessageResult& result);

// Sends a class message by class name ("NSUserDefaults" + "standardUserDefaults").
bool SendClassMessage(std::string_view className, std::string_view selector, MessageArgs args,
                      MessageResult& result);

// A named platform constant (the dynamic symbol lookup of the platform), or 0.
int64_t LookupConstant(std::string_view name);
void DefineConstant(std::string name, int64_t value);

} // namespace nevalon::platform
