#include "runtime/system/files/Files.h"

#include "runtime/system/files/FileTable.h"
#include "runtime/system/strings/Strings.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace nevalon::system {
namespace {

enum class OpenMode { Create, ReadWrite, ReadOnly };

// UTF-8 bytes for the operating system; false for an empty path or one holding a zero unit.
bool SystemPath(const String& path, std::string& bytes)
{
    bytes = StringToUtf8(path);
    // A zero unit would silently cut the path short and name another file.
    return !bytes.empty() && bytes.find('\0') == std::string::npos;
}

int OpenStream(const String& path, OpenMode mode, int64_t flags)
{
    std::string bytes;
    if (!SystemPath(path, bytes)) return -1;
    const char* name = bytes.c_str();
    if (mode == OpenMode::Create) {
        // O_EXCL also refuses a link at the path, dangling or not, so a planted one is never followed.
        const int how = (flags & FileCreateNew) ? O_EXCL | O_NOFOLLOW : O_TRUNC;
        return open(name, O_RDWR | O_CREAT | how | O_CLOEXEC, (flags & FileOwnerOnly) ? 0600 : 0666);
    }
    if (mode == OpenMode::ReadWrite) {
        int stream = open(name, O_RDWR | O_CLOEXEC);
        // Only a missing file is created; an existing one that failed to open is never emptied.
        if (stream < 0 && errno == ENOENT) stream = open(name, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        return stream;
    }
    struct stat status {};
    // Checked before opening as well, so that a FIFO never blocks the open.
    if (stat(name, &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    int stream = open(name, O_RDONLY | O_CLOEXEC);
    if (stream >= 0 && (fstat(stream, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(stream);
        return -1;
    }
    return stream;
}

int64_t Open(int64_t number, const String& path, int64_t flags, OpenMode mode)
{
    FileTable& files = OpenFiles();
    FileObject* file = files.Claim(number);
    if (!file) return 0;
    const int64_t claimed = number == -1 ? HandleOf(file) : number;
    file->stream = OpenStream(path, mode, flags);
    if (file->stream < 0) {
        files.Release(claimed);
        return 0;
    }
    if (!(flags & FileNoBuffering)) {
        file->buffer = std::make_unique<unsigned char[]>(FileBufferSize);
        file->bufferSize = FileBufferSize;
    }
    file->format = (flags & 31) ? static_cast<int32_t>(flags & 31) : static_cast<int32_t>(FormatUtf8);
    file->readOnly = mode == OpenMode::ReadOnly ? 1 : 0;
    if (mode == OpenMode::ReadWrite && (flags & FileAppend)) lseek(file->stream, 0, SEEK_END);
    return number == -1 || number >= FileTable::kFixedNumberLimit ? claimed : 1;
}

} // namespace

int64_t InitFiles()
{
    OpenFiles();
    return 1;
}

int64_t EndFiles()
{
    return OpenFiles().ReleaseAll() ? 1 : 0;
}

int64_t CreateFile(int64_t number, const String& path, int64_t flags)
{
    return Open(number, path, flags, OpenMode::Create);
}

int64_t OpenFile(int64_t number, const String& path, int64_t flags)
{
    return Open(number, path, flags, OpenMode::ReadWrite);
}

int64_t OpenFileReadOnly(int64_t number, const String& path, int64_t flags)
{
    return Open(number, path, flags, OpenMode::ReadOnly);
}

int64_t IsFileOpen(int64_t number)
{
    return OpenFiles().Find(number) ? 1 : 0;
}

int64_t WriteText(int64_t number, const String& text, int64_t format)
{
    FileObject* file = OpenFiles().Find(number);
    if (!file || text.empty()) return 0;
    const std::string bytes = StringToBytes(text, format ? format : file->format);
    return WriteBytes(*file, bytes.data(), static_cast<int64_t>(bytes.size()));
}

int64_t WriteLine(int64_t number, const String& text)
{
    FileObject* file = OpenFiles().Find(number);
    if (!file) return 0;
    // Encoded apart: a text ending in a lone high surrogate must not swallow the line end. Written apart
    // too, into the file's buffer, rather than joined into one more string first.
    const std::string bytes = StringToBytes(text, file->format);
    const std::string end = StringToBytes(u"\n", file->format);
    const int64_t written = WriteBytes(*file, bytes.data(), static_cast<int64_t>(bytes.size()));
    if (written != static_cast<int64_t>(bytes.size())) return written;
    return written + WriteBytes(*file, end.data(), static_cast<int64_t>(end.size()));
}

int64_t AtEndOfFile(int64_t number)
{
    FileObject* file = OpenFiles().Find(number);
    if (!file) return 0;
    if (NextByte(*file) < 0) return 1;
    GiveBack(*file, 1);
    return 0;
}

int64_t CloseFile(int64_t number)
{
    FileTable& files = OpenFiles();
    if (number == -1) return files.ReleaseAll() ? 1 : 0;
    return files.Release(number) ? 1 : 0;
}

} // namespace nevalon::system
