#pragma once

#include "runtime/system/strings/String.h"
#include "runtime/system/strings/StringBytes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A temporary folder for small shell scripts; removed with everything in it.
class ScriptFolder {
public:
    ScriptFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "nevalon-process-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScriptFolder() { std::filesystem::remove_all(path); }

    // Writes a file of this name and returns its full path.
    std::string Write(const std::string& name, const std::string& text, bool executable = true) const
    {
        const std::string file = path + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream(file, std::ios::binary) << text;
        using std::filesystem::perms;
        std::filesystem::permissions(file,
                                     executable ? perms::owner_all : perms::owner_read | perms::owner_write);
        return file;
    }

    std::string path;
};

inline nevalon::system::String Text(const std::string& utf8)
{
    return nevalon::system::StringFromUtf8(utf8);
}
