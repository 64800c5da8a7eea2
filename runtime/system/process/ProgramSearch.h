#pragma once

#include <string>

namespace nevalon::system {

// True if the UTF-8 path names a non-empty regular file that the user may execute.
bool IsRunnableFile(const std::string& path);

// True if the program named in UTF-8 can be run: a name with "/" must itself be runnable, and a name
// that starts with "/" or "./" is never looked up along PATH; any other name is looked up along PATH.
// A name holding a zero byte is never found.
bool ProgramFound(const std::string& name);

} // namespace nevalon::system
