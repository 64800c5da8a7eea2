#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace nevalon::system {

// Everything the child needs, prepared before forking: between fork and exec the child only calls
// async-signal-safe functions and allocates nothing.
struct ChildPlan {
    // The program name as the caller passed it, then the parameters.
    std::vector<std::string> arguments;
    // Working directory, or empty to keep the caller's.
    std::string directory;
    // Descriptors that become standard input, output and error, or -1 to keep the caller's.
    int input = -1;
    int output = -1;
    int errors = -1;
    // Standard input is another program's output pipe, which the reader set non-blocking.
    bool inputBlocks = false;
};

// Forks a child that runs the plan; its process id, or -1 if fork failed.
pid_t StartChild(const ChildPlan& plan);

// Starts the plan in a grandchild that nobody has to wait for; its process id, or -1 on failure.
pid_t StartDetached(const ChildPlan& plan);

} // namespace nevalon::system
