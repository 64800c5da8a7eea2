#include "runtime/system/strings/Strings.h"

namespace nevalon::system {

namespace {

size_t Clamp(int64_t n, size_t length)
{
    if (n < 0) return 0;
    return static_cast<uint64_t>(n) > length ? length : static_cast<size_t>(n);
}

} // namespace

String InsertSubstring(const String& text, const String& insert, int64_t position)
{
    size_t at = position < 1 ? 0 : Clamp(position - 1, text.size());
    String result;
    result.reserve(text.size() + insert.size());
    result.append(text, 0, at).append(insert).append(text, at, String::npos);
    return result;
}

String LeftPart(const String& text, int64_t n)
{
    return text.substr(0, Clamp(n, text.size()));
}

String RightPart(const String& text, int64_t n)
{
    size_t count = Clamp(n, text.size());
    return text.substr(text.size() - count);
}

String PadLeft(const String& text, int64_t length, const String& pad)
{
    if (pad.empty() || length <= 0) return String();
    size_t kept = Clamp(length, text.size());
    String result(static_cast<size_t>(length) - kept, pad[0]);
    result.append(text, 0, kept);
    return result;
}

String SpacesForControlCharacters(const String& text)
{
    String result = text;
    for (char16_t& unit : result)
        if (unit < 0x20 || unit == 0x7F || unit == 0x2028 || unit == 0x2029) unit = u' ';
    return result;
}

} // namespace nevalon::system
