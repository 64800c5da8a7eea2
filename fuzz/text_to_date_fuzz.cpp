// Date masks: any mask and text parse without harm, and a date of the supported years read back from
// its own text under a mask with every field is the same date.
#include "FuzzInput.h"
#include "runtime/date/Date.h"
#include "runtime/date/DateMask.h"
#include "runtime/system/strings/Strings.h"

#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

// In a zone without offset changes every local time names one instant, so a written date reads back.
const bool kUniversalTime = [] {
    setenv("TZ", "UTC", 1);
    tzset();
    return true;
}();

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nevalon;
    fuzz::FuzzInput input(data, size);
    const date::Date when = input.Integer();
    const system::String mask = system::StringFromUtf8(input.Piece());
    const system::String text = system::StringFromUtf8(input.Rest());

    date::TextToDate(mask, text);
    const system::String shown = date::DateToText(mask, when);
    std::vector<char16_t> buffer(mask.size() % 16 + 1);
    date::DateToText(mask, when, buffer);
    date::TextToDate(mask, shown);

    const system::String full = u"%yyyy-%mm-%dd %hh:%ii:%ss";
    // Outside the supported years a date still shows, but no text names it.
    if (kUniversalTime && when >= date::kFirstDate && when <= date::kLastDate)
        fuzz::Require(date::TextToDate(full, date::DateToText(full, when)) == when);
    return 0;
}
