#include "runtime/system/filesystem/FileSystem.h"

#include "runtime/system/filesystem/SystemPath.h"
#include "runtime/system/strings/StringBytes.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace nevalon::system {

int64_t GetFileSize(const String& path)
{
    std::string bytes;
    struct stat status {};
    if (!SystemPath(path, bytes) || stat(bytes.c_str(), &status) != 0) return FileSizeMissing;
    if (S_ISDIR(status.st_mode)) return FileSizeFolder;
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

int64_t CreateFolders(const String& path)
{
    std::string bytes;
    if (!SystemPath(path, bytes)) {
        errno = ENOENT;
        return 0;
    }
    // Folders already there fail with EEXIST; a file in the way of one does too, and is then the reason.
    int error = EEXIST;
    for (size_t at = bytes.find('/', 1);; at = bytes.find('/', at + 1)) {
        if (mkdir(bytes.substr(0, at).c_str(), 0700) != 0 && errno != EEXIST) error = errno;
        if (at == std::string::npos) break;
    }
    struct stat status {};
    if (stat(bytes.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return 1;
    errno = error;
    return 0;
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

int64_t CopyFile(const String& from, const String& to)
{
    std::string source, target;
    if (!SystemPath(from, source) || !SystemPath(to, target)) {
        errno = EINVAL;
        return 0;
    }
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return 0;
    const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        const int error = errno;
        close(in);
        errno = error;
        return 0;
    }
    char buffer[65536];
    bool copied = true;
    for (;;) {
        ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        for (ssize_t done = 0; copied && done < got;) {
            const ssize_t put = write(out, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0)
                copied = false;
            else
                done += put;
        }
        if (!copied) break;
    }
    if (copied && fsync(out) != 0) copied = false;
    // The first failure names the reason; closing and cleaning up must not overwrite it.
    int error = copied ? 0 : errno;
    if (close(out) != 0 && copied) {
        copied = false;
        error = errno;
    }
    close(in);
    if (!copied) {
        unlink(target.c_str());
        errno = error ? error : EIO;
        return 0;
    }
    return 1;
}

std::vector<String> FolderEntries(const String& folder)
{
    std::vector<String> names;
    std::string bytes;
    if (!SystemPath(folder, bytes)) return names;
    DIR* stream = opendir(bytes.c_str());
    if (!stream) return names;
    while (const dirent* entry = readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.push_back(StringFromUtf8(name));
    }
    closedir(stream);
    return names;
}

} // namespace nevalon::system
