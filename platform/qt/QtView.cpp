#include "platform/qt/QtView.h"

#include "platform/Image.h"
#include "platform/qt/QtDrivers.h"

#include <QApplication>
#include <QColor>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace nevalon::platform {
namespace {

class QtContainerView final : public QtView<View> {
public:
    QtContainerView() : QtView<View>("NSView", new QWidget()) {}
};

// A picture as an icon draws it. Qt's own icon engine keeps every copy it scales or greys in the
// application's pixmap cache, under a key no later picture shares, so the pictures of every window ever built
// would stay there until the cache is full (10 MB); this engine keeps its one copy itself, and it goes with
// the icon.
class PictureIconEngine final : public QIconEngine {
public:
    explicit PictureIconEngine(QPixmap picture) : picture_(std::move(picture)) {}

    QIconEngine* clone() const override { return new PictureIconEngine(picture_); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        QSize actual = picture_.size();
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        const QSize actual = actualSize(size, mode, state);
        if (shown_.isNull() || shown_.size() != actual || shownMode_ != mode) {
            shown_ = actual == picture_.size()
                         ? picture_
                         : picture_.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            if (mode != QIcon::Normal) {
                QStyleOption option;
                option.palette = QGuiApplication::palette();
                shown_ = QApplication::style()->generatedIconPixmap(mode, shown_, &option);
            }
            shownMode_ = mode;
        }
        return shown_;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

private:
    QPixmap picture_, shown_;
    QIcon::Mode shownMode_ = QIcon::Normal;
};

} // namespace

QtWidgetHolder::~QtWidgetHolder()
{
    // Its signals reach nobody from now on; the widget goes once the current dispatch is over, since this
    // may run inside one of its own signals.
    context_.reset();
    if (!widget_) return;
    widget_->hide();
    widget_->deleteLater();
}

QColor ToQColor(uint32_t rgba)
{
    return QColor(int(rgba & 0xFF), int(rgba >> 8 & 0xFF), int(rgba >> 16 & 0xFF), int(rgba >> 24 & 0xFF));
}

uint32_t FromQColor(const QColor& color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16 |
           uint32_t(color.alpha()) << 24;
}

QString PlainButtonTitle(const std::u16string& title)
{
    return QString::fromStdU16String(title).replace(u'&', QStringLiteral("&&"));
}

QPixmap ToQPixmap(const Image* image)
{
    if (!image || image->PixelWidth() <= 0 || image->PixelHeight() <= 0) return QPixmap();
    QImage picture(reinterpret_cast<const uchar*>(image->Pixels().data()), image->PixelWidth(),
                   image->PixelHeight(), QImage::Format_RGBA8888);
    QPixmap pixmap = QPixmap::fromImage(picture.copy());
    // A picture with more pixels than points is drawn at its size in points, sharper.
    if (image->PointSize().width > 0)
        pixmap.setDevicePixelRatio(image->PixelWidth() / image->PointSize().width);
    return pixmap;
}

QIcon ToQIcon(const Image* image)
{
    QPixmap pixmap = ToQPixmap(image);
    return pixmap.isNull() ? QIcon() : QIcon(new PictureIconEngine(std::move(pixmap)));
}

int64_t LeadingInteger(const QString& text)
{
    QString trimmed = text.trimmed();
    qsizetype end = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    return trimmed.left(end).toLongLong();
}

View* QtControlDriver::CreateContainerView()
{
    if (!QApplication::instance()) return nullptr;
    return new QtContainerView();
}

void QtControlDriver::ClearKeyboardFocus(Window& window)
{
    auto* w = dynamic_cast<QtWindow*>(&window);
    if (QWidget* focus = w ? w->Widget()->focusWidget() : nullptr) focus->clearFocus();
}

uint32_t QtControlDriver::DisabledTextColor() const
{
    return FromQColor(QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
}

} // namespace nevalon::platform
