#include "app/CalendarExport.h"

// Stand-in so that this branch links on its own; the calendar export's own source replaces it.
namespace nevalon::app {

String NewUuidString()
{
    return u"00000000-0000-0000-0000-000000000000";
}

void WriteCalendarFile(const String&, const String&, date::Date, int64_t) {}

} // namespace nevalon::app
