#include "runtime/date/DateLibrary.h"

#include "runtime/date/CurrentDate.h"

#include <ctime>

namespace nevalon::date {

void InitDateLibrary()
{
    // The C library keeps the zone it reads here; later edits of /etc/localtime are not followed.
    tzset();
}

void EndDateLibrary()
{
    SetClockForTests({});
}

} // namespace nevalon::date
