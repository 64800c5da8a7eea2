#include "runtime/system/process/LaunchProgram.h"

#include "runtime/system/process/ChildStart.h"
#include "runtime/system/process/ParameterSplit.h"
#include "runtime/system/process/ProcessTable.h"
#include "runtime/system/process/ProgramSearch.h"
#include "runtime/system/process/ReadingWait.h"
#include "runtime/system/strings/StringBytes.h"

#include <cerrno>
#include <sys/wait.h>

namespace nevalon::system {

namespace {

// The two ends of one pipe; the child's end is closed in the parent once the child has it.
struct Pipe {
    Descriptor parentEnd;
    Descriptor childEnd;
};

bool OpenPipe(Pipe& pipe, bool childReads)
{
    return childReads ? CreatePipe(pipe.childEnd, pipe.parentEnd) : CreatePipe(pipe.parentEnd, pipe.childEnd);
}

std::unique_ptr<OutputReader> ReaderOf(Pipe& pipe)
{
    return pipe.parentEnd ? std::make_unique<OutputReader>(std::move(pipe.parentEnd)) : nullptr;
}

// A zero byte would silently cut the text short in the child's C strings.
bool HoldsZero(const std::string& bytes)
{
    return bytes.find('\0') != std::string::npos;
}

int64_t LaunchUnkept(const ChildPlan& plan, int64_t flags)
{
    if (!(flags & LaunchWait)) return StartDetached(plan) < 0 ? 0 : 1;
    const pid_t child = StartChild(plan);
    if (child < 0) return 0;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return 1;
}

} // namespace

int64_t LaunchProgram(const String& name, const String& parameters, const String& directory, int64_t flags,
                      int64_t sender)
{
    ChildPlan plan;
    plan.arguments.push_back(StringToUtf8(name));
    if (!ProgramFound(plan.arguments[0])) return 0;
    const std::string parameterBytes = StringToUtf8(parameters);
    plan.directory = StringToUtf8(directory);
    // Running the program with its parameters cut short or in another directory would be worse than not
    // running it.
    if (HoldsZero(parameterBytes) || HoldsZero(plan.directory)) return 0;
    std::vector<std::string> split = SplitParameters(parameterBytes);
    if (split.size() > kMaxParameters) return 0;
    plan.arguments.insert(plan.arguments.end(), std::make_move_iterator(split.begin()),
                          std::make_move_iterator(split.end()));
    if (!(flags & LaunchKeepHandle)) return LaunchUnkept(plan, flags);

    Pipe output, input, errors;
    if ((flags & LaunchReadOutput) && !OpenPipe(output, false)) return 0;
    if ((flags & LaunchWriteInput) && !OpenPipe(input, true)) return 0;
    if ((flags & LaunchReadErrors) && !OpenPipe(errors, false)) return 0;
    plan.output = output.childEnd.Get();
    plan.input = input.childEnd.Get();
    plan.errors = errors.childEnd.Get();

    ProcessTable& table = Processes();
    std::unique_lock lock(table.Mutex());
    ProcessRecord* source = (flags & LaunchConnectInput) && sender != 0 ? table.Find(sender) : nullptr;
    if (source != nullptr && source->output) {
        plan.input = source->output->Stream();
        plan.inputBlocks = true;
    }
    const pid_t child = StartChild(plan);
    if (child < 0) return 0;
    // The pipe now feeds the new program; reading it here as well would steal its input.
    if (plan.inputBlocks) source->output.reset();
    lock.unlock();

    ProcessRecord started;
    started.processId = child;
    started.flags = static_cast<uint32_t>(flags);
    started.output = ReaderOf(output);
    started.errors = ReaderOf(errors);
    // With LaunchWait nothing can be written before the program ends, so it gets the end of its input
    // at once rather than waiting for it forever.
    if (!(flags & LaunchWait)) started.input = std::move(input.parentEnd);
    input.parentEnd.Reset();
    output.childEnd.Reset();
    input.childEnd.Reset();
    errors.childEnd.Reset();

    ProcessRecord* record = table.Add(std::move(started));
    if (flags & LaunchWait) {
        WaitForExitReading(record, record->serial, child);
    } else {
        StartWaitThread(record);
    }
    return reinterpret_cast<int64_t>(record);
}

} // namespace nevalon::system
