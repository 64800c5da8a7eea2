#include "platform/Application.h"
#include "platform/Font.h"
#include "platform/TextRendering.h"
#include "platform/qt/QtFont.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace nevalon::platform {
namespace {

// 72 dots per inch: a point is a pixel. Qt reads the resolution back rounded to whole dots per inch.
constexpr int kDotsPerMeter = 2835;

QImage BitmapOfPixelPoints(int width, int height)
{
    QImage bitmap(width, height, QImage::Format_ARGB32_Premultiplied);
    bitmap.setDotsPerMeterX(kDotsPerMeter);
    bitmap.setDotsPerMeterY(kDotsPerMeter);
    return bitmap;
}

QFont FontOrDefault(const Font* font)
{
    return font ? ToQFont(*font) : QFont();
}

} // namespace

TextExtent MeasureText(const std::u16string& text, const Font* font)
{
    if (!ApplicationStarted()) return {};
    static const QImage device = BitmapOfPixelPoints(1, 1);
    QFontMetricsF metrics(FontOrDefault(font), &device);
    return {metrics.horizontalAdvance(QString::fromStdU16String(text)), metrics.height()};
}

std::vector<uint8_t> RenderTextCoverage(const std::u16string& text, const Font* font, int width, int height,
                                        double left, double top)
{
    if (!ApplicationStarted() || width < 1 || height < 1) return {};
    QImage bitmap = BitmapOfPixelPoints(width, height);
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
