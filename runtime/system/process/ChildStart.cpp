#include "runtime/system/process/ChildStart.h"

#include "runtime/system/process/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nevalon::system {

namespace {

[[noreturn]] void RunChild(const ChildPlan& plan, char* const* argv)
{
    if (!plan.directory.empty() && chdir(plan.directory.c_str()) != 0) _exit(1);
    if (plan.input >= 0 && dup2(plan.input, STDIN_FILENO) < 0) _exit(1);
    if (plan.output >= 0 && dup2(plan.output, STDOUT_FILENO) < 0) _exit(1);
    if (plan.errors >= 0 && dup2(plan.errors, STDERR_FILENO) < 0) _exit(1);
    if (plan.inputBlocks) {
        const int flags = fcntl(STDIN_FILENO, F_GETFL);
        if (flags >= 0) fcntl(STDIN_FILENO, F_SETFL, flags & ~O_NONBLOCK);
    }
    // Every other descriptor of ours closes on exec.
    execvp(argv[0], argv);
    _exit(1);
}

std::vector<char*> ArgumentVector(const ChildPlan& plan)
{
    std::vector<char*> argv;
    argv.reserve(plan.arguments.size() + 1);
    for (const std::string& argument : plan.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

} // namespace

pid_t StartChild(const ChildPlan& plan)
{
    const std::vector<char*> argv = ArgumentVector(plan);
    const pid_t child = fork();
    if (child == 0) RunChild(plan, argv.data());
    return child < 0 ? -1 : child;
}

pid_t StartDetached(const ChildPlan& plan)
{
    static_assert(sizeof(pid_t) == 4);
    const std::vector<char*> argv = ArgumentVector(plan);
    Descriptor readEnd, writeEnd;
    if (!CreatePipe(readEnd, writeEnd)) return -1;
    const pid_t middle = fork();
    if (middle < 0) return -1;
    if (middle == 0) {
        const pid_t child = fork();
        if (child == 0) RunChild(plan, argv.data());
        if (child < 0) _exit(1);
        _exit(write(writeEnd.Get(), &child, sizeof child) == sizeof child ? 0 : 1);
    }
    writeEnd.Reset();

    pid_t child = -1;
    auto* bytes = reinterpret_cast<char*>(&child);
    size_t got = 0;
    while (got < sizeof child) {
        const ssize_t n = read(readEnd.Get(), bytes + got, sizeof child - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += n;
    }
    if (got < sizeof child) child = -1;
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    return child;
}

} // namespace nevalon::system
