// clsDATE's texts: elapsed time, Japanese date text, greetings, the status text and the warning.
#include "dates/date_texts.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "tests/native/run_time_error.h"

namespace brixen::dates {
namespace {

using test::ErrorRaisedBy;

TEST(ClockText, HoursMinutesSeconds) {
  const struct {
    Long seconds;
    StringView text;
  } cases[] = {
      {0, u"00:00:00"},        {59, u"00:00:59"},         {60, u"00:01:00"},
      {3725, u"01:02:05"},     {86399, u"23:59:59"},      {360000, u"100:00:00"},
      {-3725, u"-01:-02:-05"}, {-59, u"00:00:-59"},       {2147483647, u"596523:14:07"},
      {-2147483647 - 1, u"-596523:-14:-08"},
  };
  for (const auto& c : cases) EXPECT_EQ(ClockText(c.seconds), c.text) << c.seconds;
}

TEST(DaysAndClockText, DayCountAndUnitByLanguage) {
  const struct {
    Single seconds;
    StringView english, japanese;
  } cases[] = {
      {90061, u"1days 01:01:01", u"1日 01:01:01"},
      {59, u"0days 00:00:59", u"0日 00:00:59"},
      {86400, u"1days 00:00:00", u"1日 00:00:00"},
      {0.5f, u"0days 00:00:00", u"0日 00:00:00"},  // halves to even
      {1.5f, u"0days 00:00:02", u"0日 00:00:02"},
      {2.5f, u"0days 00:00:02", u"0日 00:00:02"},
      {864000, u"10days 00:00:00", u"10日 00:00:00"},
      {-90061, u"-1days -01:-01:-01", u"-1日 -01:-01:-01"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DaysAndClockText(c.seconds, false), c.english) << c.seconds;
    EXPECT_EQ(DaysAndClockText(c.seconds, true), c.japanese) << c.seconds;
  }
}

TEST(DaysAndClockText, BeyondTheLongRangeOverflows) {
  EXPECT_EQ(ErrorRaisedBy([] { DaysAndClockText(3e9f, false); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { DaysAndClockText(-3e9f, true); }), kErrOverflow);
}

TEST(ElapsedSeconds, WholeSecondsBetweenMoments) {
  const Date start = rt::DateSerial(2006, 7, 25) + rt::TimeSerial(10, 30, 0);
  EXPECT_EQ(ElapsedSeconds(start, start + rt::TimeSerial(1, 0, 1)), 3601);
  EXPECT_EQ(ElapsedSeconds(start + rt::TimeSerial(1, 0, 1), start), -3601);
  EXPECT_EQ(ClockText(ElapsedSeconds(start + rt::TimeSerial(1, 0, 1), start)), u"-01:00:-01");
  // More seconds than a Single holds exactly still come out to the second.
  EXPECT_EQ(ClockText(ElapsedSeconds(start, start + 194 + rt::TimeSerial(4, 20, 17))), u"4660:20:17");
  EXPECT_EQ(ErrorRaisedBy([] { ElapsedSeconds(rt::DateSerial(1900, 1, 1), rt::DateSerial(2000, 1, 1)); }),
            kErrOverflow);
}

TEST(JapaneseDateText, YearMonthDayMarks) {
  EXPECT_EQ(JapaneseDateText(rt::DateSerial(2006, 7, 25)), u"2006年07月25日");
  EXPECT_EQ(JapaneseDateText(rt::DateSerial(2006, 1, 5)), u"2006年01月05日");
  EXPECT_EQ(JapaneseDateText(rt::DateSerial(2006, 12, 31) + 0.75), u"2006年12月31日");
  EXPECT_EQ(JapaneseDateText(rt::DateSerial(100, 1, 1)), u"100年01月01日");
}

constexpr StringView kNewYear = u"  あけましておめでとうございます";
constexpr StringView kBackToWork = u"  正月気分も抜けてきました。がんばりましょう。";

TEST(Greeting, FixedDaysOfTheYear) {
  const struct {
    Long month, day;
    StringView greeting;
  } cases[] = {
      {1, 1, kNewYear},    {1, 7, kNewYear},  {1, 8, u""}, {1, 9, kBackToWork}, {1, 10, kBackToWork},
      {1, 11, u""},        {7, 7, u"  今日は七夕です"},   {7, 14, u"  今日は革命記念日です"},
      {7, 8, u""},         {12, 23, u"  メリークリスマス！"}, {12, 25, u""},  {2, 1, u""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Greeting(rt::DateSerial(2006, c.month, c.day)), c.greeting) << c.month << "/" << c.day;
}

TEST(GreetingOfText, ReadsTheTextWithTheSystemsRules) {
  const Date today = rt::DateSerial(2006, 7, 25);
  EXPECT_EQ(GreetingOfText(u"2007年01月01日", rt::DateOrder::kMDY, today), kNewYear);
  EXPECT_EQ(GreetingOfText(u"2007/1/10", rt::DateOrder::kYMD, today), kBackToWork);
  EXPECT_EQ(GreetingOfText(u"1/9/2007", rt::DateOrder::kMDY, today), kBackToWork);
  EXPECT_EQ(GreetingOfText(u"9/1/2007", rt::DateOrder::kDMY, today), kBackToWork);
  EXPECT_EQ(GreetingOfText(u"7/14", rt::DateOrder::kMDY, today), u"  今日は革命記念日です");
  EXPECT_EQ(ErrorRaisedBy([&] { GreetingOfText(u"not a date", rt::DateOrder::kMDY, today); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorRaisedBy([&] { GreetingOfText(u"", rt::DateOrder::kYMD, today); }), kErrTypeMismatch);
}

TEST(StatusText, CallerTextTodayAndGreeting) {
  EXPECT_EQ(StatusText(u"", u"2007年01月01日", kNewYear), u"  本日:2007年01月01日  あけましておめでとうございます");
  EXPECT_EQ(StatusText(u"Ready", u"2006年07月25日", u""), u"Ready  本日:2006年07月25日");
}

TEST(NotADateMessage, ByLanguage) {
  EXPECT_EQ(NotADateMessage(true).title, u"入力エラー");
  EXPECT_EQ(NotADateMessage(true).text, u"日付の入力が間違っています！");
  EXPECT_EQ(NotADateMessage(false).title, u"ERROR");
  EXPECT_EQ(NotADateMessage(false).text, u"Date is not correct!");
}

}  // namespace
}  // namespace brixen::dates
