// The texts clsDATE writes, without the clock or the locale: each function takes the day
// and the language it needs.
#pragma once
#include "frame/runtime/dates.h"
#include "frame/types.h"

namespace brixen::dates {

// Seconds as hours ":" minutes ":" seconds, each at least two digits; hours keep all their
// digits and negative counts give negative parts ("-01:-02:-05").
String ClockText(Long seconds);

// Seconds rounded to whole seconds (halves to even; error 6 beyond the Long range) as the
// day count, its unit ("日" in Japanese, "days" otherwise), a blank and the clock text of
// the rest of the day.
String DaysAndClockText(Single seconds, bool japanese);

// Seconds from `from` to `to` as the run-time's DateDiff counts them (error 6 beyond the
// Long range).
Long ElapsedSeconds(Date from, Date to);

// The day in Japanese calendar notation: 2006年07月25日 (on every system).
String JapaneseDateText(Date day);

// The greeting for the date's month and day, or an empty text. Each greeting starts with
// two blanks; they are always Japanese.
String Greeting(Date date);

// The greeting for a date written as text, read with the system's rules (error 13 when the
// text is no date).
String GreetingOfText(StringView text, rt::DateOrder order, Date today);

// The status text: the caller's text, "  本日:", today's text and the greeting.
String StatusText(StringView caller_text, StringView today_text, StringView greeting);

// The warning IsExactDate shows when a value is no date.
struct Message {
  StringView title;
  StringView text;
};
Message NotADateMessage(bool japanese);

}  // namespace brixen::dates
