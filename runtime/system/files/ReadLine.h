#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// ReadLine flag: line ends are kept and do not stop the reading.
inline constexpr int64_t ReadKeepLineEnds = 0x10000;

// The next line, decoded in the flags' format (low five bits; 0: the file's), without its line end
// (LF, CR, CR LF); reading also stops at a zero character and after `length` characters (-1: no limit).
// "" at the end of the file or for a number that is not open.
String ReadLine(int64_t number, int64_t flags = 0, int64_t length = -1);

} // namespace nevalon::system
