#include "platform/Controls.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtView.h"

#include <QApplication>
#include <QComboBox>

namespace nevalon::platform {
namespace {

constexpr int kItemSide = 16;

class QtPopUpButton final : public QtControl<PopUpButton> {
public:
    QtPopUpButton()
        : QtControl<PopUpButton>("NSPopUpButton", new QComboBox(), QPalette::ButtonText, QPalette::Button)
    {
        Widget()->setIconSize(QSize(kItemSide, kItemSide));
        QObject::connect(Widget(), &QComboBox::activated, Context(), [this] { SendAction(); });
    }

    void SetStringValue(const std::u16string& text) override
    {
        if (Widget())
            Widget()->setCurrentIndex(Widget()->findText(QString::fromStdU16String(text), Qt::MatchExactly));
    }
    std::u16string StringValue() const override { return ItemTitle(IntegerValue()); }
    void SetIntegerValue(int64_t value) override
    {
        if (Widget()) Widget()->setCurrentIndex(Valid(value) ? int(value) : -1);
    }
    int64_t IntegerValue() const override { return Widget() ? Widget()->currentIndex() : -1; }

    void InsertItem(int64_t index, const std::u16string& title, Image* image) override
    {
        if (!Widget()) return;
        bool noChoice = Widget()->currentIndex() < 0;
        int at = Valid(index) ? int(index) : Widget()->count();
        Widget()->insertItem(at, ToQIcon(image), QString::fromStdU16String(title), QVariant(qlonglong(0)));
        // A combo box chooses its first item by itself.
        if (noChoice) Widget()->setCurrentIndex(-1);
    }
    void RemoveItem(int64_t index) override
    {
        if (Widget() && Valid(index)) Widget()->removeItem(int(index));
    }
    void RemoveAllItems() override
    {
        if (Widget()) Widget()->clear();
    }
    int64_t ItemCount() const override { return Widget() ? Widget()->count() : 0; }
    std::u16string ItemTitle(int64_t index) const override
    {
        return Valid(index) ? Widget()->itemText(int(index)).toStdU16String() : std::u16string();
    }
    void SetItemTitle(int64_t index, const std::u16string& title) override
    {
        if (Valid(index)) Widget()->setItemText(int(index), QString::fromStdU16String(title));
    }

private:
    QComboBox* Widget() const { return static_cast<QComboBox*>(widget_.data()); }
    bool Valid(int64_t index) const { return Widget() && index >= 0 && index < Widget()->count(); }
};

} // namespace

PopUpButton* QtControlDriver::CreatePopUpButton()
{
    return QApplication::instance() ? new QtPopUpButton() : nullptr;
}

} // namespace nevalon::platform
