#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory under /tmp, removed with everything in it at the end of the test.
struct TempDirectory {
    ~TempDirectory() { std::filesystem::remove_all(path, ignored); }

    std::string Path(const std::string& name = "") const { return name.empty() ? path : path + "/" + name; }

    // Writes the file `name` (and the folders it needs) and returns its path.
    std::string Put(const std::string& name, const std::string& bytes, bool executable = false) const
    {
        const std::filesystem::path file = Path(name);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        if (executable) std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        return file;
    }

    char pattern[32] = "/tmp/nevalon-test-XXXXXX";
    const std::string path = mkdtemp(pattern) ? pattern : "";
    std::error_code ignored;
};

// Every byte of the file at `path`.
inline std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
