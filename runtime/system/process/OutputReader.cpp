#include "runtime/system/process/OutputReader.h"

#include "runtime/system/strings/StringBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace nevalon::system {

OutputReader::OutputReader(Descriptor pipeEnd) : stream(std::move(pipeEnd))
{
    const int flags = fcntl(stream.Get(), F_GETFL);
    if (flags >= 0) fcntl(stream.Get(), F_SETFL, flags | O_NONBLOCK);
}

void OutputReader::MoveOverflowIntoRing()
{
    while (overflowRead < overflow.size() && buffered < kRingSize) {
        const int64_t stretch =
            writePosition >= readPosition ? kRingSize - writePosition : readPosition - writePosition;
        const int64_t count = std::min<int64_t>(stretch, overflow.size() - overflowRead);
        std::memcpy(ring.data() + writePosition, overflow.data() + overflowRead, count);
        overflowRead += count;
        writePosition = (writePosition + count) % kRingSize;
        buffered += count;
    }
    if (overflowRead == overflow.size() && !overflow.empty()) {
        std::string().swap(overflow);
        overflowRead = 0;
    }
}

void OutputReader::Fill()
{
    MoveOverflowIntoRing();
    // Until the overflow is drained, newer bytes in the pipe must wait behind it.
    if (!overflow.empty()) return;
    while (!ended && buffered < kRingSize) {
        const int64_t stretch =
            writePosition >= readPosition ? kRingSize - writePosition : readPosition - writePosition;
        const ssize_t got = read(stream.Get(), ring.data() + writePosition, stretch);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (got <= 0) {
            ended = true;
            return;
        }
        writePosition = (writePosition + got) % kRingSize;
        buffered += got;
        if (got < stretch) return;
    }
}

int64_t OutputReader::Take(unsigned char* buffer, int64_t n)
{
    const int64_t count = std::min(n, buffered);
    const int64_t first = std::min(count, kRingSize - readPosition);
    std::memcpy(buffer, ring.data() + readPosition, first);
    std::memcpy(buffer + first, ring.data(), count - first);
    readPosition = (readPosition + count) % kRingSize;
    buffered -= count;
    return count;
}

int64_t OutputReader::Available()
{
    if (buffered == 0) Fill();
    return buffered + static_cast<int64_t>(overflow.size() - overflowRead);
}

void OutputReader::Gather()
{
    Fill();
    if (buffered < kRingSize) return;
    constexpr size_t kChunk = 65536;
    while (!ended) {
        const size_t held = overflow.size();
        overflow.resize(held + kChunk);
        const ssize_t got = read(stream.Get(), overflow.data() + held, kChunk);
        overflow.resize(held + std::max<ssize_t>(got, 0));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (got <= 0) ended = true;
    }
}

int64_t OutputReader::Read(void* buffer, int64_t n)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    int64_t done = 0;
    while (done < n) {
        if (buffered == 0) {
            Fill();
            if (buffered == 0 && ended) break;
            if (buffered == 0) {
                // Sleeps up to 5 ms, less when bytes or the end arrive sooner.
                pollfd ready{stream.Get(), POLLIN, 0};
                poll(&ready, 1, 5);
                continue;
            }
        }
        done += Take(bytes + done, n - done);
    }
    return done;
}

int64_t OutputReader::ReadByte()
{
    unsigned char byte = 0;
    if (Available() == 0) return -1;
    Take(&byte, 1);
    return byte;
}

int64_t OutputReader::ReadCharacter()
{
    if (Available() == 0) return -1;
    const unsigned char lead = Peek(0);
    const int64_t length = std::max(Utf8SequenceLength(lead), 1);
    // A byte that cannot start a character reads as a space; a lead byte keeps the bits below its marker.
    int64_t value = Utf8SequenceLength(lead) == 0 ? 32 : lead & (0xFF >> (length == 1 ? 0 : length + 1));
    if (buffered < length) Fill();
    // A character split across two writes of the program stays in the ring until it is whole.
    if (buffered < length) {
        if (ended) {
            readPosition = writePosition;
            buffered = 0;
        }
        return -1;
    }
    for (int64_t i = 1; i < length; ++i)
        value = (value << 6) | (Peek(i) & 0x3F);
    readPosition = (readPosition + length) % kRingSize;
    buffered -= length;
    if (value <= 0xFFFF) return value;
    const auto point = static_cast<uint32_t>(value);
    return int64_t{HighSurrogate(point)} | (int64_t{LowSurrogate(point)} << 16);
}

bool OutputReader::EndOfOutput()
{
    Fill();
    return buffered == 0 && ended;
}

} // namespace nevalon::system
