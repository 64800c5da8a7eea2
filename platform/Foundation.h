#pragma once

#include "platform/Class.h"
#include "platform/Object.h"

#include <cstddef>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace nevalon::platform {

// An immutable text ("NSString").
class StringObject : public Object {
public:
    explicit StringObject(std::u16string text);
    const std::u16string& Text() const { return text_; }
    // The text as UTF-8, valid while the object lives.
    const char* Utf8() const;

private:
    std::u16string text_;
    mutable std::string utf8_;
};

// A new autoreleased string object; its handle is what "$" arguments carry.
int64_t MakeString(const std::u16string& text);
int64_t MakeString(std::string_view utf8);

// The text of a string object handle; empty for 0 or anything that is not a string.
std::u16string StringFromHandle(int64_t handle);

// A dictionary keyed by text ("NSDictionary").
class DictionaryObject : public Object {
public:
    DictionaryObject();
    void Set(const std::u16string& key, Object* value);
    Object* Get(const std::u16string& key) const;

private:
    std::map<std::u16string, Ref<Object>> entries_;
};

// Bytes handed over with a message ("NSData"): a copy the receiver reads within its size.
class DataObject : public Object {
public:
    DataObject(const void* bytes, size_t size);
    size_t Size() const { return bytes_.size(); }
    // The bytes read as a T, or nothing when fewer than sizeof(T) bytes were given.
    template <typename T> std::optional<T> As() const
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (bytes_.size() < sizeof(T)) return std::nullopt;
        T value;
        std::memcpy(&value, bytes_.data(), sizeof(T));
        return value;
    }

private:
    std::vector<std::byte> bytes_;
};

// A new autoreleased data object holding a copy of the bytes; its handle is what "@" arguments carry.
int64_t MakeData(const void* bytes, size_t size);

// The data object of a handle, or null for anything that is not one.
const DataObject* DataFromHandle(int64_t handle);

// A plain instance of a class made at run time (or of any class without state of its own).
class Instance : public Object {
public:
    using Object::Object;
};

// Registers the platform's classes, their selectors and constants. Idempotent.
void RegisterPlatformClasses();

// The shared application object ("NSApplication sharedApplication").
int64_t SharedApplicationHandle();

// Sends every observer of the shared application's "effectiveAppearance" its change.
void NotifyAppearanceObservers();

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace nevalon::platform
