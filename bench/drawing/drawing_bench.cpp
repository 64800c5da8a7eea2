// The list window's badge background, drawn many times: a clear 80 x 24 image and a rounded box with radii
// 4 x 4 in a colour of alpha 220, by FillRoundBox in a drawing pass, and by QPainter into a QImage (the same
// straight-alpha RGBA layout, and Qt's own premultiplied one). Prints the processor time per badge and the
// ratios. Usage: drawing_bench [badges]   (default 100000)
#include "runtime/system/drawing/Drawing.h"
#include "runtime/system/drawing/Images.h"
#include "support/ProcessClock.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace nevalon::system;
using nevalon::bench::Now;
using nevalon::bench::Since;

namespace {

constexpr int kRuns = 3;

// The best processor time per badge of a few runs, in nanoseconds.
double NanosecondsPerBadge(int badges, const std::function<void()>& badge)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        double start = Now();
        for (int i = 0; i < badges; ++i)
            badge();
        best = std::min(best, Since(start));
    }
    return best / badges * 1e9;
}

double WithFillRoundBox(int badges)
{
    const int64_t image = NewImage(-1, 80, 24);
    const int64_t colour = MakeRgba(50, 150, 250, 220);
    return NanosecondsPerBadge(badges, [&] {
        BeginDrawing(ImageCanvas(image));
        FillBox(0, 0, 80, 24, 0);
        SetDrawingMode(DrawingAlphaBlend);
        FillRoundBox(0, 0, 80, 24, 4, 4, colour);
        EndDrawing();
    });
}

double WithQPainter(int badges, QImage::Format format)
{
    QImage image(80, 24, format);
    const QColor colour(50, 150, 250, 220);
    return NanosecondsPerBadge(badges, [&] {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(0, 0, 80, 24), 4, 4);
    });
}

} // namespace

int main(int argc, char** argv)
{
    const int badges = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (badges < 1) {
        std::fprintf(stderr, "usage: %s [badges]\n", argv[0]);
        return 2;
    }
    InitImages();
    const double ours = WithFillRoundBox(badges);
    const double straight = WithQPainter(badges, QImage::Format_RGBA8888);
    const double premultiplied = WithQPainter(badges, QImage::Format_ARGB32_Premultiplied);
    EndImages();

    std::printf("80 x 24 badge background (clear, rounded box 4 x 4, alpha 220), best of %d runs of %d\n",
                kRuns, badges);
    std::printf("%-40s %10s %7s\n", "", "ns/badge", "ratio");
    std::printf("%-40s %10.0f %7s\n", "FillRoundBox in a drawing pass", ours, "");
    std::printf("%-40s %10.0f %7.2f\n", "QPainter, QImage RGBA8888 (same layout)", straight, ours / straight);
    std::printf("%-40s %10.0f %7.2f\n", "QPainter, QImage ARGB32 premultiplied", premultiplied,
                ours / premultiplied);
    return 0;
}
