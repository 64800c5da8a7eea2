#pragma once

#include "platform/Object.h"

#include <string>

namespace nevalon::platform {

// A font ("NSFont"): the family actually used (never one the desktop lacks), its size in points and its
// traits. Immutable; a backend turns it into its own font from these four values.
class Font : public Object {
public:
    Font(std::u16string family, double pointSize, bool bold, bool italic);

    const std::u16string& Family() const { return family_; }
    double PointSize() const { return pointSize_; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }

private:
    std::u16string family_;
    double pointSize_;
    bool bold_, italic_;
};

// A new font of the family at this size with these traits, or of the desktop's system font when the desktop
// has no family of exactly that name; one reference owned by the caller. Null before StartApplication or for
// a size that is not a positive number.
Font* CreateFont(const std::u16string& family, double pointSize, bool bold, bool italic);

// Registers "NSFont".
void RegisterFontClass();

} // namespace nevalon::platform
