#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace nevalon::system {

// Byte encodings shared by strings and files; any other code means FormatAscii.
using StringFormat = int64_t;
inline constexpr StringFormat FormatUtf8 = 2;
inline constexpr StringFormat FormatAscii = 24;
inline constexpr StringFormat FormatUtf16 = 25;

// Bytes of the UTF-8 sequence that starts with `lead`: 1 to 4, or 0 for a byte that cannot start one.
constexpr int Utf8SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
}

// The UTF-16 surrogate pair of a code point past U+FFFF.
constexpr char16_t HighSurrogate(uint32_t point)
{
    return static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
}
constexpr char16_t LowSurrogate(uint32_t point)
{
    return static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
}

// UTF-8 bytes of `text` (std::string owns them; c_str() is the zero-terminated form).
std::string StringToUtf8(const String& text);

// Bytes of `text` in `format`: UTF-8, native UTF-16 units, or single bytes dropping units >= 0x100.
std::string StringToBytes(const String& text, StringFormat format);

// String decoded from `address`; `length` counts units (UTF-16), bytes (single-byte) or whole characters
// (UTF-8), or is -1 for "up to the first zero". A zero byte or unit always ends the input; null gives "".
String StringFromBytes(const void* address, int64_t length, StringFormat format);

// String decoded from every byte of `bytes` as UTF-8 (for text coming from the operating system).
String StringFromUtf8(std::string_view bytes);

} // namespace nevalon::system
