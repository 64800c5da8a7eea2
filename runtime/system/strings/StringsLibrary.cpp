#include "runtime/system/strings/Strings.h"

#include <clocale>

namespace nevalon::system {

int64_t InitStrings()
{
    // Lower-casing must follow Unicode even on systems without the en_US locale installed.
    bool utf8 =
        std::setlocale(LC_ALL, "en_US.UTF-8") != nullptr || std::setlocale(LC_ALL, "C.UTF-8") != nullptr;
    std::setlocale(LC_NUMERIC, "C");
    return utf8 ? 1 : 0;
}

void EndStrings() {}

} // namespace nevalon::system
