#include "platform/Application.h"
#include "platform/Image.h"
#include "platform/qt/QtDrivers.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QTransform>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>

namespace nevalon::platform {
namespace {

constexpr double kPoints = 18;
constexpr int kPixels = 36;

using Painter = std::function<void(QPainter&, const QColor&)>;

struct Symbol {
    const char* name;
    // Icon-theme names to try first, most fitting first.
    std::vector<const char*> themeNames;
    Painter draw; // on a 36 x 36 canvas
};

void DrawCalendarWithClock(QPainter& p, const QColor& ink)
{
    p.setPen(QPen(ink, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 6, 24, 22), 4, 4);
    p.setBrush(ink);
    p.drawRect(QRectF(3, 6, 24, 6));
    p.drawLine(QPointF(9, 3), QPointF(9, 8));
    p.drawLine(QPointF(21, 3), QPointF(21, 8));
    // The badge: a clock over the lower right corner, cut out of the calendar.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(QPointF(26, 26), 10, 10);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(26, 26), 7.5, 7.5);
    p.drawLine(QPointF(26, 26), QPointF(26, 21));
    p.drawLine(QPointF(26, 26), QPointF(29.5, 27.5));
}

void DrawGear(QPainter& p, const QColor& ink)
{
    QPainterPath gear;
    gear.setFillRule(Qt::WindingFill);
    gear.addEllipse(QPointF(18, 18), 11.5, 11.5);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-3.5, -16.5, 7, 8), 1.5, 1.5);
        gear.addPath(QTransform().translate(18, 18).rotate(i * 45.0).map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(18, 18), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(gear.simplified().subtracted(hole));
}

void DrawTrash(QPainter& p, const QColor& ink)
{
    p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(6, 9), QPointF(30, 9));
    p.drawPolyline(QPolygonF({QPointF(14, 9), QPointF(14, 5), QPointF(22, 5), QPointF(22, 9)}));
    p.drawPolygon(QPolygonF({QPointF(9, 9), QPointF(11, 32), QPointF(25, 32), QPointF(27, 9)}));
    p.drawLine(QPointF(15, 14), QPointF(15.5, 27));
    p.drawLine(QPointF(21, 14), QPointF(20.5, 27));
}

const std::vector<Symbol>& Symbols()
{
    static const std::vector<Symbol> symbols = {
        {"calendar.badge.clock",
         {"appointment-soon", "x-office-calendar", "office-calendar"},
         DrawCalendarWithClock},
        {"gearshape.fill", {"preferences-system", "emblem-system", "configure"}, DrawGear},
        {"trash", {"user-trash", "edit-delete"}, DrawTrash},
    };
    return symbols;
}

QImage ThemePicture(const Symbol& symbol)
{
    for (const char* name : symbol.themeNames) {
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
        if (!icon.isNull()) return icon.pixmap(kPixels, kPixels).toImage();
    }
    return {};
}

} // namespace

Image* QtDesktopDriver::CreateSystemSymbolImage(std::string_view name)
{
    const Symbol* symbol = nullptr;
    for (const Symbol& s : Symbols())
        if (name == s.name) symbol = &s;
    if (!symbol || !QApplication::instance()) return nullptr;

    // The list window asks for the same symbol once a row on every rebuild: the picture is drawn once
    // for each ink and icon theme, and every image gets a copy of it.
    struct Drawn {
        QRgb ink = 0;
        QString theme;
        bool themeRead = false;
        QImage picture;
    };
    static std::map<const Symbol*, Drawn> drawn;
    const QColor ink = QApplication::palette().color(QPalette::WindowText);
    const bool readTheme = StartUpFinished();
    Drawn& cached = drawn[symbol];
    if (cached.picture.isNull() || cached.ink != ink.rgba() || cached.theme != QIcon::themeName() ||
        cached.themeRead != readTheme) {
        QImage picture = readTheme ? ThemePicture(*symbol) : QImage();
        if (picture.isNull()) {
            picture = QImage(kPixels, kPixels, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            symbol->draw(painter, ink);
        }
        cached = {ink.rgba(), QIcon::themeName(), readTheme,
                  picture.scaled(kPixels, kPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGBA8888)};
    }
    const QImage& picture = cached.picture;

    auto* image = new Image(picture.width(), picture.height(), {kPoints, kPoints});
    image->SetSymbolName(symbol->name);
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(image->Pixels().data() + static_cast<size_t>(y) * picture.width(),
                    picture.constScanLine(y), static_cast<size_t>(picture.width()) * 4);
    return image;
}

Image* QtDesktopDriver::CreateNamedImage(std::string_view name)
{
    if (!QApplication::instance()) return nullptr;
    const QIcon icon = QIcon::fromTheme(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (icon.isNull()) return nullptr;
    // Sharp where a point is two pixels.
    constexpr int kIconPoints = 64;
    const QImage picture =
        icon.pixmap(2 * kIconPoints, 2 * kIconPoints).toImage().convertToFormat(QImage::Format_RGBA8888);
    if (picture.isNull()) return nullptr;
    auto* image = new Image(picture.width(), picture.height(), {double(kIconPoints), double(kIconPoints)});
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(image->Pixels().data() + static_cast<size_t>(y) * picture.width(),
                    picture.constScanLine(y), static_cast<size_t>(picture.width()) * 4);
    return image;
}

} // namespace nevalon::platform
