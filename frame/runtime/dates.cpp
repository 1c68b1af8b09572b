#include "frame/runtime/dates.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "frame/errors.h"
#include "frame/runtime/ascii.h"
#include "frame/runtime/calendar.h"
#include "frame/runtime/values.h"

namespace brixen::rt {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// A valid date as its day number and time of day in [0, 1).
struct DayAndTime {
  std::int64_t day;
  double time;
};

DayAndTime SplitSerial(Date date) {
  if (!std::isfinite(date) || std::fabs(date) > 1e7) Raise(kErrInvalidCall);
  const double day = std::trunc(date);
  const auto split = DayAndTime{static_cast<std::int64_t>(day), std::fabs(date - day)};
  if (!IsValidDayNumber(split.day)) Raise(kErrInvalidCall);
  return split;
}

Date CheckedJoin(std::int64_t day, double time) {
  if (!IsValidDayNumber(day)) Raise(kErrInvalidCall);
  return JoinSerial(day, time);
}

// Time as one increasing line of days, also across day 0.
double LinearDays(Date date) {
  const DayAndTime split = SplitSerial(date);
  return static_cast<double>(split.day) + split.time;
}

Date FromLinearDays(double days) {
  if (!std::isfinite(days) || std::fabs(days) > 1e7) Raise(kErrInvalidCall);
  const double day = std::floor(days);
  return CheckedJoin(static_cast<std::int64_t>(day), days - day);
}

// Whole seconds since day 0's midnight along the same line, rounded.
std::int64_t LinearSeconds(Date date) {
  const DayAndTime split = SplitSerial(date);
  return split.day * kSecondsPerDay + std::llround(split.time * kSecondsPerDay);
}

Date AddMonths(Date date, std::int64_t months) {
  const DayAndTime split = SplitSerial(date);
  const CivilDate civil = CivilFromDayNumber(split.day);
  const std::int64_t month_index = civil.year * 12 + (civil.month - 1) + months;
  const std::int64_t year = FloorDiv(month_index, 12);
  const int month = static_cast<int>(FloorMod(month_index, 12)) + 1;
  if (year < 100 || year > 9999) Raise(kErrInvalidCall);
  const int day = std::min(civil.day, DaysInMonth(year, month));
  return JoinSerial(DayNumber(year, month, day), split.time);
}

Date AddDays(Date date, std::int64_t days) {
  const DayAndTime split = SplitSerial(date);
  return CheckedJoin(split.day + days, split.time);
}

enum class Interval { kYear, kQuarter, kMonth, kDayOfYear, kDay, kWeekday, kWeek, kHour, kMinute, kSecond };

Interval ParseInterval(StringView text) {
  constexpr struct {
    StringView name;
    Interval interval;
  } kIntervals[] = {{u"yyyy", Interval::kYear}, {u"q", Interval::kQuarter},
                    {u"m", Interval::kMonth},   {u"y", Interval::kDayOfYear},
                    {u"d", Interval::kDay},     {u"w", Interval::kWeekday},
                    {u"ww", Interval::kWeek},   {u"h", Interval::kHour},
                    {u"n", Interval::kMinute},  {u"s", Interval::kSecond}};
  for (const auto& entry : kIntervals)
    if (EqualsNoCase(text, entry.name)) return entry.interval;
  Raise(kErrInvalidCall);
}

std::int64_t SecondsPer(Interval interval) {
  switch (interval) {
    case Interval::kHour: return 3600;
    case Interval::kMinute: return 60;
    default: return 1;
  }
}

std::int64_t CalendarDifference(Interval interval, Date date1, Date date2) {
  const DateParts a = SplitDate(date1);
  const DateParts b = SplitDate(date2);
  const std::int64_t day_a = DayNumber(a.year, a.month, a.day);
  const std::int64_t day_b = DayNumber(b.year, b.month, b.day);
  switch (interval) {
    case Interval::kYear: return b.year - a.year;
    case Interval::kQuarter: return (b.year * 4 + (b.month - 1) / 3) - (a.year * 4 + (a.month - 1) / 3);
    case Interval::kMonth: return (b.year * 12 + b.month) - (a.year * 12 + a.month);
    case Interval::kWeekday: return (day_b - day_a) / 7;
    // Weeks start on Sunday; day 1 (1899-12-31) was a Sunday.
    case Interval::kWeek: return FloorDiv(day_b - 1, 7) - FloorDiv(day_a - 1, 7);
    default: return day_b - day_a;
  }
}

}  // namespace

