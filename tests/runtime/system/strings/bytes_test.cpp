#include "runtime/system/strings/StringBytes.h"

#include <gtest/gtest.h>

using namespace nevalon::system;
using namespace std::string_literals;

TEST(StringToUtf8, EncodesUnitsAndSurrogatePairs)
{
    EXPECT_EQ(StringToUtf8(u"\xE9"), "\xC3\xA9");
    EXPECT_EQ(StringToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(StringToUtf8(u"\xDBFF\xDFFF"), "\xF4\x8F\xBF\xBF");
    EXPECT_EQ(StringToUtf8(u"\x7F\x80\x7FF\x800\xFFFF"), "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
    std::string empty = StringToUtf8(String());
    EXPECT_EQ(empty, "");
    EXPECT_EQ(empty.c_str()[0], '\0');
}

TEST(StringToUtf8, KeepsUnpairedSurrogatesAsThreeBytes)
{
    EXPECT_EQ(StringToUtf8(u"a\xDC00z"), "a\xED\xB0\x80z");
    EXPECT_EQ(StringToUtf8(u"a\xD800z"), "a\xED\xA0\x80z");
    EXPECT_EQ(StringToUtf8(u"\xDE00\xD83D"), "\xED\xB8\x80\xED\xA0\xBD");
    const String lone = u"x\xD83Dy\xDE00\xD83D";
    EXPECT_EQ(StringFromUtf8(StringToUtf8(lone)), lone);
}

TEST(StringFromUtf8, DecodesSequencesAndReplacesStrayContinuations)
{
    EXPECT_EQ(StringFromUtf8("\x41\x80\x42"), u"A\xFFFD"
                                              u"B");
    EXPECT_EQ(StringFromUtf8("\xC3\xA9\xE2\x82\xAC"), u"\xE9\x20AC");
    EXPECT_EQ(StringFromUtf8("\xF0\x9F\x98\x80!"), u"\xD83D\xDE00!");
    EXPECT_EQ(StringFromUtf8("\xF4\x8F\xBF\xBF"), u"\xDBFF\xDFFF");
    EXPECT_EQ(StringFromUtf8("\xBF\xBF"), u"\xFFFD\xFFFD");
    // A lead byte broken off by a plain byte stands for one replacement; the plain byte survives.
    EXPECT_EQ(StringFromUtf8("\xE2\x82z"), u"\xFFFDz");
    EXPECT_EQ(StringFromUtf8("a\0b"s), u"a\0b"s);
    EXPECT_EQ(StringFromUtf8(""), u"");
}

TEST(StringFromUtf8, StopsAtCutSequencesAndImpossibleBytes)
{
    EXPECT_EQ(StringFromUtf8("ab\xF0\x9F\x98"), u"ab");
    EXPECT_EQ(StringFromUtf8("ab\xC3"), u"ab");
    EXPECT_EQ(StringFromUtf8("ab\xF8z"), u"ab");
    EXPECT_EQ(StringFromUtf8("ab\xFFz"), u"ab");
    EXPECT_EQ(StringFromUtf8("ab\xF4\x90\x80\x80z"), u"ab");
}

TEST(StringFromBytes, EndsAtTheLengthOrTheFirstZero)
{
    const char utf8[] = "\xC3\xA9\xF0\x9F\x98\x80xyz\0tail";
    EXPECT_EQ(StringFromBytes(utf8, -1, FormatUtf8), u"\xE9\xD83D\xDE00xyz");
    EXPECT_EQ(StringFromBytes(utf8, 2, FormatUtf8), u"\xE9\xD83D\xDE00");
    EXPECT_EQ(StringFromBytes(utf8, 100, FormatUtf8), u"\xE9\xD83D\xDE00xyz");
    EXPECT_EQ(StringFromBytes("ab\xC3", -1, FormatUtf8), u"ab");
    EXPECT_EQ(StringFromBytes("ab\xC3", 5, FormatUtf8), u"ab");

    const char single[] = "\xE9\xFF"
                          "ab\0c";
    EXPECT_EQ(StringFromBytes(single, -1, FormatAscii), u"\xE9\xFF"
                                                        u"ab");
    EXPECT_EQ(StringFromBytes(single, 3, FormatAscii), u"\xE9\xFF"
                                                       u"a");
    EXPECT_EQ(StringFromBytes(single, 3, 7), u"\xE9\xFF"
                                             u"a");

    const char16_t units[] = u"\xD83D\xDE00z\0q";
    EXPECT_EQ(StringFromBytes(units, -1, FormatUtf16), u"\xD83D\xDE00z");
    EXPECT_EQ(StringFromBytes(units, 2, FormatUtf16), u"\xD83D\xDE00");
    EXPECT_EQ(StringFromBytes(units, 9, FormatUtf16), u"\xD83D\xDE00z");

    EXPECT_EQ(StringFromBytes(nullptr, -1, FormatUtf8), u"");
    EXPECT_EQ(StringFromBytes(utf8, 0, FormatUtf8), u"");
}

TEST(StringToBytes, EncodesInTheGivenFormat)
{
    const String text = u"\xE9\x20AC"
                        u"a";
    EXPECT_EQ(StringToBytes(text, FormatUtf8), "\xC3\xA9\xE2\x82\xAC"
                                               "a");
    EXPECT_EQ(StringToBytes(text, FormatAscii), "\xE9"
                                                "a");
    EXPECT_EQ(StringToBytes(text, 0), "\xE9"
                                      "a");
    std::string utf16 = StringToBytes(text, FormatUtf16);
    ASSERT_EQ(utf16.size(), 6u);
    EXPECT_EQ(StringFromBytes(utf16.c_str(), 3, FormatUtf16), text);
    EXPECT_EQ(StringFromBytes(StringToBytes(text, FormatAscii).c_str(), -1, FormatAscii), u"\xE9"
                                                                                          u"a");
}

TEST(StringFromUtf8, NullEmptyViewIsEmpty)
{
    EXPECT_EQ(StringFromUtf8(std::string_view()), u"");
}

TEST(StringFromUtf8, OverlongFormsAreOneReplacementEach)
{
    const std::pair<std::string, String> cases[] = {
        {"a\xC0\x80z", u"a\xFFFDz"},
        {"\xC1\xBF", u"\xFFFD"},
        {"\xE0\x80\x80", u"\xFFFD"},
        {"\xE0\x9F\xBF", u"\xFFFD"},
        {"\xF0\x80\x80\x80", u"\xFFFD"},
        {"\xF0\x8F\xBF\xBF", u"\xFFFD"},
        {"\xC2\x80\xE0\xA0\x80", u"\x80\x800"},
        {"\xF0\x90\x80\x80", u"\xD800\xDC00"},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(StringFromUtf8(bytes), expected) << bytes;
    EXPECT_EQ(StringFromBytes("\xC0\x80xy", 2, FormatUtf8), u"\xFFFDx");
}
