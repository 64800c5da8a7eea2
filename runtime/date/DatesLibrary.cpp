#include "runtime/date/Dates.h"

#include <ctime>

namespace nevalon::date {

void InitDates()
{
    // The C library keeps the zone it reads here until ReloadTimeZone.
    tzset();
}

void ReloadTimeZone()
{
    // With TZ unset, glibc's tzset reads /etc/localtime again when the file changed.
    tzset();
}

void EndDates()
{
    ClockOverride() = nullptr;
}

} // namespace nevalon::date
