#include "platform/Screens.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtCoordinates.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtWindowManagerHints.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace nevalon::platform {
QPoint MainScreenOrigin()
{
    QScreen* main = QGuiApplication::primaryScreen();
    return main ? main->geometry().topLeft() : QPoint();
}

Point FromQt(QPoint p)
{
    QPoint origin = MainScreenOrigin();
    return {double(p.x() - origin.x()), double(p.y() - origin.y())};
}

Rect FromQt(const QRect& r)
{
    Point topLeft = FromQt(r.topLeft());
    return {topLeft.x, topLeft.y, double(r.width()), double(r.height())};
}

QPoint ToQt(Point p)
{
    QPoint origin = MainScreenOrigin();
    return QPoint(int(p.x) + origin.x(), int(p.y) + origin.y());
}

namespace {

// Each screen's rectangle in Qt's coordinates, the main screen first.
std::vector<QRect> QtScreenRects(QRect (QScreen::*rect)() const)
{
    std::vector<QRect> result;
    if (!QGuiApplication::instance()) return result;
    QScreen* main = QGuiApplication::primaryScreen();
    if (main) result.push_back((main->*rect)());
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != main) result.push_back((screen->*rect)());
    return result;
}

std::vector<Rect> FromQtRects(const std::vector<QRect>& rects)
{
    std::vector<Rect> result;
    result.reserve(rects.size());
    for (const QRect& rect : rects)
        result.push_back(FromQt(rect));
    return result;
}

} // namespace

std::vector<Rect> QtScreenDriver::Screens() const
{
    return FromQtRects(QtScreenRects(&QScreen::geometry));
}

std::vector<Rect> QtScreenDriver::WorkAreas() const
{
    // Qt takes it from the window manager's work area, which leaves out the panels' reserved edges; with
    // several screens that one area spans them all, and Qt answers each screen whole.
    if (const std::vector<QRect> screens = QtScreenRects(&QScreen::geometry); screens.size() > 1)
        if (const auto areas = UnreservedAreas(screens)) return FromQtRects(*areas);
    return FromQtRects(QtScreenRects(&QScreen::availableGeometry));
}

Point QtScreenDriver::PointerPosition() const
{
    if (!QGuiApplication::instance()) return {};
    // Asked once for each event handled: placing the list window after a click asks several times, and each
    // answer is a round trip to the X server.
    static uint64_t askedAtEvent = 0;
    static Point answer;
    if (const uint64_t events = HandledPlatformEvents(); events != askedAtEvent || events == 0) {
        answer = FromQt(QCursor::pos());
        askedAtEvent = events;
    }
    return answer;
}

double QtScreenDriver::MenuBarHeight() const
{
    QScreen* main = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!main) return 0;
    return main->availableGeometry().top() - main->geometry().top();
}

} // namespace nevalon::platform
