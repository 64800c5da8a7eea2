#include "runtime/system/files/Files.h"
#include "runtime/system/files/TempDirectory.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <vector>

using namespace nevalon::system;

namespace {

class ReadLineTest : public ::testing::Test {
protected:
    void TearDown() override { CloseFile(-1); }

    // Opens a file holding `bytes` as number 0.
    void Open(const std::string& bytes, int64_t flags = 0)
    {
        PutFile(dir.Path("in"), bytes);
        ASSERT_NE(OpenFileReadOnly(0, StringFromUtf8(dir.Path("in")), flags), 0);
    }

    std::vector<String> AllLines(int64_t flags = 0)
    {
        std::vector<String> lines;
        while (!AtEndOfFile(0))
            lines.push_back(ReadLine(0, flags));
        return lines;
    }

    TempDirectory dir;
};

using Lines = std::vector<String>;

TEST_F(ReadLineTest, LineEndsOfEveryKindReadAlike)
{
    for (const char* bytes :
         {"one\r\ntwo\r\nthree", "one\ntwo\nthree", "one\rtwo\rthree", "one\r\ntwo\rthree\n"}) {
        for (int64_t flags : {int64_t{0}, FileNoBuffering}) {
            Open(bytes, flags);
            EXPECT_EQ(AllLines(), (Lines{u"one", u"two", u"three"})) << bytes << " flags " << flags;
            EXPECT_EQ(AtEndOfFile(0), 1);
            EXPECT_EQ(ReadLine(0), u"");
        }
    }
}

TEST_F(ReadLineTest, LineFeedThenCarriageReturnIsTwoLineEnds)
{
    Open("a\n\rb\r\r\nc\n\n");
    EXPECT_EQ(AllLines(), (Lines{u"a", u"", u"b", u"", u"c", u""}));
}

TEST_F(ReadLineTest, LineEndsAcrossBufferRefills)
{
    const std::string first(FileBufferSize - 1, 'x');
    const std::string second(3 * FileBufferSize, 'y');
    // The CR LF pair straddles the first refill; the long line needs several.
    Open(first + "\r\n" + second + "\r" + "z\xC3\xA9");
    EXPECT_EQ(AllLines(),
              (Lines{String(first.begin(), first.end()), String(second.begin(), second.end()), u"z\u00E9"}));
}

TEST_F(ReadLineTest, ByteOrderMarkIsKeptAsFirstCharacter)
{
    Open("\xEF\xBB\xBFtitle|1\nnext");
    EXPECT_EQ(ReadLine(0), u"\uFEFFtitle|1");
    EXPECT_EQ(ReadLine(0), u"next");
}

TEST_F(ReadLineTest, ZeroCharacterEndsLineAndIsDropped)
{
    Open(std::string("ab\0cd\n", 6));
    EXPECT_EQ(AllLines(), (Lines{u"ab", u"cd"}));
}

TEST_F(ReadLineTest, LengthCountsCharactersNotBytes)
{
    Open("h\xC3\xA9llo \xF0\x9F\x98\x80!\nend");
    EXPECT_EQ(ReadLine(0, 0, 3), u"h\u00E9l");
    EXPECT_EQ(ReadLine(0, 0, 4), u"lo \U0001F600");
    EXPECT_EQ(ReadLine(0, 0, 0), u"");
    EXPECT_EQ(ReadLine(0), u"!");
    EXPECT_EQ(ReadLine(0, 0, 10), u"end");
}

TEST_F(ReadLineTest, KeepLineEndsReadsThroughThem)
{
    Open("a\r\nb\nc\rd");
    EXPECT_EQ(ReadLine(0, ReadKeepLineEnds), u"a\r\nb\nc\rd");
    Open("a\r\nb\n");
    EXPECT_EQ(ReadLine(0, ReadKeepLineEnds, 3), u"a\r\n");
    EXPECT_EQ(ReadLine(0), u"b");
}

TEST_F(ReadLineTest, BytesThatCannotBeginCharacterBecomeQuestionMarks)
{
    // A stray continuation byte, a lead byte cut short by a line end, a lead byte past F7, a sequence
    // beyond U+10FFFF: each is one "?" and the rest of the line survives.
    Open("a\x80z\n\xC3\nb\xF8z\n\xF4\x90\x80\x80z\nok");
    EXPECT_EQ(AllLines(), (Lines{u"a?z", u"?", u"b?z", u"?z", u"ok"}));
}

TEST_F(ReadLineTest, CharacterCutShortByEndOfFileEndsLine)
{
    Open("ab\xE2\x82");
    EXPECT_EQ(ReadLine(0), u"ab");
    EXPECT_EQ(AtEndOfFile(0), 1);
}

TEST_F(ReadLineTest, SingleByteAndUtf16Formats)
{
    Open("caf\xE9\r\n\xFF\n", FormatAscii);
    EXPECT_EQ(AllLines(), (Lines{u"caf\u00E9", u"\u00FF"}));

    const String text = u"\u00E9t\u00E9\r\n\U0001F600\nx";
    Open(StringToBytes(text, FormatUtf16), FormatUtf16);
    EXPECT_EQ(AllLines(), (Lines{u"\u00E9t\u00E9", u"\U0001F600", u"x"}));

    // The flags' format overrides the file's for one call.
    Open(StringToBytes(u"wide\n", FormatUtf16) + "narrow\n");
    EXPECT_EQ(ReadLine(0, FormatUtf16), u"wide");
    EXPECT_EQ(ReadLine(0), u"narrow");
}

TEST_F(ReadLineTest, AtEndOfFileDoesNotConsume)
{
    Open("");
    EXPECT_EQ(AtEndOfFile(0), 1);
    EXPECT_EQ(ReadLine(0), u"");
    for (int64_t flags : {int64_t{0}, FileNoBuffering}) {
        Open("xy\n", flags);
        EXPECT_EQ(AtEndOfFile(0), 0);
        EXPECT_EQ(AtEndOfFile(0), 0);
        EXPECT_EQ(ReadLine(0), u"xy");
        EXPECT_EQ(AtEndOfFile(0), 1);
    }
}

} // namespace

namespace {
TEST_F(ReadLineTest, OverlongFormIsOneReplacementNotAZero)
{
    Open("A\xC0\x80" "B\xE0\x80\x8A" "C\n");
    EXPECT_EQ(ReadLine(0, 0, 3), u"A\uFFFDB");
    EXPECT_EQ(ReadLine(0), u"\uFFFDC");
}
} // namespace
