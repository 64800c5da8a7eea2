#include "runtime/system/strings/Strings.h"

#include <clocale>
#include <gtest/gtest.h>
#include <vector>

using namespace nevalon::system;
using namespace std::string_literals;

namespace {

// The results of `operation` on each input, so that one line compares many cases.
template <typename Input, typename Operation>
auto Each(std::initializer_list<Input> inputs, Operation operation)
{
    std::vector<decltype(operation(*inputs.begin()))> results;
    for (const Input& input : inputs)
        results.push_back(operation(input));
    return results;
}

TEST(StringBytes, EncodeAndDecodeUtf8Utf16AndSingleBytes)
{
    // Unpaired surrogates are written as three bytes of their own so that decoding gives them back.
    const String text =
        u"\x7F\x80\x7FF\x800\xFFFF\xD83D\xDE00\xD800\xDC00\xDBFF\xDFFFz\xDC00\xDE00\xD83Dz\xD800";
    const std::string bytes = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x9F\x98\x80\xF0\x90\x80\x80"
                              "\xF4\x8F\xBF\xBFz\xED\xB0\x80\xED\xB8\x80\xED\xA0\xBDz\xED\xA0\x80";
    EXPECT_EQ(StringToUtf8(text), bytes);
    EXPECT_EQ(StringFromUtf8(bytes), text);
    EXPECT_EQ(StringToUtf8(String()), "");
    EXPECT_EQ(StringToBytes(u"\u00E9\u20ACz", FormatAscii) + StringToBytes(u"\u00E9z", 0), "\xE9z\xE9z");
    EXPECT_EQ(StringFromBytes(StringToBytes(text, FormatUtf16).data(), StringLength(text), FormatUtf16),
              text);
    // A stray continuation byte or a sequence broken off by a plain byte is one replacement; so is each
    // overlong form, never the zero or line end it spells.
    EXPECT_EQ(StringFromUtf8("A\x80Z\xBF\xE2\x82z\0"s), u"A\uFFFDZ\uFFFD\uFFFDz\0"s);
    EXPECT_EQ(StringFromUtf8("\xC0\x80\xC1\xBF\xE0\x80\x8A\xE0\x9F\xBF\xF0\x80\x80\x80\xF0\x8F\xBF\xBFz"),
              u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz");
    // A cut sequence, a lead byte past F7 or a code point past U+10FFFF ends the text.
    EXPECT_EQ(Each({"\xF0\x9F\x98", "\xC3", "\xF8z", "\xF4\x90\x80\x80z"},
                   [](auto tail) { return StringFromUtf8("zz"s + tail); }),
              std::vector<String>(4, u"zz"));
    EXPECT_EQ(StringFromUtf8(std::string_view()), u"");
    // Lengths count characters in UTF-8, units in UTF-16 and bytes otherwise.
    EXPECT_EQ(
        Each({-1, 0, 2, 100},
             [](int64_t n) { return StringFromBytes("\xC3\xA9\xF0\x9F\x98\x80xy\0z", n, FormatUtf8); }),
        (std::vector<String>{u"\u00E9\xD83D\xDE00xy", u"", u"\u00E9\xD83D\xDE00", u"\u00E9\xD83D\xDE00xy"}));
    EXPECT_EQ(
        Each({-1, 2, 9}, [](int64_t n) { return StringFromBytes(u"\xD83D\xDE00z\0q", n, FormatUtf16); }),
        (std::vector<String>{u"\xD83D\xDE00z", u"\xD83D\xDE00", u"\xD83D\xDE00z"}));
    EXPECT_EQ(Each({-1, 2}, [](int64_t n) { return StringFromBytes("\xE9\xFFz\0c", n, 7); }),
              (std::vector<String>{u"\u00E9\u00FFz", u"\u00E9\u00FF"}));
    EXPECT_EQ(StringFromBytes("\xC0\x80xy", 2, FormatUtf8) + StringFromBytes("zz\xC3", 5, FormatUtf8),
              u"\uFFFDxzz");
    EXPECT_EQ(StringFromBytes(nullptr, -1, FormatUtf8), u"");
}

TEST(CompareStrings, OrdersSigned16BitUnitsAndNoCaseFollowsTheUtf8LocaleOfInitStrings)
{
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(InitStrings(), 1);
    const std::string ctype = std::setlocale(LC_CTYPE, nullptr);
    EXPECT_TRUE(ctype == "en_US.UTF-8" || ctype == "C.UTF-8" || ctype == "C.utf8") << ctype;
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(LowerCase(u"Bi\u00C4\u03A3\u0416 1|\xD801\xDC00"), u"bi\u00E4\u03C3\u0436 1|\xD801\xDC00");
    EXPECT_EQ(CompareStringsNoCase(u"\u00C4RGER", u"\u00E4rger"), 0);
    EXPECT_LT(CompareStringsNoCase(u"a", u"B"), 0);
    for (char16_t upper = u'A'; upper <= u'Z'; ++upper)
        for (char16_t lower = u'a'; lower <= u'z'; ++lower)
            EXPECT_LT(CompareStrings(String(1, upper), String(1, lower)), 0);
    EXPECT_EQ(Each({u"ab"s, u"abc"s, u"abcd"s, u"ab\x8000"s, u"ab\xFFFF"s},
                   [](const String& b) { return CompareStrings(u"abc", b); }),
              (std::vector<int64_t>{'c', 0, -'d', 'c' + 0x8000, 'c' + 1}));
}

TEST(StringToInteger, ReadsBlanksSignBaseAndDigitsWrapping)
{
    EXPECT_EQ(Each({u"  -42abc", u"\t+7", u"12.9", u"- 7", u"\n7", u"+-7", u"", u"\uFF11", u"$ff", u"$FFg",
                    u"-$10", u"%1012", u"%2", u"$-1", u"18446744073709551617"},
                   StringToInteger),
              (std::vector<int64_t>{-42, 7, 12, 0, 0, 0, 0, 0, 255, 255, -16, 5, 0, 0, 1}));
    EXPECT_EQ(StringToInteger(u"-$8000000000000000"), INT64_MIN);
    EXPECT_EQ(IntegerToString(-5) + IntegerToString(INT64_MIN), u"-5-9223372036854775808");
    for (int64_t value : {INT64_MIN + 1, int64_t{-10}, int64_t{0}, int64_t{9}, int64_t{10}, INT64_MAX})
        EXPECT_EQ(StringToInteger(IntegerToString(value)), value);
}

TEST(Searching, FindCountReplaceAndGetFieldMatchUnitsExactly)
{
    const String kinds = u"'APPL''caut''note''stop'";
    EXPECT_EQ(Each({0, 13, 14}, [&](int64_t start) { return FindSubstring(kinds, u"'note'", start); }),
              (std::vector<int64_t>{13, 13, 0}));
    EXPECT_EQ(Each({2, 24, 25}, [&](int64_t start) { return FindSubstring(kinds, u"'", start); }),
              (std::vector<int64_t>{6, 24, 0}));
    EXPECT_EQ(FindSubstring(kinds, u"'NOTE'") + FindSubstring(kinds, u"") + FindSubstring(u"", u"a"), 0);
    EXPECT_EQ(CountSubstring(u"A|B|C", u"|") + CountSubstring(u"aaaaa", u"aa"), 4);
    EXPECT_EQ(CountSubstring(u"", u"|") + CountSubstring(u"A|B", u""), 0);
    EXPECT_EQ(ReplaceSubstring(u"/{appid}/{appid}.plist", u"{appid}", u"com.brask"),
              u"/com.brask/com.brask.plist");
    EXPECT_EQ(ReplaceSubstring(u"aaa", u"aa", u"b") + ReplaceSubstring(u"a, b", u", ", u"") +
                  ReplaceSubstring(u"abc", u"", u"-"),
              u"baababc");
    auto fields = [](const String& text, const String& separator) {
        return Each({0, 1, 2, 3, 4, 5}, [&](int64_t index) { return GetField(text, index, separator); });
    };
    EXPECT_EQ(fields(u"A|B||D", u"|"), (std::vector<String>{u"", u"A", u"B", u"", u"D", u""}));
    EXPECT_EQ(fields(u"|a:b::c:::d:", u"::"), (std::vector<String>{u"", u"|a:b", u"c", u":d:", u"", u""}));
    EXPECT_EQ(fields(u"|A|", u"|"), (std::vector<String>{u"", u"", u"A", u"", u"", u""}));
    EXPECT_EQ(fields(u"a|b", u""), (std::vector<String>{u"", u"a|b", u"", u"", u"", u""}));
}

TEST(Cutting, InsertLeftRightAndPadClampPositionsAndCounts)
{
    EXPECT_EQ(Each({INT64_MIN, int64_t{2}, int64_t{4}, int64_t{10}},
                   [](int64_t at) { return InsertSubstring(u"abc", u"X", at); }),
              (std::vector<String>{u"Xabc", u"aXbc", u"abcX", u"abcX"}));
    EXPECT_EQ(Each({int64_t{-1}, int64_t{3}, INT64_MAX},
                   [](int64_t n) { return LeftPart(u"Holiday", n) + u"|" + RightPart(u"Holiday", n); }),
              (std::vector<String>{u"|", u"Hol|day", u"Holiday|Holiday"}));
    EXPECT_EQ(PadLeft(IntegerToString(7), 2, u"0") + PadLeft(IntegerToString(123), 2, u"0"), u"0712");
    EXPECT_EQ(PadLeft(u"5", 4, u"*-"), u"***5");
    EXPECT_EQ(PadLeft(u"5", 2, u"") + PadLeft(u"5", -3, u"0"), u"");
    EXPECT_EQ(SpacesForControlCharacters(String(u"a\nb\r\tc\0", 7) + u"\x1F\x7F\u2028\u2029 \u00A0~"),
              u"a b  c      \u00A0~");
}

} // namespace
