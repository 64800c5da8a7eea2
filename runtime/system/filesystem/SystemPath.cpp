#include "runtime/system/filesystem/SystemPath.h"

#include "runtime/system/strings/Strings.h"

namespace nevalon::system {

bool SystemPath(const String& path, std::string& bytes)
{
    bytes = StringToUtf8(path);
    // A zero unit would silently cut the path short and name another file.
    return !bytes.empty() && bytes.find('\0') == std::string::npos;
}

} // namespace nevalon::system
