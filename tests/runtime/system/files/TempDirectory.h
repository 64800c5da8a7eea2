#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory under /tmp, removed with everything in it at the end of the test.
class TempDirectory {
public:
    TempDirectory()
    {
        char pattern[] = "/tmp/nevalon-test-XXXXXX";
        if (mkdtemp(pattern)) path_ = pattern;
    }
    ~TempDirectory()
    {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::string Path(const std::string& name = "") const { return name.empty() ? path_ : path_ + "/" + name; }

private:
    std::string path_;
};

inline void PutFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
