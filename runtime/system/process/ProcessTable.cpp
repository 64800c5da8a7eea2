#include "runtime/system/process/ProcessTable.h"

#include <algorithm>
#include <cerrno>
#include <sys/wait.h>
#include <system_error>
#include <thread>

namespace nevalon::system {

ProcessRecord* ProcessTable::Add(ProcessRecord record)
{
    std::lock_guard lock(mutex);
    record.serial = nextSerial++;
    records.push_front(std::move(record));
    return &records.front();
}

ProcessRecord* ProcessTable::Find(int64_t handle)
{
    for (ProcessRecord& entry : records) {
        if (reinterpret_cast<int64_t>(&entry) == handle) return &entry;
    }
    return nullptr;
}

ProcessRecord* ProcessTable::Find(ProcessRecord* record, uint64_t serial)
{
    ProcessRecord* found = Find(reinterpret_cast<int64_t>(record));
    return found != nullptr && found->serial == serial ? found : nullptr;
}

void ProcessTable::Collect(ProcessRecord* record, uint64_t serial, pid_t processId)
{
    std::lock_guard lock(mutex);
    ProcessRecord* found = Find(record, serial);
    // Until it is reaped here, under the mutex, the process id cannot pass to another process.
    if (found != nullptr && !found->running) return;
    const auto orphan = std::find(orphans.begin(), orphans.end(), processId);
    if (found == nullptr && orphan == orphans.end()) return;

    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = waitpid(processId, &status, WNOHANG);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == 0) return;
    if (found == nullptr) {
        orphans.erase(orphan);
        return;
    }
    found->running = false;
    if (reaped == processId) found->exitCode = ExitCodeFromStatus(status);
}

int64_t ProcessTable::Release(int64_t handle)
{
    std::lock_guard lock(mutex);
    int64_t released = 0;
    for (auto entry = records.begin(); entry != records.end();) {
        if (handle != -1 && reinterpret_cast<int64_t>(&*entry) != handle) {
            ++entry;
            continue;
        }
        if (entry->running) orphans.push_back(entry->processId);
        entry = records.erase(entry);
        released = 1;
    }
    return released;
}

ProcessTable& Processes()
{
    static ProcessTable* table = new ProcessTable;
    return *table;
}

int32_t ExitCodeFromStatus(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

void WaitForExit(ProcessRecord* record, uint64_t serial, pid_t processId)
{
    siginfo_t info;
    // WNOWAIT leaves the ended program unreaped, so that Collect reaps it under the mutex.
    while (waitid(P_PID, processId, &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    Processes().Collect(record, serial, processId);
}

bool StartWaitThread(ProcessRecord* record)
{
    try {
        std::thread(WaitForExit, record, record->serial, record->processId).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace nevalon::system
