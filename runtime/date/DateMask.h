#pragma once

#include "runtime/date/Date.h"
#include "runtime/system/strings/String.h"

#include <cstdint>
#include <span>

namespace nevalon::date {

// The Date written by the mask: its tokens %yyyy %yy %mm %dd %hh %ii %ss (in any case) become the date's
// fields and every other unit is copied; "" for an empty mask or InvalidDate.
system::String DateToText(const system::String& mask, Date date);

// DateToText into the caller's buffer, cut to fit and ended by a zero unit; a buffer of the mask's length
// plus one always holds it whole. Returns the number of units written before the zero.
int64_t DateToText(const system::String& mask, Date date, std::span<char16_t> buffer);

// The Date that text shows under mask (fields left out are 1970-01-01 00:00:00), or InvalidDate when the
// text does not match the mask whole or names no real date of the supported years.
Date TextToDate(const system::String& mask, const system::String& text);

} // namespace nevalon::date
