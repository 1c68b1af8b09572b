#include "dates/date_arithmetic.h"

#include "frame/errors.h"
#include "frame/runtime/values.h"

namespace brixen::dates {
namespace {

constexpr Date kLastValidDay = 2958465;  // 9999-12-31

Date PreviousDay(Date date) { return rt::DateAdd(u"d", -1, date); }

}  // namespace

Date DayOf(Date moment) { return rt::DateSerial(rt::Year(moment), rt::Month(moment), rt::Day(moment)); }

Date FirstOfMonth(Date moment, Long months) {
  const Date moved = rt::DateAdd(u"m", months, moment);
  return rt::DateSerial(rt::Year(moved), rt::Month(moved), 1);
}

Date NextDay(Date date) {
  if (date >= kLastValidDay) Raise(kErrOverflow);
  return rt::DateAdd(u"d", 1, date);
}

Date EndOfMonth(Date target) {
  const Integer month = rt::Month(target);
  Date running = NextDay(target);
  while (rt::Month(running) == month) running = NextDay(running);
  return PreviousDay(running);
}

void SetRange(Long which, Date now, Date& first, Date& last, const std::function<Date(Date)>& end_of_month) {
  switch (which) {
    case wantToday:
      first = DayOf(now);
      last = DayOf(now);
      break;
    case wantThisMonth:
      first = FirstOfMonth(now, 0);
      last = end_of_month(DayOf(now));
      break;
    case wantPrevMonth:
    case wantNextMonth:
      first = FirstOfMonth(now, which == wantPrevMonth ? -1 : 1);
      last = end_of_month(first);
      break;
    case wantmaxDate:
      first = rt::DateSerial(1900, 1, 1);
      last = rt::DateSerial(2999, 1, 1);
      break;
    default:
      break;
  }
}

Long SecondsOfTheDay(Date moment) {
  const rt::DateParts parts = rt::SplitDate(moment);
  return parts.hour * 3600 + parts.minute * 60 + parts.second;
}

Long EightDigitDate(Date date) {
  const rt::DateParts parts = rt::SplitDate(date);
  return parts.year * 10000 + parts.month * 100 + parts.day;
}

Integer DaysInMonth(Integer year, Integer month, rt::DateOrder order, Date today) {
  const String first = rt::CStr(year) + u"/" + rt::CStr(month) + u"/1";
  Date running = rt::CDate(first, order, today);
  Integer count = 0;
  while (rt::Month(running) == month) {
    ++count;
    running = NextDay(running);
  }
  return count;
}

}  // namespace brixen::dates
