#include "runtime/system/process/ProgramSearch.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace nevalon::system {

bool IsRunnableFile(const std::string& path)
{
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0) return false;
    return S_ISREG(info.st_mode) && info.st_size > 0 && access(path.c_str(), X_OK) == 0;
}

bool ProgramFound(const std::string& name)
{
    // A zero byte would make the system run the program named by the part before it.
    if (name.empty() || name.find('\0') != std::string::npos) return false;
    if (name.find('/') != std::string::npos && IsRunnableFile(name)) return true;
    if (name.starts_with('/') || name.starts_with("./")) return false;

    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::string_view entries = path;
    while (!entries.empty()) {
        const size_t colon = entries.find(':');
        const std::string_view entry = entries.substr(0, colon);
        entries = colon == std::string_view::npos ? std::string_view() : entries.substr(colon + 1);
        if (entry.empty()) continue;
        std::string candidate(entry);
        if (!candidate.ends_with('/')) candidate += '/';
        candidate += name;
        if (IsRunnableFile(candidate)) return true;
    }
    return false;
}

} // namespace nevalon::system
