// The run-time's clock, the message pump of DoEvents and the system's date and time
// conventions.
#pragma once
#include <windows.h>

#include <functional>

#include "frame/runtime/dates.h"
#include "frame/types.h"

namespace brixen::win {

// The local time every clock reading goes through. Tests replace it; the default reads
// GetLocalTime, unless the process environment holds BRIXEN_TEST_NOW="yyyy-mm-dd hh:nn:ss"
// (read at every reading): then the clock stands at that moment. That is how tests fix the
// clock of the registered DLL, a module of its own that the seam below does not reach.
using LocalTimeSource = std::function<SYSTEMTIME()>;
void SetClockForTests(LocalTimeSource source);
void ResetClockForTests();

Date Now();           // local date and time, whole seconds
Date Today();         // local date, midnight
Date TimeOfDay();     // local time of day as a fraction of a day (day 0)
Single Timer();       // seconds since local midnight, to the hundredth

// The platform's millisecond tick count read as a signed Long (it turns negative after 24.8
// days). BRIXEN_TEST_TICKS in the process environment (decimal) stands in for it, as
// BRIXEN_TEST_NOW does for the clock.
Long TickCount();

// Seconds from an arbitrary start, never going back and unaffected by clock changes:
// for timed waits, including waits that run over midnight.
double MonotonicSeconds();

// Runs the calling thread's pending window messages. A WM_QUIT is put back in the
// queue for the caller's own loop and ends the run.
void DoEvents();

// The order of day, month and year in the user's short date form.
enum class DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

DateOrder SystemDateOrder();
// The same order in the form the run-time's date reader (rt::ReadDate, rt::CDate) takes.
rt::DateOrder SystemReadOrder();
String ShortDatePattern();  // e.g. "M/d/yyyy", "yyyy/MM/dd"
String DateSeparator();     // "/" , "."
String TimeSeparator();     // ":"

// A date's day and its time of day as the run-time's CStr writes each alone: the day in the
// user's short date form ("7/25/2006", "2006/7/25"), the time in the user's time form
// ("12:34:56 PM", "12:34:56").
String ShortDateText(Date date);
String TimeText(Date date);

// The order in which a short date pattern names its fields; quoted literals are skipped.
// A pattern that names none of them gives MonthDayYear.
DateOrder DateOrderOf(StringView shortDatePattern);

}  // namespace brixen::win
