// clsDATE's calendar rules: ranges, month ends and lengths, seconds of the day, yyyymmdd.
#include "dates/date_arithmetic.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "tests/native/run_time_error.h"

namespace brixen::dates {
namespace {

using test::ErrorRaisedBy;

Date At(Long y, Long m, Long d, Long h = 0, Long n = 0, Long s = 0) {
  return rt::DateSerial(y, m, d) + rt::TimeSerial(h, n, s);
}

constexpr Date kUntouched = -7;  // a value no range sets

struct RangeCase {
  Long which;
  Date now;
  Date first, last;
};

TEST(SetRange, RangesOfTheMonthsAroundNow) {
  const RangeCase cases[] = {
      {wantToday, At(2006, 7, 25, 10, 30), At(2006, 7, 25), At(2006, 7, 25)},
      {wantToday, At(2006, 7, 25, 23, 59, 59), At(2006, 7, 25), At(2006, 7, 25)},
      {wantThisMonth, At(2006, 7, 25, 10, 30), At(2006, 7, 1), At(2006, 7, 31)},
      {wantThisMonth, At(2008, 2, 1), At(2008, 2, 1), At(2008, 2, 29)},
      {wantPrevMonth, At(2006, 3, 31, 8), At(2006, 2, 1), At(2006, 2, 28)},
      {wantPrevMonth, At(2007, 1, 15), At(2006, 12, 1), At(2006, 12, 31)},
      {wantNextMonth, At(2006, 1, 31, 8), At(2006, 2, 1), At(2006, 2, 28)},
      {wantNextMonth, At(2006, 12, 31), At(2007, 1, 1), At(2007, 1, 31)},
      {wantmaxDate, At(2006, 7, 25), At(1900, 1, 1), At(2999, 1, 1)},
  };
  for (const RangeCase& c : cases) {
    Date first = kUntouched, last = kUntouched;
    SetRange(c.which, c.now, first, last, EndOfMonth);
    EXPECT_EQ(first, c.first) << "which " << c.which << " now " << c.now;
    EXPECT_EQ(last, c.last) << "which " << c.which << " now " << c.now;
  }
}

TEST(SetRange, OtherValuesChangeNothing) {
  for (Long which : {0, 6, -1}) {
    Date first = kUntouched, last = kUntouched;
    SetRange(which, At(2006, 7, 25), first, last, EndOfMonth);
    EXPECT_EQ(first, kUntouched);
    EXPECT_EQ(last, kUntouched);
  }
}

TEST(SetRange, TheStartIsSetBeforeTheEndFails) {
  Date first = kUntouched, last = kUntouched;
  const auto failing_end = [](Date) -> Date { Raise(kErrOverflow); };
  EXPECT_EQ(ErrorRaisedBy([&] { SetRange(wantPrevMonth, At(2006, 3, 31), first, last, failing_end); }), kErrOverflow);
  EXPECT_EQ(first, At(2006, 2, 1));
  EXPECT_EQ(last, kUntouched);
}

TEST(SetRange, MonthsBeyondTheDateRangeAreInvalidCalls) {
  Date first = kUntouched, last = kUntouched;
  EXPECT_EQ(ErrorRaisedBy([&] { SetRange(wantNextMonth, At(9999, 12, 15), first, last, EndOfMonth); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([&] { SetRange(wantPrevMonth, At(100, 1, 15), first, last, EndOfMonth); }), kErrInvalidCall);
  EXPECT_EQ(first, kUntouched);
}

TEST(EndOfMonth, LastDayKeepingTheTime) {
  const struct {
    Date target, end;
  } cases[] = {
      {At(2006, 12, 15), At(2006, 12, 31)},          {At(2006, 12, 31), At(2006, 12, 31)},
      {At(2006, 2, 10, 13), At(2006, 2, 28, 13)},    {At(2000, 2, 1), At(2000, 2, 29)},
      {At(1900, 2, 28), At(1900, 2, 28)},            {At(2100, 2, 3), At(2100, 2, 28)},
      {At(2006, 4, 1, 23, 59, 59), At(2006, 4, 30, 23, 59, 59)},
      {At(1899, 12, 1), At(1899, 12, 31)},           // across day 0
      {-1.25, rt::DateSerial(1899, 12, 31) + 0.25},  // 1899-12-29 06:00: the time counts forward
      {At(9999, 11, 5), At(9999, 11, 30)},
  };
  for (const auto& c : cases) EXPECT_EQ(EndOfMonth(c.target), c.end) << c.target;
}

TEST(EndOfMonth, DecemberOfTheLastYearOverflows) {
  EXPECT_EQ(ErrorRaisedBy([] { EndOfMonth(At(9999, 12, 1)); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { EndOfMonth(At(9999, 12, 31)); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { EndOfMonth(1e7); }), kErrInvalidCall);
}

TEST(SecondsOfTheDay, TimePartOnly) {
  const struct {
    Date moment;
    Long seconds;
  } cases[] = {
      {At(2006, 7, 25, 23, 59, 59), 86399}, {At(2006, 7, 25), 0}, {0, 0}, {rt::TimeSerial(0, 0, 1), 1},
      {At(2006, 7, 25, 1, 2, 3), 3723},     {0.5, 43200},         {-1.25, 21600},  // before day 0: 06:00
  };
  for (const auto& c : cases) EXPECT_EQ(SecondsOfTheDay(c.moment), c.seconds) << c.moment;
  EXPECT_EQ(ErrorRaisedBy([] { SecondsOfTheDay(1e8); }), kErrInvalidCall);
}

TEST(EightDigitDate, YearMonthDay) {
  const struct {
    Date date;
    Long number;
  } cases[] = {
      {At(2006, 7, 25), 20060725}, {At(2006, 7, 25, 18), 20060725}, {At(1900, 1, 1), 19000101},
      {At(9999, 12, 31), 99991231}, {At(100, 1, 1), 1000101},       {0, 18991230},
  };
  for (const auto& c : cases) EXPECT_EQ(EightDigitDate(c.date), c.number) << c.date;
  EXPECT_EQ(ErrorRaisedBy([] { EightDigitDate(-1e7); }), kErrInvalidCall);
}

TEST(DaysInMonth, MonthLengthsWithLeapYears) {
  const struct {
    Integer year, month, days;
  } cases[] = {
      {2006, 1, 31}, {2006, 2, 28},  {2006, 4, 30},  {2006, 12, 31}, {2000, 2, 29},
      {1900, 2, 28}, {2004, 2, 29},  {2100, 2, 28},  {9999, 11, 30}, {100, 2, 28},
  };
  for (rt::DateOrder order : {rt::DateOrder::kMDY, rt::DateOrder::kYMD, rt::DateOrder::kDMY})
    for (const auto& c : cases)
      EXPECT_EQ(DaysInMonth(c.year, c.month, order, At(2006, 7, 25)), c.days) << c.year << "/" << c.month;
}

TEST(DaysInMonth, NoDateIsATypeMismatch) {
  for (Integer month : {0, 13})
    EXPECT_EQ(ErrorRaisedBy([&] { DaysInMonth(2006, month, rt::DateOrder::kMDY, At(2006, 7, 25)); }),
              kErrTypeMismatch)
        << month;
}

TEST(DaysInMonth, ANegativeMonthCountsNoDay) {
  // "2006/-1/1" reads as January 1st ("-" separates), whose month is never -1.
  EXPECT_EQ(DaysInMonth(2006, -1, rt::DateOrder::kMDY, At(2006, 7, 25)), 0);
}

TEST(DaysInMonth, TheLastMonthOverflows) {
  EXPECT_EQ(ErrorRaisedBy([] { DaysInMonth(9999, 12, rt::DateOrder::kMDY, At(2006, 7, 25)); }), kErrOverflow);
}

}  // namespace
}  // namespace brixen::dates
