#include "runtime/system/files/FileObject.h"

#include "runtime/system/files/WriteHoldingSignal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace nevalon::system {
namespace {

int64_t ReadFully(int stream, unsigned char* into, int64_t count)
{
    int64_t done = 0;
    while (done < count) {
        ssize_t got = read(stream, into + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += got;
    }
    return done;
}

// A write past the user's file-size limit fails like one to a full disk, instead of ending the
// program with SIGXFSZ.
int64_t WriteFully(FileObject& file, const unsigned char* bytes, int64_t count)
{
    const int64_t done = WriteHoldingSignal(file.stream, bytes, count, SIGXFSZ, EFBIG);
    if (done > 0) file.unsynced = true;
    if (done < count) file.failed = true;
    return done;
}

bool WriteOutBuffer(FileObject& file)
{
    if (!file.buffer || file.direction != 0) return !file.failed;
    int64_t pending = file.bufferSize - file.remaining;
    file.remaining = file.bufferSize;
    return WriteFully(file, file.buffer.get(), pending) == pending && !file.failed;
}

} // namespace

bool StartReading(FileObject& file)
{
    if (!file.buffer || file.direction == 1) return true;
    bool written = WriteOutBuffer(file);
    file.direction = 1;
    file.remaining = 0;
    file.filled = 0;
    return written;
}

int64_t ReadBytes(FileObject& file, void* into, int64_t count)
{
    auto* target = static_cast<unsigned char*>(into);
    if (count <= 0) return 0;
    if (!file.buffer) return ReadFully(file.stream, target, count);
    StartReading(file);
    int64_t done = std::min<int64_t>(count, file.remaining);
    std::memcpy(target, file.buffer.get() + file.filled - file.remaining, done);
    file.remaining -= done;
    if (done == count) return done;
    if (count - done >= file.bufferSize) {
        file.filled = 0;
        return done + ReadFully(file.stream, target + done, count - done);
    }
    while (done < count) {
        file.filled = file.remaining = ReadFully(file.stream, file.buffer.get(), file.bufferSize);
        if (file.filled == 0) break;
        int64_t part = std::min<int64_t>(count - done, file.remaining);
        std::memcpy(target + done, file.buffer.get(), part);
        file.remaining -= part;
        done += part;
    }
    return done;
}

int NextByteSlow(FileObject& file)
{
    unsigned char byte = 0;
    return ReadBytes(file, &byte, 1) == 1 ? byte : -1;
}

void GiveBack(FileObject& file, int32_t count)
{
    if (file.buffer && file.direction == 1 && file.filled - file.remaining >= count) {
        file.remaining += count;
        return;
    }
    // The bytes left the buffer with an earlier refill: move the descriptor instead.
    lseek(file.stream, -static_cast<off_t>(count + file.remaining), SEEK_CUR);
    file.remaining = 0;
    file.filled = 0;
}

int64_t WriteBytes(FileObject& file, const void* bytes, int64_t count)
{
    const auto* source = static_cast<const unsigned char*>(bytes);
    if (file.readOnly || file.failed || count <= 0) return 0;
    if (!file.buffer) return WriteFully(file, source, count);
    if (file.direction == 1) {
        // Unread read-ahead is given back so that writing continues at the logical position.
        if (file.remaining > 0) lseek(file.stream, -static_cast<off_t>(file.remaining), SEEK_CUR);
        file.direction = 0;
        file.remaining = file.bufferSize;
        file.filled = 0;
    }
    if (count < file.remaining) {
        std::memcpy(file.buffer.get() + file.bufferSize - file.remaining, source, count);
        file.remaining -= count;
        return count;
    }
    if (!WriteOutBuffer(file)) return 0;
    if (count >= file.bufferSize) return WriteFully(file, source, count);
    std::memcpy(file.buffer.get(), source, count);
    file.remaining -= count;
    return count;
}

bool CloseStream(FileObject& file)
{
    bool ok = WriteOutBuffer(file);
    // errno is left as the first failure set it: the reason a caller reports.
    int error = ok ? 0 : errno;
    // Devices and pipes cannot be synced; that is not a lost write.
    if (file.unsynced && fsync(file.stream) != 0 && errno != EINVAL && errno != EROFS && ok) {
        ok = false;
        error = errno;
    }
    if (close(file.stream) != 0 && errno != EINTR && ok) {
        ok = false;
        error = errno;
    }
    file.stream = -1;
    file.buffer.reset();
    file.remaining = file.filled = 0;
    if (!ok) errno = error;
    return ok;
}

} // namespace nevalon::system
