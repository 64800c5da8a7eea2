#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace nevalon::fuzz {

// A fresh folder for the whole run, removed at a normal exit.
inline const std::string& ScratchFolder()
{
    struct Folder {
        std::string path;
        ~Folder() { std::filesystem::remove_all(path); }
    };
    static const Folder folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/nevalon-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return Folder{pattern};
    }();
    return folder.path;
}

// Writes `bytes` as the whole of the file `name` in the scratch folder; its path.
inline std::string PutScratchFile(const std::string& name, std::string_view bytes)
{
    const std::string path = ScratchFolder() + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        std::abort();
    return path;
}

} // namespace nevalon::fuzz
