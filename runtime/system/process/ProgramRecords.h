#pragma once

#include <cstdint>

namespace nevalon::system {

// 1 while the program of a LaunchKeepHandle handle runs, else 0 (also for an unknown handle).
int64_t ProgramRunning(int64_t handle);

// The program's exit code (1 if a signal ended it); -1 while it runs or for an unknown handle.
int64_t ProgramExitCode(int64_t handle);

// The program's process id, or 0 for an unknown handle.
int64_t ProgramId(int64_t handle);

// Waits until the program ends, taking in its piped output meanwhile, and returns ProgramExitCode.
int64_t WaitProgram(int64_t handle);

// Asks the running program to end (SIGTERM); 1 if asked, else 0.
int64_t StopProgram(int64_t handle);

// Forgets the handle, closing its pipes; -1 forgets every handle. A program still running goes on and
// is reaped when it ends. 1 if something was released, else 0.
int64_t ReleaseProgram(int64_t handle);

} // namespace nevalon::system
