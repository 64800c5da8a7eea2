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
