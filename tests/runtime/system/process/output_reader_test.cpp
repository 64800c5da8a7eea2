#include "runtime/system/process/OutputReader.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>

using namespace nevalon::system;

namespace {

// An OutputReader on a pipe whose write end the test holds.
class OutputReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Descriptor readEnd;
        ASSERT_TRUE(CreatePipe(readEnd, writeEnd));
        reader = std::make_unique<OutputReader>(std::move(readEnd));
    }
    void Send(const std::string& bytes) const
    {
        ASSERT_EQ(write(writeEnd.Get(), bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    std::string Read(int64_t n) const
    {
        std::string bytes(n, '\0');
        bytes.resize(reader->Read(bytes.data(), n));
        return bytes;
    }
    static std::string Pattern(size_t from, size_t count)
    {
        std::string bytes;
        for (size_t i = from; i < from + count; ++i)
            bytes += static_cast<char>('a' + (i * 7 + i / 26) % 26);
        return bytes;
    }

    Descriptor writeEnd;
    std::unique_ptr<OutputReader> reader;
};

TEST_F(OutputReaderTest, ReadWaitsForMoreThanTheRingHoldsAndKeepsTheOrder)
{
    const std::string sent = Pattern(0, 3 * OutputReader::kRingSize + 123);
    std::thread writer([&] {
        for (size_t at = 0; at < sent.size(); at += 1000)
            Send(sent.substr(at, 1000));
        writeEnd.Reset();
    });
    const std::string got = Read(sent.size() + 10);
    writer.join();
    EXPECT_TRUE(got == sent);
    EXPECT_EQ(Read(10), "");
    EXPECT_TRUE(reader->EndOfOutput());
}

TEST_F(OutputReaderTest, RingWrapsAroundItsEndAndStopsWhenFull)
{
    Send(Pattern(0, 8000));
    EXPECT_EQ(reader->Available(), 8000);
    EXPECT_EQ(Read(6000), Pattern(0, 6000));
    Send(Pattern(8000, 8000));
    EXPECT_EQ(reader->Available(), 2000) << "bytes still buffered are reported without reading more";
    EXPECT_EQ(Read(2000 + 8000), Pattern(6000, 10000));
    Send(Pattern(16000, 12000));
    EXPECT_EQ(reader->Available(), OutputReader::kRingSize);
    writeEnd.Reset();
    EXPECT_FALSE(reader->EndOfOutput());
    EXPECT_EQ(Read(20000), Pattern(16000, 12000));
    EXPECT_TRUE(reader->EndOfOutput());
}

TEST_F(OutputReaderTest, ByteAndCharacterReadsNeverWait)
{
    EXPECT_EQ(reader->ReadByte() + reader->ReadCharacter(), -2);
    EXPECT_FALSE(reader->EndOfOutput());
    Send(Pattern(0, OutputReader::kRingSize - 3));
    EXPECT_EQ(Read(OutputReader::kRingSize - 3), Pattern(0, OutputReader::kRingSize - 3));
    // The third character crosses the ring's end; a pair packs its high surrogate in the low half.
    Send("\xFF\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80\xF8Z\xE2\x82");
    EXPECT_EQ(reader->ReadByte(), 0xFF);
    for (int64_t expected : std::initializer_list<int64_t>{0xE9, 0x20AC, 0xDE00D83D, ' ', ' ', 'Z', -1})
        EXPECT_EQ(reader->ReadCharacter(), expected);
    Send("\xAC\xC3");
    EXPECT_EQ(reader->ReadCharacter(), 0x20AC) << "a character split across writes is read whole";
    writeEnd.Reset();
    EXPECT_EQ(reader->ReadCharacter(), -1) << "cut off by the end, the rest can never come";
    EXPECT_TRUE(reader->EndOfOutput());
    EXPECT_EQ(reader->ReadByte(), -1);
}

} // namespace
