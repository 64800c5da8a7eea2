#include "runtime/system/strings/Strings.h"

#include <algorithm>

namespace nevalon::system {

namespace {

// Position of the next `what` at or after `from`; a single unit is looked for on its own.
inline size_t FindFrom(const String& text, const String& what, size_t from)
{
    if (what.size() != 1) return text.find(what, from);
    const char16_t* end = text.data() + text.size();
    const char16_t* at = std::find(text.data() + from, end, what[0]);
    return at == end ? String::npos : static_cast<size_t>(at - text.data());
}

} // namespace

int64_t FindSubstring(const String& text, const String& what, int64_t start)
{
    if (text.empty() || what.empty()) return 0;
    int64_t length = StringLength(text);
    size_t from = static_cast<size_t>(start < 1 ? 0 : start > length ? length : start - 1);
    size_t at = FindFrom(text, what, from);
    return at == String::npos ? 0 : static_cast<int64_t>(at) + 1;
}

int64_t CountSubstring(const String& text, const String& what)
{
    if (text.empty() || what.empty()) return 0;
    int64_t count = 0;
    for (size_t at = FindFrom(text, what, 0); at != String::npos; at = FindFrom(text, what, at + what.size()))
        ++count;
    return count;
}

String ReplaceSubstring(const String& text, const String& what, const String& with)
{
    int64_t count = CountSubstring(text, what);
    if (count == 0) return text;
    String result;
    result.reserve(text.size() + count * with.size() - count * what.size());
    size_t from = 0;
    for (size_t at = FindFrom(text, what, 0); at != String::npos; at = FindFrom(text, what, from)) {
        result.append(text, from, at - from);
        result.append(with);
        from = at + what.size();
    }
    result.append(text, from, String::npos);
    return result;
}

String GetField(const String& text, int64_t index, const String& separator)
{
    if (index < 1) return String();
    if (separator.empty()) return index == 1 ? text : String();
    size_t begin = 0;
    for (int64_t field = 1; field < index; ++field) {
        size_t at = FindFrom(text, separator, begin);
        if (at == String::npos) return String();
        begin = at + separator.size();
    }
    size_t end = FindFrom(text, separator, begin);
    return text.substr(begin, end == String::npos ? String::npos : end - begin);
}

} // namespace nevalon::system
