#pragma once

#include "platform/Geometry.h"

#include <QPoint>
#include <QRect>

namespace nevalon::platform {

// Qt measures from the virtual desktop's origin; the platform measures from the main
// screen's top-left corner.
QPoint MainScreenOrigin();
Point FromQt(QPoint p);
Rect FromQt(const QRect& r);
QPoint ToQt(Point p);

} // namespace nevalon::platform
