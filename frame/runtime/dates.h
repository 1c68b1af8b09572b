// Dates of the run-time: a Double counting days from 1899-12-30 00:00; the fraction is
// the time of day. Before day 0 the integer part still names the day and the fraction
// counts forward from its midnight (-1.25 is 1899-12-29 06:00). Valid dates run from
// 100-01-01 to 9999-12-31.
#pragma once
#include <optional>

#include "frame/types.h"

namespace brixen::rt {

// The system's short-date order, used to read dates written as numbers only.
enum class DateOrder { kYMD, kMDY, kDMY };

// A date read back into its parts, the time rounded to the nearest second.
struct DateParts {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
  int weekday = 0;      // Sunday = 1 ... Saturday = 7
  int day_of_year = 0;  // January 1 = 1
};

// Error 5 for a date outside the valid range (or not finite).
DateParts SplitDate(Date date);

Integer Year(Date date);
Integer Month(Date date);
Integer Day(Date date);
Integer Hour(Date date);
Integer Minute(Date date);
Integer Second(Date date);
Integer Weekday(Date date);  // Sunday = 1

// Seconds since the date's midnight, with their fraction (the form Timer returns).
Single SecondsOfDay(Date date);

// Months and days beyond their range carry over (month 13 is January of the next
// year, day 0 the last day of the previous month); years 0-29 mean 2000-2029 and
// 30-99 mean 1930-1999. A result outside the valid range raises error 5.
Date DateSerial(Long year, Long month, Long day);
// Hours, minutes and seconds carry over likewise; negative times go back before day 0.
Date TimeSerial(Long hour, Long minute, Long second);

// Adds `number` (rounded to a whole number) of the interval: "yyyy" years, "q" quarters,
// "m" months (the day clamped to the new month's end), "y" / "d" / "w" days, "ww" weeks,
// "h" hours, "n" minutes, "s" seconds. An unknown interval or a result outside the valid
// range raises error 5.
Date DateAdd(StringView interval, Double number, Date date);

// The number of intervals from date1 to date2: calendar boundaries crossed ("yyyy",
// "q", "m", "y"/"d" days, "ww" Sundays), whole weeks ("w"), and hour, minute or second
// boundaries crossed ("h", "n", "s"). Error 5 for an unknown interval, 6 when the count
// leaves the Long range.
Long DateDiff(StringView interval, Date date1, Date date2);

// Text read as a date and optional time: two or three numbers separated by "/", "-",
// ".", blanks or ","; English month names; Japanese marks (2006年7月25日); a time
// "h:mm[:ss] [AM|PM]". Numbers-only dates are read in `order` first, then in the other
// orders; a missing year is the year of `today`; two-digit years 00-29 are 20xx and
// 30-99 are 19xx. Nothing when the text is no valid date.
std::optional<Date> ReadDate(StringView text, DateOrder order, Date today);
bool IsDate(StringView text, DateOrder order, Date today);
// The date and time of the text; error 13 when it is no date.
Date CDate(StringView text, DateOrder order, Date today);
// The date of the text without its time; error 13 when it is no date.
Date DateValue(StringView text, DateOrder order, Date today);

}  // namespace brixen::rt
