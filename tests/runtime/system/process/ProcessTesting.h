#pragma once

#include "runtime/system/TempDirectory.h"
#include "runtime/system/process/Process.h"
#include "runtime/system/strings/StringBytes.h"

#include <chrono>
#include <functional>
#include <set>
#include <thread>
#include <unistd.h>

// Everything a kept program writes to the chosen pipe, up to its end.
inline std::string ReadAll(int64_t handle, int64_t pipe = nevalon::system::ProgramOutput)
{
    std::string text;
    char chunk[4096];
    for (int64_t got; (got = nevalon::system::ReadProgramOutput(handle, chunk, sizeof chunk, pipe)) > 0;)
        text.append(chunk, got);
    return text;
}

// Checks the condition until it holds; false only after a generous while, so that a fault fails the test
// instead of hanging it.
inline bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 3000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

// The state letter and the parent of a process from /proc/<pid>/stat; state 0 once it is gone.
inline std::pair<char, pid_t> StateOf(pid_t pid)
{
    std::string line;
    std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/stat"), line);
    const size_t close = line.rfind(')');
    if (close == std::string::npos || close + 4 >= line.size()) return {0, 0};
    return {line[close + 2], static_cast<pid_t>(std::stol(line.substr(close + 4)))};
}

// The processes whose parent is this test program, zombies included, apart from those given.
inline std::set<pid_t> OwnChildren(const std::set<pid_t>& apartFrom = {})
{
    std::set<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry.path().filename().c_str()));
        if (pid > 0 && StateOf(pid).second == getpid() && !apartFrom.contains(pid)) children.insert(pid);
    }
    return children;
}
