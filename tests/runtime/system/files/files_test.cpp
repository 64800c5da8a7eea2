#include "runtime/system/TempDirectory.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/strings/Strings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace nevalon::system;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void TearDown() override { CloseFile(-1); }
    String PathOf(const std::string& name) const { return StringFromUtf8(dir.Path(name)); }

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
    const String text = u"Caf\u00E9 \u20AC \U0001F600";
    const std::pair<int64_t, String> cases[] = {
        {FormatUtf8, text}, {FormatUtf16, text}, {FormatAscii, u"Caf\u00E9  "}};
    for (const auto& [format, expected] : cases) {
        ASSERT_NE(CreateFile(1, PathOf("f"), format), 0);
        WriteLine(1, text);
        WriteText(1, text);
        ASSERT_NE(OpenFileReadOnly(1, PathOf("f"), format), 0);
        EXPECT_EQ(WriteText(1, u"x") + WriteLine(1, u"x"), 0);
        EXPECT_EQ(ReadLine(1), expected) << format;
        EXPECT_EQ(ReadLine(1), expected) << format;
        EXPECT_EQ(AtEndOfFile(1), 1) << format;
    }
    EXPECT_EQ(CloseFile(1), 1);
    EXPECT_EQ(FileBytes(dir.Path("f")), "Caf\xE9  \nCaf\xE9  ");
}

TEST_F(FilesTest, ReadingAndWritingContinueAtTheLogicalPosition)
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
}

TEST_F(FilesTest, OpenFileKeepsTheContentAndAppendsOnRequest)
{
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
    WriteText(handle, u"D");
    WriteText(0, u"A");
    WriteText(40, u"B");
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

TEST_F(FilesTest, OpeningFailsForWhatCannotBeOpenedAndFreesTheNumber)
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
}

TEST_F(FilesTest, RefusedWritesAreReportedAsFailure)
{
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

} // namespace
