#pragma once

#include "runtime/system/process/Descriptor.h"
#include "runtime/system/process/OutputReader.h"

#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <sys/types.h>
#include <vector>

namespace nevalon::system {

// One program started with LaunchKeepHandle; its address is the caller's handle.
struct ProcessRecord {
    int32_t processId = 0;
    int32_t exitCode = -1;
    uint32_t flags = 0;
    std::unique_ptr<OutputReader> output;
    Descriptor input;
    std::unique_ptr<OutputReader> errors;
    // Tells this record apart from a later one that the allocator places at the same address.
    uint64_t serial = 0;
    bool running = true;
};

// The programs started with a handle. Every look-up and change happens under Mutex(); a record is
// reaped and written only while it is still in the table.
class ProcessTable {
public:
    std::recursive_mutex& Mutex() { return mutex; }

    // Adds the record at the head and returns its address.
    ProcessRecord* Add(ProcessRecord record);
    // The record with this handle, or null; the caller holds Mutex().
    ProcessRecord* Find(int64_t handle);
    // Reaps the program if it has ended and stores its exit code in the record, if the record is still
    // there; a program whose record was released is reaped all the same.
    void Collect(ProcessRecord* record, uint64_t serial, pid_t processId);
    // Removes one record, or every record for -1; 1 if something was removed, else 0.
    int64_t Release(int64_t handle);

private:
    ProcessRecord* Find(ProcessRecord* record, uint64_t serial);

    std::recursive_mutex mutex;
    std::list<ProcessRecord> records;
    // Programs whose record went while they ran; their wait thread still reaps them.
    std::vector<pid_t> orphans;
    uint64_t nextSerial = 1;
};

// The runner's one table. It is never destroyed, since detached wait threads may outlive main().
ProcessTable& Processes();

// The exit code of a wait status: the exit status, or 1 for a program ended by a signal.
int32_t ExitCodeFromStatus(int status);

// Waits, without holding the table's mutex, until the program ends, then collects it.
void WaitForExit(ProcessRecord* record, uint64_t serial, pid_t processId);

// Starts a detached thread that waits for the record's program; false if no thread could be started.
bool StartWaitThread(ProcessRecord* record);

} // namespace nevalon::system
