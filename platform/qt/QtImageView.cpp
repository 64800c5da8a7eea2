#include "platform/Controls.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtView.h"

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>

namespace nevalon::platform {
namespace {

// Draws its picture at the top-left corner inside its border, scaled down to fit and never up, and counts
// the clicks of a series as the desktop does.
class QtImageWidget final : public QFrame {
public:
    QPixmap picture;
    std::function<void(bool rightButton, int clicks)> clicked;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        if (picture.isNull()) return;
        QRect area = contentsRect();
        QSizeF size = picture.deviceIndependentSize();
        if (size.width() > area.width() || size.height() > area.height())
            size = size.scaled(QSizeF(area.size()), Qt::KeepAspectRatio);
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRectF(area.topLeft(), size), picture, QRectF(picture.rect()));
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        clicks_ = 1;
        QFrame::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        clicks_ = 2;
        QFrame::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QFrame::mouseReleaseEvent(event);
        bool right = event->button() == Qt::RightButton;
        if ((right || event->button() == Qt::LeftButton) && rect().contains(event->position().toPoint()) &&
            clicked) {
            // A copy: the handler may free the view.
            auto handler = clicked;
            handler(right, clicks_);
        }
    }

private:
    int clicks_ = 1;
};

class QtImageView final : public QtControl<ImageView> {
public:
    QtImageView(const QtImageView&) = delete;
    QtImageView& operator=(const QtImageView&) = delete;
    QtImageView()
        : QtControl<ImageView>("NSImageView", new QtImageWidget(), QPalette::WindowText, QPalette::Window)
    {
    }
    ~QtImageView() override { SetClickHandler(nullptr); }

    // No text and no value of its own.
    void SetStringValue(const std::u16string&) override {}
    std::u16string StringValue() const override { return {}; }
    void SetIntegerValue(int64_t) override {}
    int64_t IntegerValue() const override { return 0; }

    void SetImage(Image* image) override
    {
        image_ = Ref<Image>(image);
        if (!Widget()) return;
        Widget()->picture = ToQPixmap(image);
        Widget()->update();
    }
    Image* GetImage() const override { return image_.get(); }
    void SetBordered(bool bordered) override
    {
        if (!Widget()) return;
        // A sunken box of one-point lines is a groove two points wide.
        Widget()->setFrameStyle(bordered ? QFrame::Box | QFrame::Sunken : QFrame::NoFrame);
        Widget()->setLineWidth(1);
    }
    void SetClickHandler(std::function<void(bool rightButton, int clicks)> handler) override
    {
        if (Widget()) Widget()->clicked = std::move(handler);
    }

private:
    QtImageWidget* Widget() const { return static_cast<QtImageWidget*>(widget_.data()); }

    Ref<Image> image_;
};

} // namespace

ImageView* QtControlDriver::CreateImageView()
{
    return QApplication::instance() ? new QtImageView() : nullptr;
}

} // namespace nevalon::platform
