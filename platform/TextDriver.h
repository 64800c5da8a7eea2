#pragma once

#include "platform/TextRendering.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nevalon::platform {

class Font;

// Text: conversions, case mapping, fonts, measuring and drawing. The free functions of Foundation.h,
// TextCase.h, Font.h and TextRendering.h forward here.
class TextDriver {
public:
    virtual ~TextDriver() = default;

    // Conversions that replace what is not valid in the source with U+FFFD.
    virtual std::u16string Utf8ToUtf16(std::string_view utf8) const = 0;
    virtual std::string Utf16ToUtf8(std::u16string_view text) const = 0;
    // Full Unicode case mappings, which may change the length.
    virtual std::u16string UpperCaseText(const std::u16string& text) const = 0;
    virtual std::u16string LowerCaseText(const std::u16string& text) const = 0;

    // A font of the family, or of the system font where the desktop lacks it; one reference owned by the
    // caller; null without a running application or for a size that is not positive.
    virtual Font* CreateFont(const std::u16string& family, double pointSize, bool bold, bool italic) = 0;
    // One line of `text` in `font` (null: the default font), a point a pixel; zero before start.
    virtual TextExtent MeasureText(const std::u16string& text, const Font* font) const = 0;
    // Coverage bytes of `text` drawn into a width x height bitmap (TextRendering.h); empty before start.
    virtual std::vector<uint8_t> RenderTextCoverage(const std::u16string& text, const Font* font, int width,
                                                    int height, double left, double top) const = 0;
};

} // namespace nevalon::platform
