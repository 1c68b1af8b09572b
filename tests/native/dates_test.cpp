#include "frame/runtime/dates.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "tests/native/run_time_error.h"

namespace brixen::rt {
namespace {

using test::ErrorRaisedBy;

// Before day 0 the time counts forward from the day, away from zero in the serial.
Date At(Long y, Long m, Long d, Long h = 0, Long n = 0, Long s = 0) {
  const Date day = DateSerial(y, m, d);
  const Date time = TimeSerial(h, n, s);
  return day >= 0 ? day + time : day - time;
}

TEST(DateSerial, KnownSerialNumbers) {
  const struct {
    Long y, m, d;
    Date serial;
  } cases[] = {
      {1899, 12, 30, 0},     {1899, 12, 31, 1},        {1900, 1, 1, 2},
      {1900, 2, 28, 60},     {1900, 3, 1, 61},  // 1900 is no leap year
      {2000, 2, 29, 36585},  {2006, 7, 25, 38923},     {9999, 12, 31, 2958465},
      {100, 1, 1, -657434},  {1899, 12, 29, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(DateSerial(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
}

TEST(DateSerial, MonthsAndDaysCarryOver) {
  EXPECT_EQ(DateSerial(2024, 13, 1), DateSerial(2025, 1, 1));
  EXPECT_EQ(DateSerial(2024, 0, 1), DateSerial(2023, 12, 1));
  EXPECT_EQ(DateSerial(2024, -11, 1), DateSerial(2023, 1, 1));
  EXPECT_EQ(DateSerial(2024, 3, 0), DateSerial(2024, 2, 29));
  EXPECT_EQ(DateSerial(2023, 3, 0), DateSerial(2023, 2, 28));
  EXPECT_EQ(DateSerial(2024, 1, 32), DateSerial(2024, 2, 1));
  EXPECT_EQ(DateSerial(2024, 1, -1), DateSerial(2023, 12, 30));
}

TEST(DateSerial, TwoDigitYears) {
  EXPECT_EQ(DateSerial(0, 1, 1), DateSerial(2000, 1, 1));
  EXPECT_EQ(DateSerial(29, 1, 1), DateSerial(2029, 1, 1));
  EXPECT_EQ(DateSerial(30, 1, 1), DateSerial(1930, 1, 1));
  EXPECT_EQ(DateSerial(99, 12, 31), DateSerial(1999, 12, 31));
}

TEST(DateSerial, OutsideTheValidRangeIsAnInvalidCall) {
  EXPECT_EQ(ErrorRaisedBy([] { DateSerial(10000, 1, 1); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateSerial(9999, 12, 32); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateSerial(100, 1, 0); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateSerial(-5, 1, 1); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateSerial(2147483647, 2147483647, 2147483647); }), kErrInvalidCall);
}

TEST(TimeSerial, FractionOfADay) {
  EXPECT_EQ(TimeSerial(12, 0, 0), 0.5);
  EXPECT_EQ(TimeSerial(6, 0, 0), 0.25);
  EXPECT_EQ(TimeSerial(0, 90, 0), TimeSerial(1, 30, 0));
  EXPECT_EQ(TimeSerial(24, 0, 0), 1.0);
  EXPECT_EQ(TimeSerial(-6, 0, 0), -1.75);  // 1899-12-29 18:00
}

TEST(DateParts, ReadBackFromSerial) {
  const struct {
    Date date;
    int year, month, day, hour, minute, second, weekday;
  } cases[] = {
      {At(2006, 7, 25, 13, 45, 30), 2006, 7, 25, 13, 45, 30, 3},
      {0, 1899, 12, 30, 0, 0, 0, 7},
      {-1.25, 1899, 12, 29, 6, 0, 0, 6},  // the fraction counts forward from the day
      {-0.5, 1899, 12, 30, 12, 0, 0, 7},
      {At(2000, 2, 29), 2000, 2, 29, 0, 0, 0, 3},
      {At(2006, 7, 25, 23, 59, 59) + 0.6 / 86400, 2006, 7, 26, 0, 0, 0, 4},  // rounds to the second
      {At(9999, 12, 31, 23, 59, 59), 9999, 12, 31, 23, 59, 59, 6},
      {At(100, 1, 1), 100, 1, 1, 0, 0, 0, 6},
  };
  for (const auto& c : cases) {
    const DateParts p = SplitDate(c.date);
    EXPECT_EQ(Year(c.date), c.year) << c.date;
    EXPECT_EQ(Month(c.date), c.month) << c.date;
    EXPECT_EQ(Day(c.date), c.day) << c.date;
    EXPECT_EQ(Hour(c.date), c.hour) << c.date;
    EXPECT_EQ(Minute(c.date), c.minute) << c.date;
    EXPECT_EQ(Second(c.date), c.second) << c.date;
    EXPECT_EQ(Weekday(c.date), c.weekday) << c.date;
    EXPECT_EQ(p.year, c.year);
  }
  EXPECT_EQ(SplitDate(At(2024, 12, 31)).day_of_year, 366);
}

TEST(DateParts, InvalidDatesAreAnInvalidCall) {
  for (Date d : {2958466.0, -657435.0, 1e300, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(ErrorRaisedBy([&] { Year(d); }), kErrInvalidCall) << d;
}

TEST(SecondsOfDay, TimerStyleSeconds) {
  EXPECT_FLOAT_EQ(SecondsOfDay(At(2006, 7, 25, 23, 59, 59)), 86399.0f);
  EXPECT_NEAR(SecondsOfDay(At(2006, 7, 25) + 0.5 / 86400), 0.5f, 1e-3);
  EXPECT_FLOAT_EQ(SecondsOfDay(-1.25), 21600.0f);
}

TEST(DateAdd, CalendarIntervals) {
  const Date jan31 = At(2024, 1, 31, 10, 30);
  const struct {
    StringView interval;
    Double number;
    Date from, expected;
  } cases[] = {
      {u"m", 1, jan31, At(2024, 2, 29, 10, 30)},  // clamped to the month's end, time kept
      {u"m", 1, At(2023, 1, 31), At(2023, 2, 28)},
      {u"m", -1, At(2006, 3, 31), At(2006, 2, 28)},
      {u"m", 13, At(2006, 7, 25), At(2007, 8, 25)},
      {u"M", -12, At(2006, 7, 25), At(2005, 7, 25)},
      {u"yyyy", 1, At(2024, 2, 29), At(2025, 2, 28)},
      {u"q", 1, At(2006, 11, 30), At(2007, 2, 28)},
      {u"d", 1, At(2006, 12, 31), At(2007, 1, 1)},
      {u"y", -1, At(2000, 3, 1), At(2000, 2, 29)},
      {u"w", 3, At(2006, 7, 25), At(2006, 7, 28)},
      {u"ww", 2, At(2006, 7, 25), At(2006, 8, 8)},
      {u"d", 1.5, At(2006, 7, 25), At(2006, 7, 27)},  // the count rounds half to even
      {u"d", 2.5, At(2006, 7, 25), At(2006, 7, 27)},
      {u"d", 1, -1.25, 0.25},  // across day 0
      {u"d", 1, -0.25, 1.25},
      {u"m", 1, At(1899, 12, 15, 6), At(1900, 1, 15, 6)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DateAdd(c.interval, c.number, c.from), c.expected)
        << testing::PrintToString(String(c.interval)) << " " << c.number << " " << c.from;
}

TEST(DateAdd, TimeIntervals) {
  const struct {
    StringView interval;
    Double number;
    Date from, expected;
  } cases[] = {
      {u"h", 1, At(2006, 7, 25, 23), At(2006, 7, 26, 0)},
      {u"n", -1, At(2006, 7, 25), At(2006, 7, 24, 23, 59)},
      {u"s", 3661, At(2006, 7, 25), At(2006, 7, 25, 1, 1, 1)},
      {u"h", 6, At(1899, 12, 29, 20), At(1899, 12, 30, 2)},
      {u"h", -6, 0.125, At(1899, 12, 29, 21)},
  };
  for (const auto& c : cases) {
    const Date result = DateAdd(c.interval, c.number, c.from);
    EXPECT_NEAR(result, c.expected, 1e-9) << testing::PrintToString(String(c.interval)) << c.number;
    EXPECT_EQ(Second(result), Second(c.expected));
  }
}

TEST(DateAdd, ErrorsForUnknownIntervalsAndOutOfRangeResults) {
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"x", 1, 0); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"", 1, 0); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"d", 1, 2958465); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"m", -1, -657434); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"s", 1, At(9999, 12, 31, 23, 59, 59)); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"yyyy", 2147483647, 0); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateAdd(u"d", 3e9, 0); }), kErrOverflow);
}

