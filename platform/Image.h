#pragma once

#include "platform/Geometry.h"
#include "platform/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nevalon::platform {

// A bitmap picture with a size in points ("NSImage"). Pixels are 32-bit RGBA, not premultiplied,
// red in the lowest byte, rows from the top.
class Image : public Object {
public:
    Image(int pixelWidth, int pixelHeight, Size pointSize);

    int PixelWidth() const { return pixelWidth_; }
    int PixelHeight() const { return pixelHeight_; }
    Size PointSize() const { return pointSize_; }
    void SetPointSize(Size size) { pointSize_ = size; }
    std::vector<uint32_t>& Pixels() { return pixels_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * pixelWidth_ + x]; }
    // The system symbol the picture was made of; empty for any other picture.
    const std::string& SymbolName() const { return symbolName_; }
    void SetSymbolName(std::string_view name) { symbolName_ = name; }

private:
    int pixelWidth_, pixelHeight_;
    Size pointSize_;
    std::vector<uint32_t> pixels_;
    std::string symbolName_;
};

// A new picture of the named system symbol ("calendar.badge.clock", "gearshape.fill", "trash") in the
// current appearance's text colour, with one reference owned by the caller; null for a name the platform has
// no picture for. The desktop's icon theme supplies it where it has one, except while the program starts
// (StartUpFinished): reading the theme takes milliseconds that the tray icon does not wait for, so the
// platform's own drawing serves until then, and a status item showing it takes the theme's picture after.
Image* CreateSystemSymbolImage(std::string_view name);

// A new picture of the desktop's icon of this name (its icon theme), with one reference owned by the caller;
// null when the theme has none.
Image* CreateNamedImage(std::string_view name);

// Registers "NSImage" and its selectors.
void RegisterImageClass();

} // namespace nevalon::platform
