#include "frame/runtime/format.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "frame/runtime/dates.h"
#include "tests/native/run_time_error.h"

namespace brixen::rt {
namespace {

struct NumberCase {
  Double value;
  StringView pattern;
  StringView expected;
};

TEST(FormatNumber, DigitPatterns) {
  const NumberCase cases[] = {
      {5, u"0#", u"05"},
      {0, u"0#", u"00"},
      {59, u"0#", u"59"},
      {100, u"0#", u"100"},  // more digits than places all come out
      {-5, u"0#", u"-05"},
      {-100, u"0#", u"-100"},
      {42, u"0000#", u"00042"},
      {123456, u"0000#", u"123456"},
      {7, u"00", u"07"},
      {7, u"00000", u"00007"},
      {1, u"0##", u"001"},
      {1234, u"0##", u"1234"},
      {2.5, u"00", u"03"},  // halves away from zero, unlike CInt
      {3.5, u"00", u"04"},
      {-2.5, u"00", u"-03"},
      {0.4, u"#", u""},
      {12.5, u".00", u"12.50"},
      {5, u"#.##", u"5."},
      {0.5, u"#.##", u".5"},
      {1.005, u"0.00", u"1.01"},  // rounded on the 15 significant digits
      {0.15, u"0.0", u"0.2"},
      {1e20, u"0", u"100000000000000000000"},
      {123, u"\"No.\"000", u"No.123"},
      {123, u"0\\#", u"123#"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value, c.pattern), c.expected)
        << c.value << " " << testing::PrintToString(String(c.pattern));
}

TEST(FormatNumber, ThousandsAndOneDecimal) {
  const NumberCase cases[] = {
      {1234.56, u"#,##0.0", u"1,234.6"},
      {0, u"#,##0.0", u"0.0"},
      {0.04, u"#,##0.0", u"0.0"},
      {0.05, u"#,##0.0", u"0.1"},
      {999.95, u"#,##0.0", u"1,000.0"},
      {-1234567.25, u"#,##0.0", u"-1,234,567.3"},
      {123, u"#,##0.0", u"123.0"},
      {1e15, u"#,##0.0", u"1,000,000,000,000,000.0"},
      {12345, u"#,##0", u"12,345"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value, c.pattern), c.expected)
        << c.value << " " << testing::PrintToString(String(c.pattern));
}

TEST(FormatNumber, Sections) {
  EXPECT_EQ(Format(5, u"0;(0);\"zero\""), u"5");
  EXPECT_EQ(Format(-5, u"0;(0);\"zero\""), u"(5)");
  EXPECT_EQ(Format(0, u"0;(0);\"zero\""), u"zero");
  EXPECT_EQ(Format(-5, u"0;;"), u"-5");
}

TEST(FormatNumber, EmptyPatternWritesLikeCStr) {
  EXPECT_EQ(Format(1.5, u""), u"1.5");
  EXPECT_EQ(Format(1e20, u""), u"1E+20");
}

TEST(FormatText, DigitPatternOnNumericText) {
  EXPECT_EQ(Format(u"5", u"0#"), u"05");
  EXPECT_EQ(Format(u" 1234.56 ", u"#,##0.0"), u"1,234.6");
  EXPECT_EQ(Format(u"&H10", u"000"), u"016");
  EXPECT_EQ(Format(u"A", u"0#"), u"A");
  EXPECT_EQ(Format(u"12abc", u"0#"), u"12abc");
  EXPECT_EQ(Format(u"", u"0#"), u"");
  EXPECT_EQ(Format(u"abc", u""), u"abc");
}

TEST(FormatText, CharacterFill) {
  const struct {
    StringView text, pattern, expected;
  } cases[] = {
      {u"42", u"@@@@@", u"   42"},
      {u"42", u"@@", u"42"},
      {u"", u"@@@", u"   "},
      {u"abcdef", u"@@@", u"abcdef"},  // a longer text comes back whole
      {u"42", u"@@@@@@@@@@@@", u"          42"},
      {u"abc", u"@-@@", u"a-bc"},
      {u"ab", u"@-@@", u" -ab"},
      {u"abcde", u"@-@@", u"abc-de"},
      {u"ab", u"&&&&", u"ab"},
      {u"ab", u"(@@@)", u"( ab)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.text, c.pattern), c.expected)
        << testing::PrintToString(String(c.text)) << " " << testing::PrintToString(String(c.pattern));
  EXPECT_EQ(Format(42.5, u"@@@@@@"), u"  42.5");
}

Date At(Long y, Long m, Long d, Long h = 0, Long n = 0, Long s = 0) {
  return DateSerial(y, m, d) + TimeSerial(h, n, s);
}

TEST(FormatDate, LibraryPatternsAndPieces) {
  const Date when = At(2006, 7, 5, 9, 3, 7);
  const Date afternoon = At(2006, 12, 25, 15, 45, 30);
  const struct {
    Date date;
    StringView pattern, expected;
  } cases[] = {
      {when, u"yyyy/mm/dd", u"2006/07/05"},
      {when, u"yyyymm", u"200607"},
      {when, u"yyyymmdd_", u"20060705_"},
      {when, u"hhmmss_", u"090307_"},  // "mm" after the hour is minutes
      {when, u"hh:mm:ss", u"09:03:07"},
      {when, u"h:n:s", u"9:3:7"},
      {when, u"hh:nn", u"09:03"},
      {when, u"yy-m-d", u"06-7-5"},
      {when, u"m/d/yyyy", u"7/5/2006"},
      {when, u"mmm d, yyyy", u"Jul 5, 2006"},
      {when, u"dddd, mmmm dd", u"Wednesday, July 05"},
      {when, u"ddd", u"Wed"},
      {when, u"YYYY/MM/DD", u"2006/07/05"},
      {when, u"yyyy年m月d日", u"2006年7月5日"},
      {when, u"q w y", u"3 4 186"},
      {when, u"ww", u"27"},
      {At(2006, 1, 1), u"ww", u"1"},
      {At(2006, 1, 7), u"ww", u"1"},
      {At(2006, 1, 8), u"ww", u"2"},
      {afternoon, u"h:nn AM/PM", u"3:45 PM"},
      {afternoon, u"hh:nn am/pm", u"03:45 pm"},
      {afternoon, u"h A/P", u"3 P"},
      {when, u"h:nn a/p", u"9:03 a"},
      {At(2006, 7, 5, 0, 30), u"h:nn AMPM", u"12:30 AM"},
      {At(2006, 7, 5, 12, 0), u"h AM/PM", u"12 PM"},
      {when, u"\"y\"yyyy", u"y2006"},
      {-1.25, u"yyyy/mm/dd hh:nn", u"1899/12/29 06:00"},
      {At(100, 1, 1), u"yyyy", u"0100"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatDate(c.date, c.pattern), c.expected) << testing::PrintToString(String(c.pattern));
}

TEST(FormatDate, SeparatorsComeFromTheSystem) {
  const Date when = At(2006, 7, 5, 9, 3, 7);
  EXPECT_EQ(FormatDate(when, u"yyyy/mm/dd hh:nn", {u'.', u'.'}), u"2006.07.05 09.03");
  EXPECT_EQ(FormatDate(when, u"yyyy\\/mm", {u'-', u':'}), u"2006/07");
  EXPECT_EQ(Format(when, u"yyyy/mm/dd"), u"2006/07/05");
}

TEST(FormatDate, InvalidDateIsAnInvalidCall) {
  EXPECT_EQ(test::ErrorRaisedBy([] { FormatDate(3e6, u"yyyy"); }), kErrInvalidCall);
}

TEST(CStrDate, DateTimeOrBoth) {
  EXPECT_EQ(CStrDate(At(2006, 7, 5)), u"2006/07/05");
  EXPECT_EQ(CStrDate(At(2006, 7, 5, 9, 3, 7)), u"2006/07/05 9:03:07");
  EXPECT_EQ(CStrDate(TimeSerial(13, 0, 0)), u"13:00:00");
  EXPECT_EQ(CStrDate(0), u"0:00:00");
  EXPECT_EQ(CStrDate(At(2006, 7, 5, 15, 0, 0), u"m/d/yyyy", u"h:nn:ss AM/PM"), u"7/5/2006 3:00:00 PM");
}

}  // namespace
}  // namespace brixen::rt
