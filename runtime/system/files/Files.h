#pragma once

#include "runtime/system/files/ReadLine.h"
#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// Open flags beside the string format in the low five bits (0 meaning UTF-8).
inline constexpr int64_t FileNoBuffering = 0x80000;
inline constexpr int64_t FileAppend = 0x100000;
// A file that CreateFile makes is readable and writable by its owner only.
inline constexpr int64_t FileOwnerOnly = 0x200000;
// CreateFile makes a new file only: it fails when anything, a symbolic link included, is at the path.
inline constexpr int64_t FileCreateNew = 0x400000;

// Bytes of each buffered file's own buffer.
inline constexpr int32_t FileBufferSize = 4096;

// Starts the file library; 1.
int64_t InitFiles();

// Closes every open file, writing out its buffered data; 1 if all of it reached the disk.
int64_t EndFiles();

// Creates or empties the file at `path` for reading and writing; 0 on failure, the handle for -1, else 1.
[[nodiscard]] int64_t CreateFile(int64_t number, const String& path, int64_t flags = 0);

// Opens the file at `path` for reading and writing, creating it if missing; results as CreateFile.
[[nodiscard]] int64_t OpenFile(int64_t number, const String& path, int64_t flags = 0);

// Opens the existing regular file at `path` for reading; results as CreateFile.
[[nodiscard]] int64_t OpenFileReadOnly(int64_t number, const String& path, int64_t flags = 0);

// 1 if `number` (or a handle) denotes an open file, else 0.
int64_t IsFileOpen(int64_t number);

// Writes `text` in `format` (0: the file's own) without a byte-order mark; the number of bytes accepted.
int64_t WriteText(int64_t number, const String& text, int64_t format = 0);

// Writes `text` and a line feed in the file's format; the number of bytes accepted.
int64_t WriteLine(int64_t number, const String& text);

// 1 when no byte remains to be read, else 0 (also 0 for a number that is not open).
int64_t AtEndOfFile(int64_t number);

// Closes the file (-1: every file) after writing out its buffer; 1 if all data reached the disk, else 0.
int64_t CloseFile(int64_t number);

} // namespace nevalon::system
