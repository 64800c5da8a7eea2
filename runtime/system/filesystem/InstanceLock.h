#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// Takes the lock file `name` in RuntimeDirectory() without waiting. The lock ends with the process, even a
// killed one, or with ReleaseInstanceLock; programs the process starts do not inherit it. A number above 0
// while held, 0 when another process holds it, -1 when no lock file can be made.
int64_t HoldInstanceLock(const String& name);

// Gives up a lock HoldInstanceLock returned.
void ReleaseInstanceLock(int64_t lock);

} // namespace nevalon::system
