// Fields and substrings: GetField agrees with a plain split for every index, and the search, count and
// replace operations stay within the text.
#include "FuzzInput.h"
#include "runtime/system/strings/Strings.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nevalon::system;
    nevalon::fuzz::FuzzInput input(data, size);
    const int64_t start = static_cast<int8_t>(input.Byte());
    const String separator = StringFromUtf8(input.Piece());
    const String text = StringFromUtf8(input.Rest());

    std::vector<String> fields;
    if (separator.empty()) {
        fields.push_back(text);
    } else {
        size_t begin = 0;
        for (size_t at; (at = text.find(separator, begin)) != String::npos; begin = at + separator.size())
            fields.push_back(text.substr(begin, at - begin));
        fields.push_back(text.substr(begin));
    }
    for (int64_t index = -1; index <= static_cast<int64_t>(fields.size()) + 1; ++index) {
        const String expected =
            index >= 1 && index <= static_cast<int64_t>(fields.size()) ? fields[index - 1] : u"";
        nevalon::fuzz::Require(GetField(text, index, separator) == expected);
    }

    const int64_t count = CountSubstring(text, separator);
    nevalon::fuzz::Require(separator.empty() ? count == 0 : count + 1 == static_cast<int64_t>(fields.size()));
    const int64_t found = FindSubstring(text, separator, start);
    nevalon::fuzz::Require(found == 0 || text.compare(found - 1, separator.size(), separator) == 0);
    nevalon::fuzz::Require(CountSubstring(ReplaceSubstring(text, separator, u""), separator) <= count);
    InsertSubstring(text, separator, start);
    LeftPart(text, start);
    RightPart(text, start);
    PadLeft(text, start, separator);
    return 0;
}
