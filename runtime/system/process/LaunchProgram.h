#pragma once

#include "runtime/system/process/LaunchFlags.h"
#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// Starts `name` with blank-separated `parameters` in `directory` (empty: the caller's). Returns 0 on
// failure (a zero unit in any of the three texts starts nothing), the program's handle with LaunchKeepHandle
// (release it with ReleaseProgram), else 1. Without LaunchWait or LaunchKeepHandle the program runs detached
// and leaves nothing to reap. With LaunchConnectInput, `sender`'s output pipe becomes the program's input and
// no longer the caller's.
int64_t LaunchProgram(const String& name, const String& parameters = u"", const String& directory = u"",
                      int64_t flags = 0, int64_t sender = 0);

} // namespace nevalon::system
