#pragma once

#include "platform/Font.h"

#include <QFont>

namespace nevalon::platform {

// The Qt font that draws text in `font`.
QFont ToQFont(const Font& font);

} // namespace nevalon::platform
