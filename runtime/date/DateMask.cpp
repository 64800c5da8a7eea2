#include "runtime/date/DateMask.h"

#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>
#include <string_view>

namespace nevalon::date {

using system::String;

namespace {

enum Field { kYear, kMonth, kDay, kHour, kMinute, kSecond, kShortYear, kNoField };

struct Token {
    Field field;
    size_t length; // mask units taken, the "%" included
};

// The token at a "%" of the mask, read from the mask lower-cased unit by unit.
Token TokenAt(const String& lowered, size_t percent)
{
    const std::u16string_view rest = std::u16string_view{lowered}.substr(percent + 1);
    if (rest.starts_with(u"yyyy")) return {kYear, 5};
    const std::u16string_view pairs[] = {u"yy", u"mm", u"dd", u"hh", u"ii", u"ss"};
    const Field fields[] = {kShortYear, kMonth, kDay, kHour, kMinute, kSecond};
    for (size_t k = 0; k < std::size(pairs); ++k) {
        if (rest.starts_with(pairs[k])) return {fields[k], 3};
    }
    return {kNoField, 1};
}

String TwoDigits(int64_t value)
{
    return system::PadLeft(system::IntegerToString(value), 2, u"0");
}

} // namespace

String DateToText(const String& mask, Date date)
{
    int32_t parts[6];
    if (mask.empty() || date == InvalidDate ||
        !DateParts(date, parts[kYear], parts[kMonth], parts[kDay], parts[kHour], parts[kMinute],
                   parts[kSecond])) {
        return String();
    }
    const String lowered = system::LowerCase(mask);
    String text;
    text.reserve(mask.size());
    for (size_t pos = 0; pos < mask.size();) {
        if (mask[pos] != u'%') {
            text += mask[pos++];
            continue;
        }
        const Token token = TokenAt(lowered, pos);
        if (token.field == kYear) {
            text += system::IntegerToString(parts[kYear]);
        } else if (token.field == kShortYear) {
            text += TwoDigits(parts[kYear] % 100);
        } else if (token.field != kNoField) {
            text += TwoDigits(parts[token.field]);
        } else {
            text += u'%';
        }
        pos += token.length;
    }
    return text;
}

int64_t DateToText(const String& mask, Date date, std::span<char16_t> buffer)
{
    if (buffer.empty()) return 0;
    const String text = DateToText(mask, date);
    const size_t length = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.begin(), length, buffer.begin());
    buffer[length] = u'\0';
    return static_cast<int64_t>(length);
}

Date TextToDate(const String& mask, const String& text)
{
    if (mask.empty() || text.empty()) return InvalidDate;
    int32_t parts[6] = {1970, 1, 1, 0, 0, 0};
    const String lowered = system::LowerCase(mask);
    size_t at = 0;
    for (size_t pos = 0; pos < mask.size();) {
        if (mask[pos] != u'%') {
            if (at == text.size() || text[at] != mask[pos]) return InvalidDate;
            ++pos;
            ++at;
            continue;
        }
        const Token token = TokenAt(lowered, pos);
        if (token.field == kNoField) {
            // "%" and the unit after it stand for any one unit of the text.
            if (at == text.size()) return InvalidDate;
            ++at;
            pos += 2;
            continue;
        }
        const size_t maxDigits = token.field == kYear ? 4 : 2;
        int32_t value = 0;
        size_t digits = 0;
        for (; digits < maxDigits && at < text.size() && text[at] >= u'0' && text[at] <= u'9';
             ++digits, ++at) {
            value = value * 10 + (text[at] - u'0');
        }
        if (digits == 0) return InvalidDate;
        if (token.field == kShortYear) {
            parts[kYear] = value < 70 ? 2000 + value : 1900 + value;
        } else {
            parts[token.field] = value;
        }
        pos += token.length;
    }
    if (at < text.size()) return InvalidDate;
    return MakeDate(parts[kYear], parts[kMonth], parts[kDay], parts[kHour], parts[kMinute], parts[kSecond]);
}

} // namespace nevalon::date
