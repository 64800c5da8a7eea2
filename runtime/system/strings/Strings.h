#pragma once

#include "runtime/system/strings/String.h"
#include "runtime/system/strings/StringBytes.h"

#include <cstdint>

namespace nevalon::system {

// Sets the process locale ("en_US.UTF-8", else "C.UTF-8"; numeric "C"); 1 when a UTF-8 locale was taken.
int64_t InitStrings();

// Ends the strings library; owned string values leave nothing to release.
void EndStrings();

// Number of code units in `text`.
int64_t StringLength(const String& text);

// 1 if `a` and `b` hold the same units, else 0.
int64_t StringsEqual(const String& a, const String& b);

// Difference of the first differing units taken as signed 16-bit values (the end counts as unit 0).
int64_t CompareStrings(const String& a, const String& b);

// CompareStrings after mapping every unit through the locale's lower-case mapping.
int64_t CompareStringsNoCase(const String& a, const String& b);

// 1-based position of the first `what` at or after `start` (below 1 counts as 1); 0 if none.
int64_t FindSubstring(const String& text, const String& what, int64_t start = 1);

// Number of non-overlapping occurrences of `what`; 0 when either is empty.
int64_t CountSubstring(const String& text, const String& what);

// `text` with every non-overlapping `what` replaced by `with`; an empty `what` changes nothing.
String ReplaceSubstring(const String& text, const String& what, const String& with);

// `text` with `insert` placed before the unit at 1-based `position` (clamped to start and end).
String InsertSubstring(const String& text, const String& insert, int64_t position);

// The first `n` units of `text` (n clamped to 0..length).
String LeftPart(const String& text, int64_t n);

// The last `n` units of `text` (n clamped to 0..length).
String RightPart(const String& text, int64_t n);

// Each unit mapped through the C library's wide lower-case mapping of the process locale.
String LowerCase(const String& text);

// `text` with a space for each control character (U+0000 to U+001F, U+007F) and line or paragraph
// separator (U+2028, U+2029): what one line of text can hold.
String SpacesForControlCharacters(const String& text);

// `text` cut or filled on the left with the first unit of `pad` to `length` units; "" for an empty pad.
String PadLeft(const String& text, int64_t length, const String& pad);

// The 1-based `index`-th field of `text` split at `separator`; "" when there is no such field.
String GetField(const String& text, int64_t index, const String& separator);

// Decimal text of `value`, with "-" for negatives.
String IntegerToString(int64_t value);

// Value of leading blanks, sign and decimal, "%" binary or "$" hexadecimal digits; wraps; 0 if none.
int64_t StringToInteger(std::u16string_view text);

} // namespace nevalon::system
