#pragma once

#include "runtime/system/process/ProcessTable.h"

#include <cstdint>
#include <sys/types.h>

namespace nevalon::system {

// Waits as WaitForExit does while taking in everything the program writes to the record's output and
// error pipes, so that a program writing more than a pipe holds cannot stall the wait. Only the thread
// that reads the record's output may call it.
void WaitForExitReading(ProcessRecord* record, uint64_t serial, pid_t processId);

} // namespace nevalon::system
