#pragma once

#include "runtime/system/process/Descriptor.h"

#include <array>
#include <cstdint>
#include <string>

namespace nevalon::system {

// Buffers what a program writes to a pipe in a ring, without ever blocking except in Read.
class OutputReader {
public:
    static constexpr int64_t kRingSize = 10240;

    // Takes the pipe's read end and makes it non-blocking.
    explicit OutputReader(Descriptor stream);

    // Bytes ready to read, overflow included; fills the ring first if it is empty.
    int64_t Available();
    // Takes everything the pipe holds now, keeping what the ring cannot hold in an overflow store read
    // after it; used while the caller waits for the program, which must never stall on a full pipe.
    void Gather();
    // Copies n bytes into buffer, waiting for them unless the output ends first; returns the count.
    int64_t Read(void* buffer, int64_t n);
    // The next byte, or -1 when none is ready or the output has ended.
    int64_t ReadByte();
    // The next UTF-8 character (a pair of surrogates packs the low one in the high 16 bits), 32 for a
    // byte that cannot start one, -1 when it is not all there yet or the output has ended.
    int64_t ReadCharacter();
    // True when nothing is buffered and the program has closed its end.
    bool EndOfOutput();
    // True once the program has closed its end (bytes may still be buffered).
    bool Ended() const { return ended; }
    // The pipe's read end.
    int Stream() const { return stream.Get(); }

private:
    void Fill();
    void MoveOverflowIntoRing();
    int64_t Take(unsigned char* buffer, int64_t n);
    unsigned char Peek(int64_t offset) const { return ring[(readPosition + offset) % kRingSize]; }

    Descriptor stream;
    bool ended = false;
    int64_t readPosition = 0;
    int64_t writePosition = 0;
    int64_t buffered = 0;
    std::array<unsigned char, kRingSize> ring;
    // Bytes that came after the ring was full; they follow the ring's bytes and precede the pipe's.
    std::string overflow;
    size_t overflowRead = 0;
};

} // namespace nevalon::system
