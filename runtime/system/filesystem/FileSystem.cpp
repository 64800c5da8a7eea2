#include "runtime/system/filesystem/FileSystem.h"

#include "runtime/system/filesystem/SystemPath.h"

#include <sys/stat.h>
#include <unistd.h>

namespace nevalon::system {

int64_t GetFileSize(const String& path)
{
    std::string bytes;
    struct stat status {};
    if (!SystemPath(path, bytes) || stat(bytes.c_str(), &status) != 0) return -1;
    if (S_ISDIR(status.st_mode)) return -2;
    return status.st_size;
}

String TemporaryDirectory()
{
    return u"/tmp/";
}

int64_t CreateDirectory(const String& path)
{
    std::string bytes;
    return SystemPath(path, bytes) && mkdir(bytes.c_str(), 0700) == 0 ? 1 : 0;
}

int64_t DeleteFile(const String& path, int64_t)
{
    std::string bytes;
    return SystemPath(path, bytes) && unlink(bytes.c_str()) == 0 ? 1 : 0;
}

} // namespace nevalon::system
