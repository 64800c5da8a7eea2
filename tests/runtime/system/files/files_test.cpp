#include "runtime/system/TempDirectory.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

using namespace nevalon::system;
using Lines = std::vector<String>;
using namespace std::string_literals;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void TearDown() override { CloseFile(-1); }
    String PathOf(const std::string& name) const { return StringFromUtf8(dir.Path(name)); }

    // Opens a file holding `bytes` as number 0.
    void Open(const std::string& bytes, int64_t flags = 0)
    {
        ASSERT_NE(OpenFileReadOnly(0, StringFromUtf8(dir.Put("in", bytes)), flags), 0);
    }

    // Every line of a file holding `bytes`, read while AtEndOfFile says that something remains.
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

TEST_F(FilesTest, WritesGoThroughTheBufferInOrderWithoutAByteOrderMark)
{
    const std::string big(FileBufferSize + 10, 'b');
    ASSERT_EQ(CreateFile(0, PathOf("out")), 1);
    EXPECT_EQ(WriteLine(0, u"") + WriteText(0, u""), 1);
    EXPECT_EQ(WriteText(0, u"\uFEFFn\u00E9", FormatUtf8), 6);
    EXPECT_EQ(WriteLine(0, u"\U0001F600"), 5);
    EXPECT_EQ(WriteText(0, u"small ") + WriteText(0, StringFromUtf8(big)), 6 + FileBufferSize + 10);
    WriteLine(0, u" tail");
    ASSERT_NE(OpenFileReadOnly(0, PathOf("out")), 0) << "reopening the number closes the file first";
    EXPECT_EQ(FileBytes(dir.Path("out")),
              "\n\xEF\xBB\xBFn\xC3\xA9\xF0\x9F\x98\x80\nsmall " + big + " tail\n");
    EXPECT_EQ(ReadLine(0) + ReadLine(0), u"\uFEFFn\u00E9\U0001F600");
    EXPECT_EQ(ReadLine(0), StringFromUtf8("small " + big + " tail"));
}

TEST_F(FilesTest, ThreeFormatsRoundTripAndReadOnlyFilesTakeNoWrites)
{
    const String text = u"Caf\u00E9 \u20AC \U0001F600\r\n\u00FF";
    const std::pair<int64_t, String> cases[] = {{FormatUtf8, u"Caf\u00E9 \u20AC \U0001F600"},
                                                {FormatUtf16, u"Caf\u00E9 \u20AC \U0001F600"},
                                                {FormatAscii, u"Caf\u00E9  "}};
    for (const auto& [format, first] : cases) {
        ASSERT_NE(CreateFile(1, PathOf("f"), format), 0);
        WriteLine(1, text);
        WriteText(1, text);
        ASSERT_NE(OpenFileReadOnly(1, PathOf("f"), format), 0);
        EXPECT_EQ(WriteText(1, u"x") + WriteLine(1, u"x"), 0);
        EXPECT_EQ((Lines{ReadLine(1), ReadLine(1), ReadLine(1), ReadLine(1)}),
                  (Lines{first, u"\u00FF", first, u"\u00FF"}));
        EXPECT_EQ(AtEndOfFile(1), 1) << format;
    }
    EXPECT_EQ(CloseFile(1), 1);
    EXPECT_EQ(FileBytes(dir.Path("f")), "Caf\xE9  \r\n\xFF\nCaf\xE9  \r\n\xFF");
}

TEST_F(FilesTest, OpenFileContinuesAtTheLogicalPositionOrAppends)
{
    for (int64_t flags : {int64_t{0}, FileNoBuffering}) {
        dir.Put("f", "line1\nline2\nline3\n");
        ASSERT_NE(OpenFile(2, PathOf("f"), flags), 0);
        EXPECT_EQ(ReadLine(2), u"line1");
        EXPECT_EQ(WriteText(2, u"LI"), 2);
        EXPECT_EQ(ReadLine(2), u"ne2");
        EXPECT_EQ(WriteLine(2, u"L3"), 3);
        EXPECT_EQ(ReadLine(2), u"e3");
        EXPECT_EQ(AtEndOfFile(2), 1);
        EXPECT_EQ(CloseFile(2), 1);
        EXPECT_EQ(FileBytes(dir.Path("f")), "line1\nLIne2\nL3\ne3\n");
    }
    dir.Put("f", "old\n");
    ASSERT_EQ(OpenFile(0, PathOf("f"), FileAppend), 1);
    WriteLine(0, u"new");
    const int64_t handle = OpenFile(-1, PathOf("f"));
    WriteText(handle, u"OL");
    EXPECT_EQ(OpenFile(handle, PathOf("created")), handle);
    EXPECT_EQ(AtEndOfFile(handle), 1);
    EXPECT_EQ(CloseFile(0) + CloseFile(handle), 2);
    EXPECT_EQ(FileBytes(dir.Path("f")), "OLd\nnew\n");
}

