#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtView.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>

namespace nevalon::platform {
namespace {

// The scrolled document: a plain container whose widget the scroll area holds.
class QtDocumentView final : public QtView<View> {
public:
    QtDocumentView() : QtView<View>("NSView", new QWidget()) {}
};

class QtScrollView final : public QtView<ScrollView> {
public:
    QtScrollView()
        : QtView<ScrollView>("NSScrollView", new QScrollArea()),
          document_(Ref<QtDocumentView>::Adopt(new QtDocumentView()))
    {
        QScrollArea* area = Area();
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // The window's own background shows through, in either appearance.
        area->viewport()->setAutoFillBackground(false);
        // The area deletes the document's widget with its own; the document view then holds none.
        area->setWidget(document_->Widget());
        document_->Widget()->setAutoFillBackground(false);
        document_->Widget()->show();
        // However the focus came to a view out of sight (Tab, a click, the program), it is scrolled into it.
        QObject::connect(qApp, &QApplication::focusChanged, Context(), [this](QWidget*, QWidget* now) {
            QWidget* document = document_->Widget();
            if (Area() && document && now && document->isAncestorOf(now))
                Area()->ensureWidgetVisible(now, 0, 10);
        });
    }

    View& DocumentView() override { return *document_.get(); }
    void SetDocumentSize(Size size) override
    {
        if (QWidget* document = document_->Widget())
            document->setFixedSize(int(std::lround(size.width)), int(std::lround(size.height)));
    }
    Size DocumentSize() const override
    {
        QWidget* document = document_->Widget();
        return document ? Size{double(document->width()), double(document->height())} : Size{};
    }
    void ScrollTo(Point point) override
    {
        if (!Area()) return;
        Area()->horizontalScrollBar()->setValue(int(std::lround(point.x)));
        Area()->verticalScrollBar()->setValue(int(std::lround(point.y)));
    }
    Point ScrollPosition() const override
    {
        if (!Area()) return {};
        return {double(Area()->horizontalScrollBar()->value()), double(Area()->verticalScrollBar()->value())};
    }

private:
    QScrollArea* Area() const { return static_cast<QScrollArea*>(widget_.data()); }

    Ref<QtDocumentView> document_;
};

} // namespace

ScrollView* QtControlDriver::CreateScrollView()
{
    return QApplication::instance() ? new QtScrollView() : nullptr;
}

} // namespace nevalon::platform
