#include "runtime/system/TempDirectory.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <vector>

using namespace nevalon::system;
using Lines = std::vector<String>;
using namespace std::string_literals;

namespace {

class ReadLineTest : public ::testing::Test {
protected:
    void TearDown() override { CloseFile(-1); }

    // Opens a file holding `bytes` as number 0.
    void Open(const std::string& bytes, int64_t flags = 0)
    {
        ASSERT_NE(OpenFileReadOnly(0, StringFromUtf8(dir.Put("in", bytes)), flags), 0);
    }

    Lines AllLines(const std::string& bytes, int64_t flags = 0)
    {
        Open(bytes, flags);
        Lines lines;
        while (!AtEndOfFile(0))
            lines.push_back(ReadLine(0));
        EXPECT_EQ(ReadLine(0), u"");
        return lines;
    }

    TempDirectory dir;
};

TEST_F(ReadLineTest, LineEndsOfEveryKindReadAlikeBufferedOrNot)
{
    for (const char* bytes :
         {"one\r\ntwo\r\nthree", "one\ntwo\nthree", "one\rtwo\rthree", "one\r\ntwo\rthree\n"})
        for (int64_t flags : {int64_t{0}, FileNoBuffering})
            EXPECT_EQ(AllLines(bytes, flags), (Lines{u"one", u"two", u"three"})) << bytes << " " << flags;
    EXPECT_EQ(AllLines("a\n\rb\r\r\nc\n\n"), (Lines{u"a", u"", u"b", u"", u"c", u""}));
    EXPECT_EQ(AllLines(""), Lines());
    // The CR LF pair straddles the first refill; the long line needs several.
    const std::string first(FileBufferSize - 1, 'x');
    const std::string second(3 * FileBufferSize, 'y');
    EXPECT_EQ(AllLines(first + "\r\n" + second + "\r" + "z\xC3\xA9"),
              (Lines{StringFromUtf8(first), StringFromUtf8(second), u"z\u00E9"}));
}

TEST_F(ReadLineTest, OddBytesAreKeptOrReplacedWithoutLosingTheLine)
{
    // The mark stays a character; a zero ends its line; a byte that cannot begin a character, a sequence
    // broken by a line end or past U+10FFFF is one "?"; an overlong form is one replacement, not what it
    // spells; a character cut short by the end of the file ends the line.
    EXPECT_EQ(AllLines("\xEF\xBB\xBFtitle|1\nab\0cd\n"s), (Lines{u"\uFEFFtitle|1", u"ab", u"cd"}));
    EXPECT_EQ(AllLines("a\x80z\n\xC3\nb\xF8z\n\xF4\x90\x80\x80z\nA\xC0\x80z\xE0\x80\x8A\nab\xE2\x82"),
              (Lines{u"a?z", u"?", u"b?z", u"?z", u"A\uFFFDz\uFFFD", u"ab"}));
}

TEST_F(ReadLineTest, LengthCountsCharactersAndKeepLineEndsReadsThroughThem)
{
    Open("h\xC3\xA9llo \xF0\x9F\x98\x80!\nA\xC0\x80z\nend\r\nx\ny");
    EXPECT_EQ(ReadLine(0, 0, 3), u"h\u00E9l");
    EXPECT_EQ(ReadLine(0, 0, 4), u"lo \U0001F600");
    EXPECT_EQ(ReadLine(0, 0, 0), u"");
    EXPECT_EQ(ReadLine(0), u"!");
    EXPECT_EQ(ReadLine(0, 0, 2), u"A\uFFFD");
    EXPECT_EQ(ReadLine(0), u"z");
    EXPECT_EQ(ReadLine(0, ReadKeepLineEnds, 5), u"end\r\n");
    EXPECT_EQ(ReadLine(0, ReadKeepLineEnds), u"x\ny");
}

TEST_F(ReadLineTest, SingleByteAndUtf16Formats)
{
    EXPECT_EQ(AllLines("caf\xE9\r\n\xFF\n", FormatAscii), (Lines{u"caf\u00E9", u"\u00FF"}));
    const String text = u"\u00E9t\u00E9\r\n\U0001F600\nx";
    EXPECT_EQ(AllLines(StringToBytes(text, FormatUtf16), FormatUtf16),
              (Lines{u"\u00E9t\u00E9", u"\U0001F600", u"x"}));
    // The flags' format overrides the file's for one call.
    Open(StringToBytes(u"wide\n", FormatUtf16) + "narrow\n");
    EXPECT_EQ(ReadLine(0, FormatUtf16), u"wide");
    EXPECT_EQ(ReadLine(0), u"narrow");
}

} // namespace
