// UTF-8 decoding: any bytes decode within their bounds, a decoded text survives being encoded and
// decoded again, and a character limit never reads past the end.
#include "FuzzInput.h"
#include "runtime/system/strings/StringBytes.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nevalon::system;
    nevalon::fuzz::FuzzInput input(data, size);
    const int64_t limit = static_cast<int8_t>(input.Byte());
    const std::string bytes(input.Rest());

    const String text = StringFromUtf8(bytes);
    nevalon::fuzz::Require(text.size() <= bytes.size());
    const std::string encoded = StringToUtf8(text);
    nevalon::fuzz::Require(StringFromUtf8(encoded) == text);

    // The zero-ended forms read the bytes as C text: up to the first zero, at most `limit` characters.
    const String untilZero = StringFromBytes(bytes.c_str(), -1, FormatUtf8);
    const String limited = StringFromBytes(bytes.c_str(), limit, FormatUtf8);
    nevalon::fuzz::Require(untilZero.find(u'\0') == String::npos);
    nevalon::fuzz::Require(limit <= 0 || untilZero.starts_with(limited));
    StringFromBytes(bytes.c_str(), limit, FormatAscii);
    StringFromBytes(bytes.data(), static_cast<int64_t>(bytes.size() / 2), FormatUtf16);
    StringToBytes(text, FormatAscii);
    StringToBytes(text, FormatUtf16);
    return 0;
}
