// The fixed monthly access code table behind clsProperty.Pwd.
#pragma once
#include "frame/types.h"

namespace brixen {

// The code of the calendar month of `date` (its day and time play no part), or the empty
// string for a month outside the table (200309 to 205308).
String MonthlyCode(Date date);

// The table itself, ascending months.
struct MonthlyCodeEntry {
  const char16_t* month;  // yyyymm
  const char16_t* code;
};
extern const MonthlyCodeEntry kMonthlyCodes[600];

}  // namespace brixen
