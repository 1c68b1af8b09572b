#include "frame/runtime/calendar.h"

namespace brixen::rt {
namespace {

// Days since 1970-01-01, counted in 400-year cycles of the Gregorian calendar.
constexpr std::int64_t DaysFromCivilEpoch(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t year_of_era = y - era * 400;
  const std::int64_t day_of_year = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

constexpr std::int64_t kDay0 = DaysFromCivilEpoch(1899, 12, 30);
constexpr std::int64_t kFirstValidDay = DaysFromCivilEpoch(100, 1, 1) - kDay0;
constexpr std::int64_t kLastValidDay = DaysFromCivilEpoch(9999, 12, 31) - kDay0;

constexpr bool IsLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

std::int64_t DayNumber(std::int64_t year, int month, int day) {
  return DaysFromCivilEpoch(year, month, day) - kDay0;
}

CivilDate CivilFromDayNumber(std::int64_t day_number) {
  const std::int64_t z = day_number + kDay0 + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t mp = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {year_of_era + era * 400 + (month <= 2), month, day};
}

int DaysInMonth(std::int64_t year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (month == 2 && IsLeapYear(year)) ? 29 : kDays[month - 1];
}

bool IsValidCivilDate(std::int64_t year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool IsValidDayNumber(std::int64_t day_number) {
  return day_number >= kFirstValidDay && day_number <= kLastValidDay;
}

Date JoinSerial(std::int64_t day_number, double time_of_day) {
  const double day = static_cast<double>(day_number);
  return day_number >= 0 ? day + time_of_day : day - time_of_day;
}

}  // namespace brixen::rt
