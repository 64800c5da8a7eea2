#include "runtime/system/process/ReadingWait.h"

#include <cerrno>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nevalon::system {

namespace {

// A descriptor that becomes readable when the program ends, or -1 where the kernel has none. Called
// through syscall(), since some C libraries declare pidfd_open without C linkage for C++.
int ExitNotice(pid_t processId)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, processId, 0));
#else
    return -1;
#endif
}

bool HasEnded(pid_t processId)
{
    siginfo_t info{};
    int result = 0;
    // WNOWAIT leaves the ended program for Collect to reap under the table's mutex.
    do {
        result = waitid(P_PID, processId, &info, WEXITED | WNOHANG | WNOWAIT);
    } while (result != 0 && errno == EINTR);
    return result != 0 || info.si_pid == processId;
}

} // namespace

void WaitForExitReading(ProcessRecord* record, uint64_t serial, pid_t processId)
{
    OutputReader* readers[2] = {};
    {
        ProcessTable& table = Processes();
        std::lock_guard lock(table.Mutex());
        ProcessRecord* found = table.Find(reinterpret_cast<int64_t>(record));
        if (found != nullptr && found->serial == serial) {
            readers[0] = found->output.get();
            readers[1] = found->errors.get();
        }
    }
    if (readers[0] == nullptr && readers[1] == nullptr) return WaitForExit(record, serial, processId);

    // Without an exit notice the loop looks again every 5 ms.
    const Descriptor exitNotice(ExitNotice(processId));
    while (true) {
        pollfd watched[3];
        nfds_t count = 0;
        for (OutputReader* reader : readers) {
            if (reader == nullptr) continue;
            reader->Gather();
            if (!reader->Ended()) watched[count++] = {reader->Stream(), POLLIN, 0};
        }
        if (HasEnded(processId)) break;
        if (exitNotice) watched[count++] = {exitNotice.Get(), POLLIN, 0};
        poll(watched, count, exitNotice ? -1 : 5);
    }
    // What the program wrote just before it ended.
    for (OutputReader* reader : readers)
        if (reader != nullptr) reader->Gather();
    WaitForExit(record, serial, processId);
}

} // namespace nevalon::system
