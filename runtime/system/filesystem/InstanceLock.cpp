#include "runtime/system/filesystem/InstanceLock.h"

#include "runtime/system/filesystem/Folders.h"
#include "runtime/system/strings/Strings.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace nevalon::system {

int64_t HoldInstanceLock(const String& name)
{
    const String folder = RuntimeDirectory();
    if (folder.empty()) return -1;
    // flock, not a file that exists while running: the kernel drops it when the process dies.
    const int fd = open(StringToUtf8(folder + name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd + 1;
    const bool taken = errno == EWOULDBLOCK;
    close(fd);
    return taken ? 0 : -1;
}

void ReleaseInstanceLock(int64_t lock)
{
    if (lock > 0) close(static_cast<int>(lock - 1));
}

} // namespace nevalon::system
