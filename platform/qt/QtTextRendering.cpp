#include "platform/Application.h"
#include "platform/Font.h"
#include "platform/TextRendering.h"
#include "platform/qt/QtFont.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace nevalon::platform {
namespace {

// Every font here is sized in pixels, so the bitmap's resolution does not change the text; it is the
// screen's all the same, because Qt shares one font engine between every device that asks for the same pixel
// size and keeps the point size of the first asker: text drawn into a 72-dpi bitmap made the desktop's
// 9-point menus draw at 12 points afterwards, in boxes measured for 9, and cut their texts.
QImage BitmapAtScreenResolution(int width, int height)
{
    QImage bitmap(width, height, QImage::Format_ARGB32_Premultiplied);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dotsPerMeter =
        static_cast<int>(std::lround((screen ? screen->logicalDotsPerInch() : 96) / 0.0254));
    bitmap.setDotsPerMeterX(dotsPerMeter);
    bitmap.setDotsPerMeterY(dotsPerMeter);
    return bitmap;
}

// A point is a pixel, the desktop's default font included.
QFont FontOrDefault(const Font* font)
{
    if (font) return ToQFont(*font);
    QFont desktop;
    desktop.setPixelSize(std::max(1, static_cast<int>(std::lround(desktop.pointSizeF()))));
    return desktop;
}

} // namespace

TextExtent MeasureText(const std::u16string& text, const Font* font)
{
    if (!ApplicationStarted()) return {};
    static const QImage device = BitmapAtScreenResolution(1, 1);
    // Drawing a text measures it two or three times over (its width, its height, then to paint it):
    // the last answer is kept, since shaping is most of the cost.
    // Never destroyed: a font must not outlive the font engines it may hold at exit.
    static QFont& lastFont = *new QFont;
    static std::u16string lastText;
    static TextExtent lastExtent;
    static bool known = false;
    const QFont qfont = FontOrDefault(font);
    if (known && text == lastText && qfont == lastFont) return lastExtent;
    QFontMetricsF metrics(qfont, &device);
    lastExtent = {metrics.horizontalAdvance(QString::fromStdU16String(text)), metrics.height()};
    lastText = text;
    lastFont = qfont;
    known = true;
    return lastExtent;
}

std::vector<uint8_t> RenderTextCoverage(const std::u16string& text, const Font* font, int width, int height,
                                        double left, double top)
{
    if (!ApplicationStarted() || width < 1 || height < 1) return {};
    QImage bitmap = BitmapAtScreenResolution(width, height);
    if (bitmap.isNull()) return {};
    bitmap.fill(Qt::transparent);
    {
        QPainter painter(&bitmap);
        QFont qfont = FontOrDefault(font);
        painter.setFont(qfont);
        painter.setPen(Qt::white);
        // White on a clear bitmap: the alpha of each premultiplied pixel is its coverage.
        painter.drawText(QPointF(left, top + QFontMetricsF(qfont, &bitmap).ascent()),
                         QString::fromStdU16String(text));
    }
    std::vector<uint8_t> coverage(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        for (int x = 0; x < width; ++x)
            coverage[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(qAlpha(row[x]));
    }
    return coverage;
}

} // namespace nevalon::platform
