#pragma once

#include "runtime/system/process/ProgramStreams.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

// Everything a kept program writes to the chosen pipe, up to its end.
inline std::string ReadAll(int64_t handle, int64_t pipe = nevalon::system::ProgramOutput)
{
    std::string text;
    char chunk[4096];
    int64_t got;
    while ((got = nevalon::system::ReadProgramOutput(handle, chunk, sizeof chunk, pipe)) > 0)
        text.append(chunk, got);
    return text;
}

// Checks the condition until it holds; false only if it still fails after a generous while, so that a
// fault fails the test instead of hanging it.
inline bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 3000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// Fields of /proc/<pid>/stat after the command name: state and parent; empty state if gone.
struct ProcessState {
    char state = 0;
    pid_t parent = 0;
};

inline ProcessState StateOf(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return {};
    const size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return {};
    ProcessState result;
    result.state = line[close + 2];
    result.parent = static_cast<pid_t>(std::stol(line.substr(close + 4)));
    return result;
}

// The process ids whose parent is this test process, zombies included.
inline std::set<pid_t> OwnChildren()
{
    std::set<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        if (StateOf(pid).parent == getpid()) children.insert(pid);
    }
    return children;
}
