#include "runtime/system/filesystem/FileSystem.h"

#include "runtime/system/filesystem/SystemPath.h"
#include "runtime/system/strings/StringBytes.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
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

String ResolvedPath(const String& path)
{
    std::string bytes;
    if (!SystemPath(path, bytes)) return path;
    char resolved[PATH_MAX];
    return realpath(bytes.c_str(), resolved) ? StringFromUtf8(resolved) : path;
}

int64_t ReplaceFile(const String& replacement, const String& target)
{
    std::string from, to;
    if (!SystemPath(replacement, from) || !SystemPath(target, to)) return 0;
    struct stat status {};
    if (stat(to.c_str(), &status) == 0 && chmod(from.c_str(), status.st_mode & 07777) != 0) return 0;
    if (rename(from.c_str(), to.c_str()) != 0) return 0;
    // The rename itself lives in the folder: without this a crash could bring the old file back.
    std::string::size_type slash = to.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
    int stream = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (stream >= 0) {
        fsync(stream);
        close(stream);
    }
    return 1;
}

} // namespace nevalon::system
