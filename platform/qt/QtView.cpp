#include "platform/qt/QtView.h"

#include "platform/Image.h"

#include <QApplication>
#include <QColor>
#include <QImage>

namespace nevalon::platform {
namespace {

class QtContainerView final : public QtView<View> {
public:
    QtContainerView() : QtView<View>("NSView", new QWidget()) {}
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

int64_t LeadingInteger(const QString& text)
{
    QString trimmed = text.trimmed();
    qsizetype end = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    return trimmed.left(end).toLongLong();
}

View* CreateContainerView()
{
    if (!QApplication::instance()) return nullptr;
    return new QtContainerView();
}

void ClearKeyboardFocus(Window& window)
{
    auto* w = dynamic_cast<QtWindow*>(&window);
    if (QWidget* focus = w ? w->Widget()->focusWidget() : nullptr) focus->clearFocus();
}

uint32_t DisabledTextColor()
{
    return FromQColor(QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
}

} // namespace nevalon::platform
