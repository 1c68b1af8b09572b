#include "system/monthly_code.h"

#include <algorithm>
#include <iterator>

#include "frame/runtime/format.h"

namespace brixen {

const MonthlyCodeEntry kMonthlyCodes[600] = {
#include "system/pwd_table.inc"
};

String MonthlyCode(Date date) {
  const String month = rt::FormatDate(date, u"yyyymm");
  const auto entry = std::find_if(std::begin(kMonthlyCodes), std::end(kMonthlyCodes),
                                  [&](const MonthlyCodeEntry& e) { return month == e.month; });
  return entry == std::end(kMonthlyCodes) ? String() : String(entry->code);
}

}  // namespace brixen
