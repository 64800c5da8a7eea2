#include "runtime/system/process/ProgramStreams.h"

#include "runtime/system/files/WriteHoldingSignal.h"
#include "runtime/system/process/ProcessTable.h"
#include "runtime/system/strings/StringBytes.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace nevalon::system {

namespace {

// Records are released by the thread that reads them, so the reader outlives the lock.
OutputReader* ReaderOf(int64_t handle, int64_t pipe)
{
    ProcessTable& table = Processes();
    std::lock_guard lock(table.Mutex());
    ProcessRecord* record = table.Find(handle);
    if (record == nullptr) return nullptr;
    return pipe == ProgramErrors ? record->errors.get() : record->output.get();
}

int InputOf(int64_t handle)
{
    ProcessTable& table = Processes();
    std::lock_guard lock(table.Mutex());
    ProcessRecord* record = table.Find(handle);
    return record == nullptr ? -1 : record->input.Get();
}

} // namespace

int64_t AvailableProgramOutput(int64_t handle, int64_t pipe)
{
    OutputReader* reader = ReaderOf(handle, pipe);
    return reader == nullptr ? 0 : reader->Available();
}

int64_t ReadProgramOutput(int64_t handle, void* buffer, int64_t n, int64_t pipe)
{
    OutputReader* reader = ReaderOf(handle, pipe);
    return reader == nullptr || buffer == nullptr || n <= 0 ? 0 : reader->Read(buffer, n);
}

int64_t ReadProgramByte(int64_t handle, int64_t pipe)
{
    OutputReader* reader = ReaderOf(handle, pipe);
    return reader == nullptr ? -1 : reader->ReadByte();
}

int64_t ReadProgramCharacter(int64_t handle, int64_t pipe)
{
    OutputReader* reader = ReaderOf(handle, pipe);
    return reader == nullptr ? -1 : reader->ReadCharacter();
}

int64_t ProgramOutputEnded(int64_t handle, int64_t pipe)
{
    OutputReader* reader = ReaderOf(handle, pipe);
    return reader == nullptr || reader->EndOfOutput() ? 1 : 0;
}

int64_t WriteProgramInput(int64_t handle, const void* data, int64_t n)
{
    const int fd = InputOf(handle);
    if (fd < 0 || data == nullptr || n <= 0) return 0;
    // A program that stopped reading must not end the caller with SIGPIPE.
    return WriteHoldingSignal(fd, static_cast<const unsigned char*>(data), n, SIGPIPE, EPIPE);
}

int64_t WriteProgramString(int64_t handle, const String& text)
{
    const std::string bytes = StringToUtf8(text);
    return WriteProgramInput(handle, bytes.data(), static_cast<int64_t>(bytes.size()));
}

int64_t CloseProgramInput(int64_t handle)
{
    ProcessTable& table = Processes();
    std::lock_guard lock(table.Mutex());
    ProcessRecord* record = table.Find(handle);
    if (record == nullptr || !record->input) return 0;
    record->input.Reset();
    return 1;
}

} // namespace nevalon::system
