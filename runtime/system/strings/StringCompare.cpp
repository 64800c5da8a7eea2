#include "runtime/system/strings/Strings.h"

#include <cwctype>

namespace nevalon::system {

namespace {

char16_t LowerUnit(char16_t unit)
{
    wint_t lower = std::towlower(static_cast<wint_t>(unit));
    return lower <= 0xFFFF ? static_cast<char16_t>(lower) : unit;
}

int64_t Signed(char16_t unit)
{
    return static_cast<int16_t>(unit);
}

// Past its end a string reads as zero units, so the shorter one compares by its terminating zero.
template <typename Map> int64_t Compare(const String& a, const String& b, Map map)
{
    size_t longest = a.size() > b.size() ? a.size() : b.size();
    for (size_t i = 0; i < longest; ++i) {
        char16_t x = i < a.size() ? map(a[i]) : 0;
        char16_t y = i < b.size() ? map(b[i]) : 0;
        if (x != y) return Signed(x) - Signed(y);
    }
    return 0;
}

} // namespace

int64_t StringLength(const String& text)
{
    return static_cast<int64_t>(text.size());
}

int64_t StringsEqual(const String& a, const String& b)
{
    return a == b ? 1 : 0;
}

int64_t CompareStrings(const String& a, const String& b)
{
    return Compare(a, b, [](char16_t unit) { return unit; });
}

int64_t CompareStringsNoCase(const String& a, const String& b)
{
    return Compare(a, b, LowerUnit);
}

String LowerCase(const String& text)
{
    String result(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        result[i] = LowerUnit(text[i]);
    return result;
}

} // namespace nevalon::system
