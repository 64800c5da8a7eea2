#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// Which pipe of a kept program the reading operations use: its output or its errors.
inline constexpr int64_t ProgramOutput = 0;
inline constexpr int64_t ProgramErrors = 1;

// Bytes ready to read without waiting; 0 for a handle without that pipe.
int64_t AvailableProgramOutput(int64_t handle, int64_t pipe = ProgramOutput);

// Reads n bytes into buffer, waiting unless the output ends first; the count read.
int64_t ReadProgramOutput(int64_t handle, void* buffer, int64_t n, int64_t pipe = ProgramOutput);

// The next byte, or -1 when none is ready or the output has ended.
int64_t ReadProgramByte(int64_t handle, int64_t pipe = ProgramOutput);

// The next UTF-8 character as OutputReader::ReadCharacter gives it; -1 when none is ready or at the end.
int64_t ReadProgramCharacter(int64_t handle, int64_t pipe = ProgramOutput);

// 1 when everything the program wrote has been read and it closed the pipe (or there is none), else 0.
int64_t ProgramOutputEnded(int64_t handle, int64_t pipe = ProgramOutput);

// Writes n bytes to the program's input; the count written (short when the program stopped reading).
int64_t WriteProgramInput(int64_t handle, const void* data, int64_t n);

// Writes text to the program's input as UTF-8; the bytes written.
int64_t WriteProgramString(int64_t handle, const String& text);

// Closes the program's input so that it reads the end; 1 if there was an input to close, else 0.
int64_t CloseProgramInput(int64_t handle);

} // namespace nevalon::system
