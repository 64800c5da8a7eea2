#include "runtime/system/process/Descriptor.h"

#include <fcntl.h>
#include <unistd.h>

namespace nevalon::system {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) Reset(other.Release());
    return *this;
}

int Descriptor::Release()
{
    const int held = fd;
    fd = -1;
    return held;
}

void Descriptor::Reset(int newFd)
{
    if (fd >= 0) close(fd);
    fd = newFd;
}

namespace {

// A pipe end on 0, 1 or 2 (the application closed a standard stream) would be overwritten when the
// child sets up its own standard streams, so it is moved up.
bool MoveAboveStandard(Descriptor& end)
{
    if (end.Get() > 2) return true;
    const int moved = fcntl(end.Get(), F_DUPFD_CLOEXEC, 3);
    if (moved < 0) return false;
    end.Reset(moved);
    return true;
}

} // namespace

bool CreatePipe(Descriptor& readEnd, Descriptor& writeEnd)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    readEnd.Reset(ends[0]);
    writeEnd.Reset(ends[1]);
    if (MoveAboveStandard(readEnd) && MoveAboveStandard(writeEnd)) return true;
    readEnd.Reset();
    writeEnd.Reset();
    return false;
}

} // namespace nevalon::system
