#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>
#include <vector>

namespace nevalon::system {

// What GetFileSize answers instead of a size.
enum FileSizeAnswer : int64_t { FileSizeMissing = -1, FileSizeFolder = -2 };

// Size in bytes of the file at `path` (symbolic links followed); FileSizeMissing if nothing is there (or it
// cannot be reached), FileSizeFolder for a directory.
int64_t GetFileSize(const String& path);

// "/tmp/", whatever the environment says.
String TemporaryDirectory();

// 1 if the one directory `path` was created (owner-only access); 0 if it exists or cannot be made.
int64_t CreateDirectory(const String& path);

// Creates the folder at `path` and every missing folder it lies in (owner-only access). 1 when it is a folder
// afterwards; 0 otherwise, with errno telling why.
int64_t CreateFolders(const String& path);

// 1 if the file at `path` was removed, else 0; `mode` has no effect.
int64_t DeleteFile(const String& path, int64_t mode = 0);

// `path` with every symbolic link in it resolved; `path` itself when it does not exist yet.
String ResolvedPath(const String& path);

// Moves the file `replacement` over `target` in one step, so that a reader finds the old file or the
// new one and never a mix, even after a crash. The new file takes over the permissions of the one it
// replaces. 1 when done; 0 leaves both files as they were. Both must lie in the same folder.
[[nodiscard]] int64_t ReplaceFile(const String& replacement, const String& target);

// Copies the bytes of the file `from` into a new file `to`, readable and writable by its owner only, and
// syncs it to the disk. Nothing may be at `to` beforehand (not even a link). 1 when done; 0 leaves no file
// at `to`, with errno telling why.
[[nodiscard]] int64_t CopyFile(const String& from, const String& to);

// The names in the folder, without "." and ".."; none when it cannot be read.
std::vector<String> FolderEntries(const String& folder);

} // namespace nevalon::system