DateParts SplitDate(Date date) {
  const DayAndTime split = SplitSerial(date);
  std::int64_t day = split.day;
  std::int64_t seconds = std::llround(split.time * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++day;
    seconds = 0;
  }
  const CivilDate civil = CivilFromDayNumber(day);
  DateParts parts;
  parts.year = static_cast<int>(civil.year);
  parts.month = civil.month;
  parts.day = civil.day;
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  parts.weekday = static_cast<int>(FloorMod(day - 1, 7)) + 1;
  parts.day_of_year = static_cast<int>(day - DayNumber(civil.year, 1, 1)) + 1;
  return parts;
}

Integer Year(Date date) { return static_cast<Integer>(SplitDate(date).year); }
Integer Month(Date date) { return static_cast<Integer>(SplitDate(date).month); }
Integer Day(Date date) { return static_cast<Integer>(SplitDate(date).day); }
Integer Hour(Date date) { return static_cast<Integer>(SplitDate(date).hour); }
Integer Minute(Date date) { return static_cast<Integer>(SplitDate(date).minute); }
Integer Second(Date date) { return static_cast<Integer>(SplitDate(date).second); }
Integer Weekday(Date date) { return static_cast<Integer>(SplitDate(date).weekday); }

Single SecondsOfDay(Date date) {
  return static_cast<Single>(SplitSerial(date).time * kSecondsPerDay);
}

Date DateSerial(Long year, Long month, Long day) {
  const std::int64_t full_year = (year >= 0 && year <= 29) ? year + 2000
                                 : (year >= 30 && year <= 99) ? year + 1900
                                                              : year;
  const std::int64_t month_index = full_year * 12 + (std::int64_t{month} - 1);
  const std::int64_t first_of_month =
      DayNumber(FloorDiv(month_index, 12), static_cast<int>(FloorMod(month_index, 12)) + 1, 1);
  return CheckedJoin(first_of_month + (std::int64_t{day} - 1), 0.0);
}

Date TimeSerial(Long hour, Long minute, Long second) {
  const std::int64_t seconds = std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
  return CheckedJoin(FloorDiv(seconds, kSecondsPerDay),
                     static_cast<double>(FloorMod(seconds, kSecondsPerDay)) / kSecondsPerDay);
}

Date DateAdd(StringView interval_name, Double number, Date date) {
  const Interval interval = ParseInterval(interval_name);
  const std::int64_t count = CLng(number);
  switch (interval) {
    case Interval::kYear: return AddMonths(date, count * 12);
    case Interval::kQuarter: return AddMonths(date, count * 3);
    case Interval::kMonth: return AddMonths(date, count);
    case Interval::kWeek: return AddDays(date, count * 7);
    case Interval::kHour:
    case Interval::kMinute:
    case Interval::kSecond:
      return FromLinearDays(LinearDays(date) +
                            static_cast<double>(count * SecondsPer(interval)) / kSecondsPerDay);
    default: return AddDays(date, count);
  }
}

Long DateDiff(StringView interval_name, Date date1, Date date2) {
  const Interval interval = ParseInterval(interval_name);
  std::int64_t difference = 0;
  if (interval == Interval::kHour || interval == Interval::kMinute || interval == Interval::kSecond) {
    const std::int64_t unit = SecondsPer(interval);
    difference = FloorDiv(LinearSeconds(date2), unit) - FloorDiv(LinearSeconds(date1), unit);
  } else {
    difference = CalendarDifference(interval, date1, date2);
  }
  if (difference < std::numeric_limits<Long>::min() || difference > std::numeric_limits<Long>::max())
    Raise(kErrOverflow);
  return static_cast<Long>(difference);
}

}  // namespace brixen::rt
