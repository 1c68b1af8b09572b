// Format: numbers, texts and dates written by a pattern, the way the run-time's Format
// writes them.
//
// Digit patterns: "0" a mandatory digit, "#" an optional one, "." the decimal point,
// "," between integer placeholders groups thousands; rounding is half away from zero
// on the value's 15 significant digits. Sections split by ";" are for positive,
// negative and zero values. Character patterns: "@" a character or a space, "&" a
// character or nothing, filled from the right; a longer text comes back whole.
// Date patterns: yyyy yy y q m mm mmm mmmm d dd ddd dddd w ww h hh n nn s ss and
// AM/PM, am/pm, A/P, a/p; "m" or "mm" right after an hour part means minutes; "/" and
// ":" stand for the system's date and time separators. Everywhere, "\x" and text in
// double quotes are copied as they are, as is any other character.
#pragma once
#include "frame/types.h"

namespace brixen::rt {

struct DateSeparators {
  char16_t date = u'/';
  char16_t time = u':';
};

// With a date pattern the value is read as a Date; an empty pattern gives CStr(value).
String Format(Double value, StringView pattern);
// With a digit pattern a text that reads as a number is formatted as that number and
// any other text comes back unchanged; a character pattern fills with the text.
String Format(StringView text, StringView pattern);
String FormatDate(Date date, StringView pattern, DateSeparators separators = {});

// A date as CStr writes it: the time alone on day 0, the date alone at midnight,
// otherwise date, a blank and time, each in the system's pattern.
String CStrDate(Date date, StringView date_pattern = u"yyyy/mm/dd",
                StringView time_pattern = u"h:nn:ss", DateSeparators separators = {});

}  // namespace brixen::rt
