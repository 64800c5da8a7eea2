#include "runtime/system/strings/Strings.h"

namespace nevalon::system {

namespace {

// Value of `unit` as a digit of `base`, or -1.
int DigitValue(char16_t unit, int base)
{
    int value = -1;
    if (unit >= u'0' && unit <= u'9')
        value = unit - u'0';
    else if (unit >= u'A' && unit <= u'F')
        value = unit - u'A' + 10;
    else if (unit >= u'a' && unit <= u'f')
        value = unit - u'a' + 10;
    return value < base ? value : -1;
}

} // namespace

String IntegerToString(int64_t value)
{
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char16_t digits[24];
    char16_t* end = digits + sizeof digits / sizeof digits[0];
    char16_t* first = end;
    do {
        *--first = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--first = u'-';
    return String(first, end);
}

int64_t StringToInteger(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && text[i] == u'%')
        base = 2, ++i;
    else if (i < text.size() && text[i] == u'$')
        base = 16, ++i;
    uint64_t value = 0;
    for (int digit = 0; i < text.size() && (digit = DigitValue(text[i], base)) >= 0; ++i)
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    return static_cast<int64_t>(negative ? 0 - value : value);
}

} // namespace nevalon::system
