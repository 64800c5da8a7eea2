#include "platform/qt/QtStatusItem.h"

#include "platform/Class.h"
#include "platform/Image.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtWindowManagerHints.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <set>

namespace nevalon::platform {
namespace {

// The picture over a thin halo in the colour opposite to its own: a panel of either lightness sees
// the one or the other, so the icon reads on light and dark panels alike.
QImage ReadablePicture(const QImage& picture)
{
    QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double lightness = 0, coverage = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            QColor c = source.pixelColor(x, y);
            lightness += c.lightnessF() * c.alphaF();
            coverage += c.alphaF();
        }
    }
    bool dark = coverage == 0 || lightness / coverage < 0.5;

    QImage halo = source;
    QPainter tint(&halo);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(halo.rect(), dark ? Qt::white : Qt::black);
    tint.end();

    constexpr int kMargin = 2;
    QImage result(source.size() + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QImage ring(result.size(), QImage::Format_ARGB32_Premultiplied);
    ring.fill(Qt::transparent);
    QPainter ringPainter(&ring);
    for (int dy = -kMargin; dy <= kMargin; ++dy)
        for (int dx = -kMargin; dx <= kMargin; ++dx)
            if (dx * dx + dy * dy <= kMargin * kMargin)
                ringPainter.drawImage(kMargin + dx, kMargin + dy, halo);
    ringPainter.end();
    QPainter painter(&result);
    painter.setOpacity(0.8);
    painter.drawImage(0, 0, ring);
    painter.setOpacity(1);
    painter.drawImage(kMargin, kMargin, source);
    return result;
}

std::set<QtStatusItem*>& LiveItems()
{
    static std::set<QtStatusItem*> items;
    return items;
}

} // namespace

QtStatusItem::QtStatusItem() : StatusItem(FindClass("NSStatusItem")), tray_(new QSystemTrayIcon(qApp))
{
    LiveItems().insert(this);
    QObject::connect(tray_, &QSystemTrayIcon::activated, tray_,
                     [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
}

QtStatusItem::~QtStatusItem()
{
    LiveItems().erase(this);
    if (!tray_) return;
    // Gone from the tray at once; deleted later, since this may run inside the icon's own signal.
    tray_->hide();
    tray_->setContextMenu(nullptr);
    tray_->deleteLater();
}

void QtStatusItem::SetImage(const Image& image)
{
    if (!tray_ || image.PixelWidth() <= 0 || image.PixelHeight() <= 0) return;
    symbol_ = image.SymbolName();
    Show(image);
    // Qt shows the icon when a tray host is there, and once one appears; the request goes out now, not when
    // the program next waits.
    tray_->show();
    FlushToDisplay();
}

void QtStatusItem::Show(const Image& image)
{
    QImage picture(reinterpret_cast<const uchar*>(image.Pixels().data()), image.PixelWidth(),
                   image.PixelHeight(), QImage::Format_RGBA8888);
    QImage readable = ReadablePicture(picture);
    if (readable == shown_) return;
    shown_ = readable;
    tray_->setIcon(QIcon(QPixmap::fromImage(readable)));
}

void QtStatusItem::RedrawSymbols()
{
    for (QtStatusItem* item : LiveItems()) {
        if (item->symbol_.empty() || !item->tray_) continue;
        if (Ref<Image> symbol = Ref<Image>::Adopt(CreateSystemSymbolImage(item->symbol_)))
            item->Show(*symbol.get());
    }
}

void QtStatusItem::SetToolTip(const std::u16string& text)
{
    if (tray_) tray_->setToolTip(QString::fromStdU16String(text));
}

void QtStatusItem::SetMenu(Menu* menu)
{
    menu_ = Ref<Menu>(menu);
    auto* qtMenu = dynamic_cast<QtMenu*>(menu);
    if (tray_) tray_->setContextMenu(qtMenu ? qtMenu->Widget() : nullptr);
}

std::optional<Rect> QtStatusItem::ScreenFrame() const
{
    const QRect frame = tray_ ? tray_->geometry() : QRect();
    if (frame.isEmpty()) return std::nullopt;
    return Rect{double(frame.x()), double(frame.y()), double(frame.width()), double(frame.height())};
}

void QtStatusItem::Activated(QSystemTrayIcon::ActivationReason reason)
{
    // A double click follows the click that began it, and a middle click means nothing here.
    if (reason != QSystemTrayIcon::Trigger || !click_) return;
    // A copy: the handler may remove this item.
    std::function<void()> click = click_;
    click();
}

StatusItem* QtStatusItemDriver::CreateStatusItem()
{
    if (!QApplication::instance()) return nullptr;
    return new QtStatusItem();
}

void QtStatusItemDriver::CheckTrayHostAfter(int64_t graceMs, std::function<void()> missing)
{
    if (!QApplication::instance() || !missing) return;
    QTimer::singleShot(std::chrono::milliseconds(graceMs), qApp, [missing = std::move(missing)] {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) missing();
    });
}

} // namespace nevalon::platform
