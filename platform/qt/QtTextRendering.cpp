#include "platform/Application.h"
#include "platform/Font.h"
#include "platform/TextRendering.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtFont.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <deque>

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

// A text drawn before, in the same font and place: the list window draws the same category badges at
// every build, and shaping and rasterising the text is most of a badge's cost.
struct DrawnText {
    std::u16string text;
    QFont font;
    int width, height;
    double left, top;
    std::vector<uint8_t> coverage;
};
constexpr size_t kKeptTexts = 32;

} // namespace

TextExtent QtTextDriver::MeasureText(const std::u16string& text, const Font* font) const
{
    if (!ApplicationStarted()) return {};
    static const QImage device = BitmapAtScreenResolution(1, 1);
    // Drawing a text measures it two or three times over (its width, its height, then to paint it), and the
    // list window draws the same texts at every build: the last answers are kept, since shaping is most of
    // the cost. Never destroyed: a font must not outlive the font engines it may hold at exit.
    struct Measured {
        std::u16string text;
        QFont font;
        TextExtent extent;
    };
    static std::deque<Measured>& kept = *new std::deque<Measured>;
    const QFont qfont = FontOrDefault(font);
    for (const Measured& measured : kept)
        if (measured.text == text && measured.font == qfont) return measured.extent;
    QFontMetricsF metrics(qfont, &device);
    const TextExtent extent{metrics.horizontalAdvance(QString::fromStdU16String(text)), metrics.height()};
    if (kept.size() == kKeptTexts) kept.pop_front();
    kept.push_back({text, qfont, extent});
    return extent;
}

std::vector<uint8_t> QtTextDriver::RenderTextCoverage(const std::u16string& text, const Font* font, int width,
                                                      int height, double left, double top) const
{
    if (!ApplicationStarted() || width < 1 || height < 1) return {};
    // Never destroyed, as the fonts above.
    static std::deque<DrawnText>& kept = *new std::deque<DrawnText>;
    const QFont qfont = FontOrDefault(font);
    for (const DrawnText& drawn : kept)
        if (drawn.width == width && drawn.height == height && drawn.left == left && drawn.top == top &&
            drawn.text == text && drawn.font == qfont)
            return drawn.coverage;
    QImage bitmap = BitmapAtScreenResolution(width, height);
    if (bitmap.isNull()) return {};
    bitmap.fill(Qt::transparent);
    {
        QPainter painter(&bitmap);
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
    if (kept.size() == kKeptTexts) kept.pop_front();
    kept.push_back({text, qfont, width, height, left, top, coverage});
    return coverage;
}

} // namespace nevalon::platform
