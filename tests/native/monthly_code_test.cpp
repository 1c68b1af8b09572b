// The monthly access code table: its form, and the month a date picks from it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/runtime/dates.h"
#include "system/monthly_code.h"

namespace brixen::test {
namespace {

Date At(Long y, Long m, Long d, Long h = 0, Long n = 0, Long s = 0) {
  return rt::DateSerial(y, m, d) + rt::TimeSerial(h, n, s);
}

std::string Narrow(const String& text) { return std::string(text.begin(), text.end()); }

bool IsCodeCharacter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'); }

TEST(MonthlyCodes, OneDistinctCodeOfFiveToEightLettersOrDigitsPerMonthFrom200309To205308) {
  std::set<String> codes;
  Long year = 2003, month = 9;
  for (const MonthlyCodeEntry& entry : kMonthlyCodes) {
    const std::string expected = std::to_string(year * 100 + month);
    EXPECT_EQ(Narrow(entry.month), expected);
    const String code = entry.code;
    EXPECT_GE(code.size(), 5u) << expected;
    EXPECT_LE(code.size(), 8u) << expected;
    for (char16_t c : code) EXPECT_TRUE(IsCodeCharacter(c)) << expected << ": " << Narrow(code);
    EXPECT_TRUE(codes.insert(code).second) << "repeated code " << Narrow(code);
    if (++month == 13) month = 1, ++year;
  }
  EXPECT_EQ(year * 100 + month, 205309);
}

TEST(MonthlyCode, EveryMomentOfAMonthGivesTheMonthsCode) {
  Long index = 0;
  for (Long year = 2003, month = 9; index < 600; ++index) {
    const String code = kMonthlyCodes[index].code;
    const Date first = At(year, month, 1);
    const Date last = At(year, month + 1, 0, 23, 59, 59);
    for (Date day = first; day <= last; day += 1) ASSERT_EQ(MonthlyCode(day), code) << Narrow(code);
    EXPECT_EQ(MonthlyCode(last), code);
    if (++month == 13) month = 1, ++year;
  }
}

TEST(MonthlyCode, AdjacentMonthsDifferAndMonthsOutsideTheTableGiveNothing) {
  EXPECT_NE(MonthlyCode(At(2006, 7, 31, 23, 59, 59)), MonthlyCode(At(2006, 8, 1)));
  EXPECT_EQ(MonthlyCode(At(2003, 9, 1)), kMonthlyCodes[0].code);
  EXPECT_EQ(MonthlyCode(At(2053, 8, 31, 23, 59, 59)), kMonthlyCodes[599].code);
  for (Date outside : {At(2003, 8, 31, 23, 59, 59), At(2003, 8, 1), At(2053, 9, 1), At(1899, 12, 30), At(100, 1, 1),
                       At(9999, 12, 31), At(1903, 9, 1)}) {
    EXPECT_EQ(MonthlyCode(outside), u"") << outside;
  }
}

}  // namespace
}  // namespace brixen::test
