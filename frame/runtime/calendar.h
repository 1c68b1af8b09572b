// Proleptic Gregorian calendar arithmetic on day numbers (day 0 = 1899-12-30) and the
// split of a Date into its day and time of day.
#pragma once
#include <cstdint>

#include "frame/types.h"

namespace brixen::rt {

struct CivilDate {
  std::int64_t year;
  int month, day;
};

std::int64_t DayNumber(std::int64_t year, int month, int day);
CivilDate CivilFromDayNumber(std::int64_t day_number);
int DaysInMonth(std::int64_t year, int month);
bool IsValidCivilDate(std::int64_t year, int month, int day);  // within 100..9999 too
bool IsValidDayNumber(std::int64_t day_number);

// The serial date of a day number and a time of day in [0, 1).
Date JoinSerial(std::int64_t day_number, double time_of_day);

// Floor division and the matching non-negative remainder.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

}  // namespace brixen::rt
