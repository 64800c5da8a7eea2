#pragma once

#include <cstdint>
#include <memory>

namespace nevalon::system {

// One open file: a descriptor and its own read/write buffer.
struct FileObject {
    int stream = -1;
    std::unique_ptr<unsigned char[]> buffer; // null when unbuffered
    int32_t bufferSize = 0;
    int32_t remaining = 0; // reading: buffered bytes not yet consumed; writing: free bytes
    int32_t filled = 0;    // bytes the last refill placed in the buffer
    int32_t direction = 1; // 1: read-ahead (or nothing) buffered; 0: written bytes buffered
    int32_t format = 2;
    int32_t readOnly = 0;
    bool failed = false;   // a write was refused: later writes and the close report failure
    bool unsynced = false; // bytes reached the descriptor but not yet the disk
};

// Reads up to `count` bytes through the buffer; fewer means the end of the file.
int64_t ReadBytes(FileObject& file, void* into, int64_t count);

// The next byte, or -1 at the end of the file.
int NextByteSlow(FileObject& file);
inline int NextByte(FileObject& file)
{
    if (file.direction == 1 && file.remaining > 0) return file.buffer[file.filled - file.remaining--];
    return NextByteSlow(file);
}

// Makes the last `count` bytes read unread again.
void GiveBack(FileObject& file, int32_t count);

// Writes `count` bytes through the buffer; the result is how many were accepted (0 once a write failed).
int64_t WriteBytes(FileObject& file, const void* bytes, int64_t count);

// Hands buffered written bytes to the descriptor and leaves the buffer ready for reading; false on failure.
bool StartReading(FileObject& file);

// Writes out the buffer, forces written data to the disk and closes; false if any of it failed.
bool CloseStream(FileObject& file);

} // namespace nevalon::system
