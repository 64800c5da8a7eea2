#pragma once

#include "runtime/system/strings/String.h"

#include <string>

namespace nevalon::system {

// The UTF-8 bytes of `path` for the operating system; false for an empty path or one holding a zero unit.
bool SystemPath(const String& path, std::string& bytes);

} // namespace nevalon::system
