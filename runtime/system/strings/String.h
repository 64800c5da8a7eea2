#pragma once

#include <string>

namespace nevalon::system {

// Text is held as UTF-16 code units; an absent string is the empty one.
using String = std::u16string;

} // namespace nevalon::system
