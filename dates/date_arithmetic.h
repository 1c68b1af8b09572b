// The calendar rules of clsDATE without the clock: each function takes the moment it works
// on, so the class only reads the clock and reports errors.
#pragma once
#include <functional>

#include "frame/runtime/dates.h"
#include "frame/types.h"

namespace brixen::dates {

// The ranges GetSevralDate sets (ENUM_DATE of the type library).
enum DateWanted : Long { wantToday = 1, wantThisMonth = 2, wantPrevMonth = 3, wantNextMonth = 4, wantmaxDate = 5 };

// The day of a moment, at midnight.
Date DayOf(Date moment);

// The first day of the month `months` calendar months from the moment's month.
Date FirstOfMonth(Date moment, Long months);

// One day later. Past the last valid date (9999-12-31) the run-time's date arithmetic
// overflows: error 6.
Date NextDay(Date date);

// The last day of the date's month, at the date's time of day, found by adding days until
// the month changes; so every date of December 9999 overflows (error 6).
Date EndOfMonth(Date target);

// Sets the range `which` asks for: `first` is assigned before the end is computed with
// `end_of_month` (the class passes its own GetEndDate, which reports its own failures).
// Any other `which` leaves both unchanged.
void SetRange(Long which, Date now, Date& first, Date& last, const std::function<Date(Date)>& end_of_month);

// Seconds since midnight of the moment's time (0 to 86399); the date part is ignored.
Long SecondsOfTheDay(Date moment);

// The date as the eight-digit number yyyymmdd; the time is ignored.
Long EightDigitDate(Date date);

// The number of days of the month: year "/" month "/1" read as a date with the system's
// rules (error 13 when that is no date), then days counted while the month read back
// stays `month`.
Integer DaysInMonth(Integer year, Integer month, rt::DateOrder order, Date today);

}  // namespace brixen::dates
