#include "runtime/system/process/OutputReader.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>

using nevalon::system::CreatePipe;
using nevalon::system::Descriptor;
using nevalon::system::OutputReader;

namespace {

// A pipe whose read end feeds an OutputReader and whose write end the test writes to.
struct PipeFeed {
    PipeFeed()
    {
        Descriptor readEnd;
        EXPECT_TRUE(CreatePipe(readEnd, writeEnd));
        reader = std::make_unique<OutputReader>(std::move(readEnd));
    }
    void Send(const std::string& bytes) const
    {
        ASSERT_EQ(write(writeEnd.Get(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string Read(int64_t n) const
    {
        std::string bytes(n, '\0');
        bytes.resize(reader->Read(bytes.data(), n));
        return bytes;
    }

    Descriptor writeEnd;
    std::unique_ptr<OutputReader> reader;
};

std::string Pattern(size_t from, size_t count)
{
    std::string bytes;
    for (size_t i = from; i < from + count; ++i)
        bytes += static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

} // namespace

TEST(OutputReader, ReadsMoreThanTheRingHoldsInOrder)
{
    PipeFeed feed;
    const std::string sent = Pattern(0, 3 * OutputReader::kRingSize + 123);
    std::thread writer([&] {
        for (size_t at = 0; at < sent.size(); at += 1000)
            feed.Send(sent.substr(at, 1000));
        feed.writeEnd.Reset();
    });
    const std::string got = feed.Read(sent.size() + 10);
    writer.join();
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent);
    EXPECT_EQ(feed.Read(10), "");
    EXPECT_TRUE(feed.reader->EndOfOutput());
}

TEST(OutputReader, RingWrapsAroundItsEndAndStopsWhenFull)
{
    PipeFeed feed;
    feed.Send(Pattern(0, 8000));
    EXPECT_EQ(feed.reader->Available(), 8000);
    EXPECT_EQ(feed.Read(6000), Pattern(0, 6000));
    feed.Send(Pattern(8000, 8000));
    // Bytes still buffered are reported without reading more.
    EXPECT_EQ(feed.reader->Available(), 2000);
    EXPECT_EQ(feed.Read(2000 + 8000), Pattern(6000, 10000));

    feed.Send(Pattern(16000, 12000));
    EXPECT_EQ(feed.reader->Available(), OutputReader::kRingSize);
    feed.writeEnd.Reset();
    EXPECT_FALSE(feed.reader->EndOfOutput());
    EXPECT_EQ(feed.Read(20000), Pattern(16000, 12000));
    EXPECT_TRUE(feed.reader->EndOfOutput());
}

TEST(OutputReader, ByteReadsNeverWaitAndEndAtTheEnd)
{
    PipeFeed feed;
    EXPECT_EQ(feed.reader->Available(), 0);
    EXPECT_EQ(feed.reader->ReadByte(), -1);
    EXPECT_EQ(feed.reader->ReadCharacter(), -1);
    EXPECT_FALSE(feed.reader->EndOfOutput());

    feed.Send("A\xff");
    EXPECT_EQ(feed.reader->Available(), 2);
    EXPECT_EQ(feed.reader->ReadByte(), 'A');
    EXPECT_EQ(feed.reader->ReadByte(), 0xff);
    EXPECT_EQ(feed.reader->ReadByte(), -1);
    EXPECT_FALSE(feed.reader->EndOfOutput());

    feed.Send("B");
    feed.writeEnd.Reset();
    EXPECT_FALSE(feed.reader->EndOfOutput());
    EXPECT_EQ(feed.reader->ReadByte(), 'B');
    EXPECT_TRUE(feed.reader->EndOfOutput());
    EXPECT_EQ(feed.reader->ReadByte(), -1);
}

TEST(OutputReader, ReadCharacterDecodesUtf8)
{
    PipeFeed feed;
    feed.Send("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80\xF8Z");
    EXPECT_EQ(feed.reader->ReadCharacter(), 'A');
    EXPECT_EQ(feed.reader->ReadCharacter(), 0xE9);
    EXPECT_EQ(feed.reader->ReadCharacter(), 0x20AC);
    // The pair D83D DE00, high surrogate in the low half.
    EXPECT_EQ(feed.reader->ReadCharacter(), 0xDE00D83D);
    EXPECT_EQ(feed.reader->ReadCharacter(), ' ');
    EXPECT_EQ(feed.reader->ReadCharacter(), ' ');
    EXPECT_EQ(feed.reader->ReadCharacter(), 'Z');
    feed.writeEnd.Reset();
    EXPECT_EQ(feed.reader->ReadCharacter(), -1);
}

TEST(OutputReader, CharacterSplitAcrossWritesIsReadWhole)
{
    PipeFeed feed;
    feed.Send("\xE2\x82");
    EXPECT_EQ(feed.reader->ReadCharacter(), -1);
    feed.Send("\xAC");
    EXPECT_EQ(feed.reader->ReadCharacter(), 0x20AC);

    // Cut off by the end, the rest of a character can never come.
    feed.Send("\xC3");
    feed.writeEnd.Reset();
    EXPECT_EQ(feed.reader->ReadCharacter(), -1);
    EXPECT_TRUE(feed.reader->EndOfOutput());
}

TEST(OutputReader, CharacterAcrossTheRingsEndIsDecoded)
{
    PipeFeed feed;
    const std::string filler = Pattern(0, OutputReader::kRingSize - 1);
    feed.Send(filler);
    EXPECT_EQ(feed.Read(filler.size()), filler);
    feed.Send("\xE2\x82\xAC");
    EXPECT_EQ(feed.reader->ReadCharacter(), 0x20AC);
}
