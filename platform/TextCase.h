#pragma once

#include <string>

namespace nevalon::platform {

// The text in upper or lower case by the full Unicode mappings ("NSString uppercaseString"), which may
// change its length ("ß" becomes "SS").
std::u16string UpperCaseText(const std::u16string& text);
std::u16string LowerCaseText(const std::u16string& text);

} // namespace nevalon::platform
