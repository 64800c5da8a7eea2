#include "runtime/date/Dates.h"

#include <ctime>

namespace nevalon::date {

void InitDates()
{
    // The C library keeps the zone it reads here; later edits of /etc/localtime are not followed.
    tzset();
}

void EndDates()
{
    ClockOverride() = nullptr;
}

} // namespace nevalon::date
