#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// The user's home directory ($HOME, else the password database) ending in exactly one "/"; "" if unknown.
String HomeDirectory();

// Standard folder `kind` ending in exactly one "/"; "" for a kind outside 0-9 or an unknown home:
// 0 Desktop, 1 Applications, 2 Downloads, 3 Documents, 4 Application Support (created when missing),
// 5 Application Support for all users, 6 Movies, 7 Music, 8 Pictures, 9 Public.
String UserDirectory(int64_t kind);

// The folder UserDirectory(4) returns, without creating it.
String ApplicationSupportDirectory();

// The user's folder for runtime files such as locks, ending in "/": $XDG_RUNTIME_DIR, else the user's
// cache folder ($XDG_CACHE_HOME, default ~/.cache, created owner-only when missing); "" if neither is known.
String RuntimeDirectory();

// The running executable's own path (links resolved); "" if it cannot be read.
String ExecutablePath();

// The directory holding the running executable, ending in "/"; "" if it cannot be read. The working
// directory is left as it is: on Linux there is no bundle "Contents" directory to move into.
String BundleDirectory();

} // namespace nevalon::system
