#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// Size in bytes of the file at `path` (symbolic links followed); -1 if it does not exist, -2 for a directory.
int64_t GetFileSize(const String& path);

// "/tmp/", whatever the environment says.
String TemporaryDirectory();

// 1 if the one directory `path` was created (owner-only access); 0 if it exists or cannot be made.
int64_t CreateDirectory(const String& path);

// 1 if the file at `path` was removed, else 0; `mode` has no effect.
int64_t DeleteFile(const String& path, int64_t mode = 0);

} // namespace nevalon::system
