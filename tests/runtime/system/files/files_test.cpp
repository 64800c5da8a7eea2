#include "runtime/system/files/Files.h"
#include "runtime/system/files/TempDirectory.h"
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

TEST_F(FilesTest, WriteLineAndWriteTextBytes)
{
    ASSERT_EQ(CreateFile(0, PathOf("out")), 1);
    EXPECT_EQ(WriteLine(0, u""), 1);
    EXPECT_EQ(WriteText(0, u""), 0);
    EXPECT_EQ(WriteText(0, u"\uFEFFn\u00E9", 2), 6);
    EXPECT_EQ(WriteLine(0, u"\U0001F600"), 5);
    EXPECT_EQ(CloseFile(0), 1);
    EXPECT_EQ(FileBytes(dir.Path("out")), "\n\xEF\xBB\xBFn\xC3\xA9\xF0\x9F\x98\x80\n");
}

TEST_F(FilesTest, ThreeFormatsRoundTrip)
{
    const String text = u"Caf\u00E9 \u20AC \U0001F600";
    const std::pair<int64_t, String> cases[] = {
        {FormatUtf8, text}, {FormatUtf16, text}, {FormatAscii, u"Caf\u00E9  "}};
    for (const auto& [format, expected] : cases) {
        ASSERT_NE(CreateFile(1, PathOf("f"), format), 0);
        WriteLine(1, text);
        WriteText(1, text);
        ASSERT_EQ(CloseFile(1), 1);
        ASSERT_NE(OpenFileReadOnly(1, PathOf("f"), format), 0);
        EXPECT_EQ(ReadLine(1), expected) << format;
        EXPECT_EQ(ReadLine(1), expected) << format;
        EXPECT_EQ(AtEndOfFile(1), 1) << format;
    }
    EXPECT_EQ(FileBytes(dir.Path("f")), "Caf\xE9  \nCaf\xE9  ");
}

TEST_F(FilesTest, ReadingAfterWritingContinuesAtLogicalPosition)
{
    for (int64_t flags : {int64_t{0}, FileNoBuffering}) {
        PutFile(dir.Path("f"), "line1\nline2\nline3\n");
        ASSERT_NE(OpenFile(2, PathOf("f"), flags), 0);
        EXPECT_EQ(ReadLine(2), u"line1");
        // Writing after reading lands where the reading stopped, not at the end of the read-ahead.
        EXPECT_EQ(WriteText(2, u"LI"), 2);
        // Reading after writing sees the bytes after the written ones.
        EXPECT_EQ(ReadLine(2), u"ne2");
        EXPECT_EQ(WriteLine(2, u"L3"), 3);
        EXPECT_EQ(ReadLine(2), u"e3");
        EXPECT_EQ(AtEndOfFile(2), 1);
        EXPECT_EQ(CloseFile(2), 1);
        EXPECT_EQ(FileBytes(dir.Path("f")), "line1\nLIne2\nL3\ne3\n");
    }
}

TEST_F(FilesTest, TransfersAsLargeAsTheBufferKeepTheirOrder)
{
    const String big(FileBufferSize + 10, u'b');
    ASSERT_NE(CreateFile(0, PathOf("f")), 0);
    WriteText(0, u"small ");
    EXPECT_EQ(WriteText(0, big), FileBufferSize + 10);
    WriteLine(0, u" tail");
    WriteLine(0, u"next");
    ASSERT_EQ(CloseFile(0), 1);
    ASSERT_NE(OpenFileReadOnly(0, PathOf("f")), 0);
    EXPECT_EQ(ReadLine(0), u"small " + big + u" tail");
    EXPECT_EQ(ReadLine(0), u"next");
}

TEST_F(FilesTest, OpenFileKeepsContentAndAppends)
{
    PutFile(dir.Path("f"), "old\n");
    ASSERT_EQ(OpenFile(0, PathOf("f"), FileAppend), 1);
    WriteLine(0, u"new");
    CloseFile(0);
    EXPECT_EQ(FileBytes(dir.Path("f")), "old\nnew\n");

    ASSERT_EQ(OpenFile(0, PathOf("f")), 1);
    WriteText(0, u"OL");
    CloseFile(0);
    EXPECT_EQ(FileBytes(dir.Path("f")), "OLd\nnew\n");

    ASSERT_EQ(OpenFile(0, PathOf("created")), 1);
    EXPECT_EQ(AtEndOfFile(0), 1);
}

TEST_F(FilesTest, ReopeningAnOpenNumberClosesTheOldFileFirst)
{
    ASSERT_EQ(CreateFile(3, PathOf("a")), 1);
    WriteText(3, u"kept");
    ASSERT_EQ(CreateFile(3, PathOf("b")), 1);
    EXPECT_EQ(FileBytes(dir.Path("a")), "kept");
    EXPECT_EQ(IsFileOpen(3), 1);

    const int64_t handle = CreateFile(-1, PathOf("c"));
    ASSERT_NE(handle, 0);
    EXPECT_EQ(IsFileOpen(handle), 1);
    WriteText(handle, u"also kept");
    EXPECT_EQ(OpenFile(handle, PathOf("d")), handle);
    EXPECT_EQ(FileBytes(dir.Path("c")), "also kept");

    // A failed reopening leaves the number free.
    EXPECT_EQ(OpenFileReadOnly(3, PathOf("missing")), 0);
    EXPECT_EQ(IsFileOpen(3), 0);
    EXPECT_EQ(OpenFileReadOnly(handle, PathOf("missing")), 0);
    EXPECT_EQ(IsFileOpen(handle), 0);
}

