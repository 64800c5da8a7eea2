#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace nevalon::gui {

// The bytes of an argument, for a piece marked with "@": the receiver gets a copy of exactly these.
struct BridgeBytes {
    const void* bytes;
    size_t size;

    template <typename T> static BridgeBytes Of(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        return {&value, sizeof value};
    }
};

// Where a result goes: the caller's memory and its size, which is never written past. A typed pointer
// gives its type's size (an array's address gives the whole array); null asks for the result itself.
struct BridgeResult {
    void* bytes = nullptr;
    size_t size = 0;

    BridgeResult(std::nullptr_t) {}
    template <typename T>
    requires(std::is_trivially_copyable_v<T> && !std::is_const_v<T>) BridgeResult(T* result)
        : bytes(result), size(result ? sizeof(T) : 0)
    {
    }
    BridgeResult(void* bytes, size_t size) : bytes(bytes), size(bytes ? size : 0) {}
};

// One piece or argument of a platform message: an integer, a text (8-bit or UTF-16), bytes, or nil.
struct BridgeValue {
    enum class Kind { Integer, Text8, Text16, Bytes, Nil } kind;
    int64_t integer = 0;
    std::string text8;
    std::u16string text16;
    const void* bytes = nullptr;
    size_t size = 0;

    template <typename T, typename = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
    BridgeValue(T value) : kind(Kind::Integer), integer(static_cast<int64_t>(value))
    {
    }
    BridgeValue(const char* text) : kind(Kind::Text8), text8(text) {}
    BridgeValue(std::string text) : kind(Kind::Text8), text8(std::move(text)) {}
    BridgeValue(const char16_t* text) : kind(Kind::Text16), text16(text) {}
    BridgeValue(std::u16string text) : kind(Kind::Text16), text16(std::move(text)) {}
    BridgeValue(BridgeBytes b) : kind(Kind::Bytes), bytes(b.bytes), size(b.size) {}
    BridgeValue(std::nullptr_t) : kind(Kind::Nil) {}
};

// A message taken apart: the class it names (object 0 only), the selector, and every argument the
// selector takes with the marker of its piece (a missing argument is null and passes 0).
struct BridgeCall {
    std::u16string className;
    std::u16string selector;
    std::vector<std::pair<const BridgeValue*, char16_t>> arguments;
};

// Takes `message` and `rest` apart as PlatformMessage reads them; false when they name no receiver.
// The call points into `rest`, so it lives no longer than the values.
bool ParsePlatformMessage(int64_t object, const BridgeValue& message, std::span<const BridgeValue> rest,
                          BridgeCall& call);

// Sends `message` to a platform object (object 0: the message starts with a class name and a
// space). `rest` alternates argument, piece, argument, ...; the selector is the message and every
// piece joined. A trailing "$" on a piece passes the next argument as a platform string, "@" its
// bytes (BridgeBytes; anything else passes nil); otherwise as a 64-bit value. Returns a result of up
// to 8 bytes when `result` is null, else copies at most result.size bytes of it there and returns 0.
// Returns 0 when the receiver is not a live object or has no such method.
int64_t PlatformMessage(BridgeResult result, int64_t object, const BridgeValue& message,
                        std::initializer_list<BridgeValue> rest = {});

} // namespace nevalon::gui
