#include "runtime/system/process/ProgramRecords.h"

#include "runtime/system/process/ProcessTable.h"
#include "runtime/system/process/ReadingWait.h"

#include <signal.h>

namespace nevalon::system {

namespace {

// Looks the record up, reaping its program first if it has ended; false for an unknown handle.
bool Snapshot(int64_t handle, ProcessRecord& copy)
{
    ProcessTable& table = Processes();
    std::lock_guard lock(table.Mutex());
    ProcessRecord* record = table.Find(handle);
    if (record == nullptr) return false;
    table.Collect(record, record->serial, record->processId);
    copy.processId = record->processId;
    copy.exitCode = record->exitCode;
    copy.serial = record->serial;
    copy.running = record->running;
    return true;
}

} // namespace

int64_t ProgramRunning(int64_t handle)
{
    ProcessRecord copy;
    return Snapshot(handle, copy) && copy.running ? 1 : 0;
}

int64_t ProgramExitCode(int64_t handle)
{
    ProcessRecord copy;
    return Snapshot(handle, copy) ? copy.exitCode : -1;
}

int64_t ProgramId(int64_t handle)
{
    ProcessRecord copy;
    return Snapshot(handle, copy) ? copy.processId : 0;
}

int64_t WaitProgram(int64_t handle)
{
    ProcessRecord copy;
    if (!Snapshot(handle, copy)) return -1;
    if (copy.running)
        WaitForExitReading(reinterpret_cast<ProcessRecord*>(handle), copy.serial, copy.processId);
    return ProgramExitCode(handle);
}

int64_t StopProgram(int64_t handle)
{
    ProcessTable& table = Processes();
    std::lock_guard lock(table.Mutex());
    ProcessRecord* record = table.Find(handle);
    if (record == nullptr) return 0;
    table.Collect(record, record->serial, record->processId);
    // Unreaped, the process id is still this program's.
    return record->running && kill(record->processId, SIGTERM) == 0 ? 1 : 0;
}

int64_t ReleaseProgram(int64_t handle)
{
    return Processes().Release(handle);
}

} // namespace nevalon::system
