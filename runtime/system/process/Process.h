#pragma once

#include "runtime/system/process/LaunchFlags.h"
#include "runtime/system/process/LaunchProgram.h"
#include "runtime/system/process/ProgramRecords.h"
#include "runtime/system/process/ProgramStreams.h"

#include <cstdint>

namespace nevalon::system {

// Starts the program runner (its table of kept programs); 1.
int64_t InitProcess();

// Ends the program runner: every kept handle is released; the programs themselves run on.
void EndProcess();

} // namespace nevalon::system
