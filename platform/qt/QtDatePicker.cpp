#include "platform/Controls.h"
#include "platform/qt/QtDrivers.h"
#include "platform/qt/QtView.h"

#include <QApplication>
#include <QCalendarWidget>

namespace nevalon::platform {
namespace {

class QtDatePicker final : public QtControl<DatePicker> {
public:
    QtDatePicker()
        : QtControl<DatePicker>("NSDatePicker", new QCalendarWidget(), QPalette::Text, QPalette::Base)
    {
        Widget()->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        // A click on a day, or Return on the chosen one, picks it; turning the months does not.
        QObject::connect(Widget(), &QCalendarWidget::clicked, Context(), [this] { SendAction(); });
        QObject::connect(Widget(), &QCalendarWidget::activated, Context(), [this] { SendAction(); });
    }

    // The day as a number of the form yyyymmdd.
    void SetStringValue(const std::u16string&) override {}
    std::u16string StringValue() const override { return {}; }
    void SetIntegerValue(int64_t value) override
    {
        SetDay({int(value / 10000), int(value / 100 % 100), int(value % 100)});
    }
    int64_t IntegerValue() const override
    {
        Day d = GetDay();
        return int64_t(d.year) * 10000 + d.month * 100 + d.day;
    }

    void SetDay(Day day) override
    {
        if (Widget()) Widget()->setSelectedDate(QDate(day.year, day.month, day.day));
    }
    Day GetDay() const override
    {
        QDate date = Widget() ? Widget()->selectedDate() : QDate();
        return date.isValid() ? Day{date.year(), date.month(), date.day()} : Day{};
    }

    Size FittingSize() const override
    {
        QSize size = Widget() ? Widget()->minimumSizeHint() : QSize();
        return {double(size.width()), double(size.height())};
    }

private:
    QCalendarWidget* Widget() const { return static_cast<QCalendarWidget*>(widget_.data()); }
};

} // namespace

DatePicker* QtControlDriver::CreateDatePicker()
{
    return QApplication::instance() ? new QtDatePicker() : nullptr;
}

} // namespace nevalon::platform