TEST_F(FilesTest, CloseFileMinusOneClosesEveryFile)
{
    const int64_t handle = CreateFile(-1, PathOf("d"));
    ASSERT_NE(handle, 0);
    ASSERT_EQ(CreateFile(0, PathOf("a")), 1);
    ASSERT_EQ(CreateFile(40, PathOf("b")), 1);
    WriteText(handle, u"D");
    WriteText(0, u"A");
    WriteText(40, u"B");
    EXPECT_EQ(CloseFile(-1), 1);
    EXPECT_EQ(IsFileOpen(handle) + IsFileOpen(0) + IsFileOpen(40), 0);
    EXPECT_EQ(FileBytes(dir.Path("a")) + FileBytes(dir.Path("b")) + FileBytes(dir.Path("d")), "ABD");

    ASSERT_EQ(CreateFile(1, PathOf("e")), 1);
    WriteText(1, u"E");
    EXPECT_EQ(EndFiles(), 1);
    EXPECT_EQ(FileBytes(dir.Path("e")), "E");
}

TEST_F(FilesTest, NumbersThatNameNothingDoNothing)
{
    ASSERT_EQ(CreateFile(5, PathOf("x")), 1);
    const int64_t notOpen[] = {4, 17, -1, -7, 123456789};
    for (int64_t number : notOpen) {
        EXPECT_EQ(IsFileOpen(number), 0) << number;
        EXPECT_EQ(WriteText(number, u"x"), 0) << number;
        EXPECT_EQ(WriteLine(number, u"x"), 0) << number;
        EXPECT_EQ(ReadLine(number), u"") << number;
        EXPECT_EQ(AtEndOfFile(number), 0) << number;
    }
    EXPECT_EQ(CloseFile(4), 0);
    EXPECT_EQ(CloseFile(123456789), 0);
    EXPECT_EQ(IsFileOpen(5), 1);
    EXPECT_EQ(CreateFile(-7, PathOf("y")), 0);
    EXPECT_EQ(CreateFile(int64_t{1} << 40, PathOf("y")), 0);
}

TEST_F(FilesTest, OpeningFailsForWhatCannotBeOpened)
{
    mkdir(dir.Path("sub").c_str(), 0700);
    mkfifo(dir.Path("fifo").c_str(), 0600);
    EXPECT_EQ(OpenFileReadOnly(-1, PathOf("sub")), 0);
    EXPECT_EQ(OpenFileReadOnly(-1, PathOf("missing")), 0);
    EXPECT_EQ(OpenFileReadOnly(-1, PathOf("fifo")), 0);
    EXPECT_EQ(OpenFileReadOnly(-1, u""), 0);
    EXPECT_EQ(CreateFile(-1, PathOf("sub")), 0);
    EXPECT_EQ(CreateFile(-1, PathOf("no/such/dir")), 0);
    EXPECT_EQ(OpenFile(-1, PathOf("sub")), 0);
    // A zero unit must not open the file named by the part before it.
    EXPECT_EQ(CreateFile(0, PathOf("cut") + String(1, u'\0') + u"off"), 0);
    EXPECT_EQ(FileBytes(dir.Path("cut")), "");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("cut")));
}

TEST_F(FilesTest, ReadOnlyFileAcceptsNoWrites)
{
    PutFile(dir.Path("f"), "data\n");
    ASSERT_NE(OpenFileReadOnly(0, PathOf("f")), 0);
    EXPECT_EQ(WriteText(0, u"x"), 0);
    EXPECT_EQ(WriteLine(0, u"x"), 0);
    EXPECT_EQ(ReadLine(0), u"data");
    EXPECT_EQ(CloseFile(0), 1);
    EXPECT_EQ(FileBytes(dir.Path("f")), "data\n");
}

TEST_F(FilesTest, RefusedWritesAreReportedAsFailure)
{
    // The buffered text fails only when it is written out: the close reports it.
    ASSERT_EQ(OpenFile(0, u"/dev/full"), 1);
    EXPECT_EQ(WriteLine(0, u"event"), 6);
    EXPECT_EQ(CloseFile(0), 0);

    ASSERT_EQ(OpenFile(0, u"/dev/full"), 1);
    EXPECT_EQ(WriteText(0, String(FileBufferSize, u'x')), 0);
    EXPECT_EQ(WriteText(0, u"after"), 0);
    EXPECT_EQ(CloseFile(0), 0);

    ASSERT_EQ(OpenFile(0, u"/dev/full", FileNoBuffering), 1);
    EXPECT_EQ(WriteLine(0, u"event"), 0);
    EXPECT_EQ(CloseFile(0), 0);

    ASSERT_EQ(OpenFile(0, u"/dev/full"), 1);
    ASSERT_EQ(CreateFile(1, PathOf("fine")), 1);
    WriteText(0, u"lost");
    WriteText(1, u"kept");
    EXPECT_EQ(CloseFile(-1), 0);
    EXPECT_EQ(FileBytes(dir.Path("fine")), "kept");
}

} // namespace
