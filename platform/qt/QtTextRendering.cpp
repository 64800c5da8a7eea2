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