TEST_F(FilesTest, ClosedAndUnknownNumbersNameNothing)
{
    const int64_t handle = CreateFile(-1, PathOf("d"));
    ASSERT_EQ(CreateFile(0, PathOf("a")) + CreateFile(40, PathOf("b")), 2);
    EXPECT_EQ(WriteText(handle, u"D") + WriteText(0, u"A") + WriteText(40, u"B"), 3);
    EXPECT_EQ(CloseFile(-1), 1);
    EXPECT_EQ(FileBytes(dir.Path("a")) + FileBytes(dir.Path("b")) + FileBytes(dir.Path("d")), "ABD");
    for (int64_t number : {int64_t{0}, int64_t{40}, handle, int64_t{-7}, int64_t{123456789}}) {
        EXPECT_EQ(IsFileOpen(number) + WriteText(number, u"x") + WriteLine(number, u"x"), 0) << number;
        EXPECT_EQ(AtEndOfFile(number) + CloseFile(number) + StringLength(ReadLine(number)), 0) << number;
    }
    EXPECT_EQ(CreateFile(-7, PathOf("y")) + CreateFile(int64_t{1} << 40, PathOf("y")), 0);
    ASSERT_EQ(CreateFile(1, PathOf("e")), 1);
    WriteText(1, u"E");
    EXPECT_EQ(EndFiles(), 1);
    EXPECT_EQ(FileBytes(dir.Path("e")), "E");
}

TEST_F(FilesTest, FailedOpeningsFreeTheNumberAndRefusedWritesReportFailure)
{
    mkdir(dir.Path("sub").c_str(), 0700);
    mkfifo(dir.Path("fifo").c_str(), 0600);
    ASSERT_EQ(CreateFile(3, PathOf("kept")), 1);
    const String cut = PathOf("cut") + u'\0' + u"off";
    for (const String& path : {PathOf("sub"), PathOf("missing"), PathOf("fifo"), String(), cut})
        EXPECT_EQ(OpenFileReadOnly(3, path), 0);
    EXPECT_EQ(IsFileOpen(3), 0);
    for (const String& path : {PathOf("sub"), PathOf("no/such/dir"), cut})
        EXPECT_EQ(CreateFile(-1, path) + OpenFile(-1, path), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("cut")));
    // Buffered text fails only when it is written out: the close reports it.
    ASSERT_EQ(OpenFile(0, u"/dev/full") + OpenFile(1, u"/dev/full", FileNoBuffering), 2);
    EXPECT_EQ(WriteLine(0, u"event"), 6);
    EXPECT_EQ(WriteLine(1, u"event"), 0);
    EXPECT_EQ(CloseFile(0) + CloseFile(1), 0);
    ASSERT_EQ(OpenFile(0, u"/dev/full") + CreateFile(1, PathOf("fine")), 2);
    EXPECT_EQ(WriteText(0, String(FileBufferSize, u'x')) + WriteText(0, u"after"), 0);
    WriteText(1, u"kept");
    EXPECT_EQ(CloseFile(-1), 0);
    EXPECT_EQ(FileBytes(dir.Path("fine")), "kept");
}

TEST_F(FilesTest, CreateNewMakesAnOwnerOnlyFileAndRefusesAnythingAtThePath)
{
    const int64_t flags = FileCreateNew | FileOwnerOnly;
    ASSERT_EQ(CreateFile(0, PathOf("new"), flags), 1);
    WriteText(0, u"first");
    CloseFile(0);
    struct stat status {};
    ASSERT_EQ(stat(dir.Path("new").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    dir.Put("target", "kept");
    ASSERT_EQ(symlink(dir.Path("target").c_str(), dir.Path("link").c_str()), 0);
    ASSERT_EQ(symlink(dir.Path("absent").c_str(), dir.Path("dangling").c_str()), 0);
    for (const char* name : {"new", "link", "dangling"})
        EXPECT_EQ(CreateFile(0, PathOf(name), flags), 0) << name;
    EXPECT_EQ(FileBytes(dir.Path("new")) + FileBytes(dir.Path("target")), "firstkept");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("absent")));
}

TEST_F(FilesTest, ReadLineTakesEveryKindOfLineEndAndReplacesOddBytesWithoutLosingTheLine)
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
    // The mark stays a character; a zero ends its line; a byte that cannot begin a character, a sequence
    // broken by a line end or past U+10FFFF is one "?"; an overlong form is one replacement, not what it
    // spells; a character cut short by the end of the file ends the line.
    EXPECT_EQ(AllLines("\xEF\xBB\xBFtitle|1\nab\0cd\n"s), (Lines{u"\uFEFFtitle|1", u"ab", u"cd"}));
    EXPECT_EQ(AllLines("a\x80z\n\xC3\nb\xF8z\n\xF4\x90\x80\x80z\nA\xC0\x80z\xE0\x80\x8A\nab\xE2\x82"),
              (Lines{u"a?z", u"?", u"b?z", u"?z", u"A\uFFFDz\uFFFD", u"ab"}));
}

TEST_F(FilesTest, ReadLineLengthCountsCharactersAndFlagsApplyToOneCall)
{
    Open("h\xC3\xA9llo \xF0\x9F\x98\x80!\nA\xC0\x80z\nend\r\nx\ny");
    EXPECT_EQ((Lines{ReadLine(0, 0, 3), ReadLine(0, 0, 4), ReadLine(0, 0, 0), ReadLine(0), ReadLine(0, 0, 2),
                     ReadLine(0), ReadLine(0, ReadKeepLineEnds, 5), ReadLine(0, ReadKeepLineEnds)}),
              (Lines{u"h\u00E9l", u"lo \U0001F600", u"", u"!", u"A\uFFFD", u"z", u"end\r\n", u"x\ny"}));
    // The flags' format overrides the file's for one call.
    Open(StringToBytes(u"wide\n", FormatUtf16) + "narrow\n");
    EXPECT_EQ(ReadLine(0, FormatUtf16), u"wide");
    EXPECT_EQ(ReadLine(0), u"narrow");
}

} // namespace
