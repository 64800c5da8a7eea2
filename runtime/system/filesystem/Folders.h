#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// The user's home directory ($HOME, else the password database) ending in exactly one "/"; "" if unknown.
String HomeDirectory();

// The standard folders UserDirectory knows.
enum UserFolderKind : int64_t {
    UserFolderDesktop = 0,
    UserFolderApplications = 1,
    UserFolderDownloads = 2,
    UserFolderDocuments = 3,
    // The user's data folder ($XDG_DATA_HOME), created when missing.
    UserFolderApplicationSupport = 4,
    // The first folder of $XDG_DATA_DIRS: application data for all users.
    UserFolderSharedApplicationSupport = 5,
    UserFolderMovies = 6,
    UserFolderMusic = 7,
    UserFolderPictures = 8,
    UserFolderPublic = 9,
};

// Standard folder `kind` (a UserFolderKind) ending in exactly one "/"; "" for any other kind or an unknown
// home.
String UserDirectory(int64_t kind);

// The folder UserDirectory(UserFolderApplicationSupport) returns, without creating it.
String ApplicationSupportDirectory();

// The user's configuration folder ($XDG_CONFIG_HOME, default ~/.config) ending in "/"; "" if the home is
// unknown.
String ConfigDirectory();

// The user's folder for runtime files such as locks, ending in "/": $XDG_RUNTIME_DIR, else the user's
// cache folder ($XDG_CACHE_HOME, default ~/.cache, created owner-only when missing); "" if neither is known.
String RuntimeDirectory();

// The running executable's own path (links resolved); "" if it cannot be read.
String ExecutablePath();

// The directory holding the running executable, ending in "/"; "" if it cannot be read. The working
// directory is left as it is: on Linux there is no bundle "Contents" directory to move into.
String BundleDirectory();

} // namespace nevalon::system