TEST(DateDiff, CountsBoundariesCrossed) {
  const struct {
    StringView interval;
    Date from, to;
    Long expected;
  } cases[] = {
      {u"yyyy", At(2006, 12, 31), At(2007, 1, 1), 1},
      {u"yyyy", At(2006, 1, 1), At(2006, 12, 31), 0},
      {u"q", At(2006, 3, 31), At(2006, 4, 1), 1},
      {u"m", At(2006, 1, 31), At(2006, 2, 1), 1},
      {u"m", At(2006, 3, 1), At(2005, 12, 31), -3},
      {u"d", At(2006, 7, 25, 23, 59), At(2006, 7, 26, 0, 1), 1},
      {u"y", At(2000, 1, 1), At(2001, 1, 1), 366},
      {u"d", -1.75, 0.25, 1},  // 1899-12-29 18:00 to 1899-12-30 06:00
      {u"w", At(2006, 7, 25), At(2006, 8, 7), 1},
      {u"w", At(2006, 8, 7), At(2006, 7, 25), -1},
      {u"ww", At(2006, 7, 29), At(2006, 7, 30), 1},  // Saturday to Sunday
      {u"ww", At(2006, 7, 30), At(2006, 8, 5), 0},
      {u"h", At(2006, 7, 25, 10, 59), At(2006, 7, 25, 11, 0), 1},
      {u"h", At(2006, 7, 25, 10, 0), At(2006, 7, 25, 10, 59), 0},
      {u"n", At(2006, 7, 25, 10, 0, 59), At(2006, 7, 25, 10, 1, 0), 1},
      {u"s", At(2006, 7, 25, 10, 0, 0), At(2006, 7, 25, 11, 0, 1), 3601},
      {u"s", At(2006, 7, 25, 11, 0, 1), At(2006, 7, 25, 10, 0, 0), -3601},
      {u"s", -1.75, 0.25, 43200},
      {u"S", 0, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DateDiff(c.interval, c.from, c.to), c.expected)
        << testing::PrintToString(String(c.interval)) << " " << c.from << " " << c.to;
}

TEST(DateDiff, Errors) {
  EXPECT_EQ(ErrorRaisedBy([] { DateDiff(u"mm", 0, 1); }), kErrInvalidCall);
  EXPECT_EQ(ErrorRaisedBy([] { DateDiff(u"s", -657434, 2958465); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { DateDiff(u"n", -657434, 2958465); }), kErrOverflow);
  EXPECT_EQ(DateDiff(u"h", -657434, 2958465), (2958465 + 657434) * 24);
}

constexpr DateOrder kYMD = DateOrder::kYMD;
constexpr DateOrder kMDY = DateOrder::kMDY;
constexpr DateOrder kDMY = DateOrder::kDMY;

TEST(ReadDate, AcceptedTexts) {
  const Date today = At(2006, 7, 25, 9, 0);
  const struct {
    StringView text;
    DateOrder order;
    Date expected;
  } cases[] = {
      {u"2006/07/25", kYMD, At(2006, 7, 25)},
      {u"2006/7/25", kMDY, At(2006, 7, 25)},
      {u"2006-7-25", kDMY, At(2006, 7, 25)},
      {u"2006.07.25", kYMD, At(2006, 7, 25)},
      {u" 2006 7 25 ", kYMD, At(2006, 7, 25)},
      {u"7/25/2006", kMDY, At(2006, 7, 25)},
      {u"25/7/2006", kDMY, At(2006, 7, 25)},
      {u"25/7/2006", kMDY, At(2006, 7, 25)},  // not a valid month-day: read day first
      {u"3/4/2006", kMDY, At(2006, 3, 4)},
      {u"3/4/2006", kDMY, At(2006, 4, 3)},
      {u"01/02/03", kYMD, At(2001, 2, 3)},
      {u"01/02/03", kMDY, At(2003, 1, 2)},
      {u"01/02/03", kDMY, At(2003, 2, 1)},
      {u"06/7/25", kYMD, At(2006, 7, 25)},
      {u"99/12/31", kYMD, At(1999, 12, 31)},
      {u"29/1/1", kYMD, At(2029, 1, 1)},
      {u"30/1/1", kYMD, At(1930, 1, 1)},
      {u"7/25", kYMD, At(2006, 7, 25)},  // the current year
      {u"7/25", kMDY, At(2006, 7, 25)},
      {u"25/7", kDMY, At(2006, 7, 25)},
      {u"2006/7", kYMD, At(2006, 7, 1)},
      {u"2000/2/29", kYMD, At(2000, 2, 29)},
      {u"1900/01/01", kYMD, At(1900, 1, 1)},
      {u"2999/01/01", kYMD, At(2999, 1, 1)},
      {u"0100/1/1", kYMD, At(100, 1, 1)},
      {u"Jul 25, 2006", kYMD, At(2006, 7, 25)},
      {u"25 July 2006", kMDY, At(2006, 7, 25)},
      {u"2006-jul-25", kDMY, At(2006, 7, 25)},
      {u"DECEMBER 2006", kYMD, At(2006, 12, 1)},
      {u"Feb 3", kYMD, At(2006, 2, 3)},
      {u"2006年7月25日", kMDY, At(2006, 7, 25)},
      {u"2006年07月05日", kYMD, At(2006, 7, 5)},
      {u"7月25日", kYMD, At(2006, 7, 25)},
      {u"2006年7月", kYMD, At(2006, 7, 1)},
      {u"2006/7/25 10:30", kYMD, At(2006, 7, 25, 10, 30)},
      {u"2006/7/25 10:30:15", kYMD, At(2006, 7, 25, 10, 30, 15)},
      {u"7/25/2006 10:30:15 PM", kMDY, At(2006, 7, 25, 22, 30, 15)},
      {u"7/25/2006 12:00 AM", kMDY, At(2006, 7, 25)},
      {u"7/25/2006 12:00 pm", kMDY, At(2006, 7, 25, 12)},
      {u"2006年7月25日 9:05", kYMD, At(2006, 7, 25, 9, 5)},
      {u"10:30", kYMD, TimeSerial(10, 30, 0)},
      {u"3 PM", kYMD, TimeSerial(15, 0, 0)},
      {u"23:59:59", kYMD, TimeSerial(23, 59, 59)},
      {u"1899/12/29 06:00", kYMD, -1.25},
  };
  for (const auto& c : cases) {
    const auto date = ReadDate(c.text, c.order, today);
    ASSERT_TRUE(date.has_value()) << testing::PrintToString(String(c.text));
    EXPECT_NEAR(*date, c.expected, 1e-9) << testing::PrintToString(String(c.text));
    EXPECT_TRUE(IsDate(c.text, c.order, today));
  }
}

TEST(ReadDate, RefusedTexts) {
  for (StringView text : {
           u"",            u"   ",           u"2006",          u"2006/02/30",  u"2006/13/01",
           u"1900/2/29",   u"2006/7/25/1",   u"99/99/99",      u"13/25",       u"abc",
           u"2006/7/25x",  u"2006/Foo/25",   u"Jul",           u"7/32/2006",   u"25:00",
           u"10:60",       u"10:30:60",      u"13:00 PM",      u"PM",          u"10:",
           u"20060725",    u"2006年",        u"25日",          u"2006年7月25", u"12345/1/1",
           u"0099/1/1",    u"10000/1/1",     u"2006/7/25 10:30 10:30", u"Jul Aug 2006",
           u"7/2006/25",   u"1/2/3/4/5/6/7/8/9/10/11/12/13",  u"2006/7/25 ＡＭ",
       }) {
    EXPECT_FALSE(ReadDate(text, kYMD, At(2006, 7, 25)).has_value()) << testing::PrintToString(String(text));
    EXPECT_EQ(ErrorRaisedBy([&] { CDate(text, kYMD, At(2006, 7, 25)); }), kErrTypeMismatch);
  }
}

TEST(DateValue, DropsTheTime) {
  const Date today = At(2006, 7, 25);
  EXPECT_EQ(DateValue(u"2006/7/25 10:30", kYMD, today), At(2006, 7, 25));
  EXPECT_EQ(DateValue(u"1899/12/29 06:00", kYMD, today), -1);
  EXPECT_EQ(DateValue(u"10:30", kYMD, today), 0);
  EXPECT_EQ(CDate(u"2006/7/25 12:00", kYMD, today), At(2006, 7, 25) + 0.5);
  EXPECT_EQ(ErrorRaisedBy([&] { DateValue(u"2006/02/30", kYMD, today); }), kErrTypeMismatch);
}

}  // namespace
}  // namespace brixen::rt
