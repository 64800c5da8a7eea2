#pragma once

#include <cstdint>
#include <string>

namespace nevalon::gui {

// Traits of OpenFont.
enum FontFlags : int64_t { FontBold = 1, FontItalic = 2 };

// Opens the family at `size` points with the flags' traits; a family the desktop does not have gives its
// system font at that size. A live font under a fixed number is disposed of first. Returns the platform font
// handle for a fixed number, the new number for -1; 0 on failure, the number then names nothing.
int64_t OpenFont(int64_t font, const std::u16string& family, double size, int64_t flags = 0);

// The platform font handle of a font, or 0.
int64_t FontHandle(int64_t font);

// 1 when the number names a font, else 0.
int64_t FontExists(int64_t font);

// Releases the font (-1: every font); an unknown number does nothing.
void DisposeFont(int64_t font);

} // namespace nevalon::gui
