#include "runtime/date/ShiftDate.h"

#include "runtime/date/DateParts.h"
#include "runtime/date/MakeDate.h"

namespace nevalon::date {

namespace {

// Beyond this many months every start in range lands outside it; it also keeps the sums below exact.
constexpr int64_t kMonthsInRange = int64_t{kLastYear - kFirstYear + 1} * 12;

Date ShiftMonths(Date date, int64_t months)
{
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!DateParts(date, year, month, day, hour, minute, second)) return InvalidDate;
    if (months > kMonthsInRange || months < -kMonthsInRange) return InvalidDate;
    const int64_t monthIndex = int64_t{month} - 1 + months;
    const int64_t newYear = year + (monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12);
    const auto newMonth = static_cast<int32_t>(monthIndex - (newYear - year) * 12 + 1);
    if (newYear < kFirstYear || newYear > kLastYear) return InvalidDate;
    for (int32_t tried = day;; --tried) {
        const Date shifted = MakeDate(static_cast<int32_t>(newYear), newMonth, tried, hour, minute, second);
        if (shifted != InvalidDate || tried <= 28) return shifted;
    }
}

Date AddSeconds(Date date, int64_t amount, int64_t unitSeconds)
{
    int64_t delta = 0, sum = 0;
    if (__builtin_mul_overflow(amount, unitSeconds, &delta) || __builtin_add_overflow(date, delta, &sum)) {
        return InvalidDate;
    }
    return sum;
}

} // namespace

Date ShiftDate(Date date, uint32_t unit, int64_t amount)
{
    if (date == InvalidDate) return InvalidDate;
    switch (unit) {
    case kYearUnit: {
        int64_t months = 0;
        if (__builtin_mul_overflow(amount, 12, &months)) return InvalidDate;
        return ShiftDate(date, kMonthUnit, months);
    }
    case kMonthUnit:
        return InSupportedRange(ShiftMonths(date, amount));
    case kWeekUnit:
        return InSupportedRange(AddSeconds(date, amount, 604800));
    case kDayUnit:
        return InSupportedRange(AddSeconds(date, amount, 86400));
    case kHourUnit:
        return InSupportedRange(AddSeconds(date, amount, 3600));
    case kMinuteUnit:
        return InSupportedRange(AddSeconds(date, amount, 60));
    case kSecondUnit:
        return InSupportedRange(AddSeconds(date, amount, 1));
    default:
        return InSupportedRange(date);
    }
}

} // namespace nevalon::date
