#include "frame/runtime/values.h"

#include <gtest/gtest.h>

#include <limits>

#include "frame/errors.h"
#include "tests/native/run_time_error.h"

namespace brixen::rt {
namespace {

using test::ErrorRaisedBy;

TEST(RoundingConversions, RoundHalvesToEven) {
  const struct {
    Double in;
    Long out;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
               {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {7, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(CLng(c.in), c.out) << c.in;
    EXPECT_EQ(CInt(c.in), c.out) << c.in;
  }
}

TEST(RoundingConversions, RangeLimitsOfEachType) {
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_EQ(CInt(-32768.5), -32768);  // the even neighbour is still in range
  EXPECT_EQ(CLng(2147483647.0), 2147483647);
  EXPECT_EQ(CLng(-2147483648.5), std::numeric_limits<Long>::min());
  EXPECT_EQ(CByte(254.5), 254);
  EXPECT_EQ(CByte(255.4), 255);
}

TEST(RoundingConversions, OutOfRangeRaisesOverflow) {
  const Double nan = std::numeric_limits<Double>::quiet_NaN();
  const Double inf = std::numeric_limits<Double>::infinity();
  for (Double v : {32767.5, 32768.0, -32768.6, nan, inf})
    EXPECT_EQ(ErrorRaisedBy([&] { CInt(v); }), kErrOverflow) << v;
  for (Double v : {2147483647.5, 2147483648.0, -2147483649.0, 1e300, nan, -inf})
    EXPECT_EQ(ErrorRaisedBy([&] { CLng(v); }), kErrOverflow) << v;
  for (Double v : {255.5, 256.0, -0.6, -1.0, nan})
    EXPECT_EQ(ErrorRaisedBy([&] { CByte(v); }), kErrOverflow) << v;
  EXPECT_EQ(CByte(-0.5), 0);
}

TEST(CSng, NarrowsOrOverflows) {
  EXPECT_EQ(CSng(0.1), 0.1f);
  EXPECT_EQ(CSng(-3.4e38), -3.4e38f);
  EXPECT_EQ(ErrorRaisedBy([] { CSng(3.5e38); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { CSng(std::numeric_limits<Double>::quiet_NaN()); }), kErrOverflow);
}

TEST(CheckedArithmetic, ResultsInsideTheRange) {
  EXPECT_EQ(AddInteger(32766, 1), 32767);
  EXPECT_EQ(SubInteger(-32767, 1), -32768);
  EXPECT_EQ(MulInteger(-16384, 2), -32768);
  EXPECT_EQ(AddLong(2147483646, 1), 2147483647);
  EXPECT_EQ(SubLong(-2147483647, 1), std::numeric_limits<Long>::min());
  EXPECT_EQ(MulLong(65536, -32768), std::numeric_limits<Long>::min());
}

TEST(CheckedArithmetic, ResultsOutsideTheRangeRaiseOverflow) {
  const Long kMinLong = std::numeric_limits<Long>::min();
  const struct {
    const char* what;
    Long error;
  } cases[] = {
      {"32767 + 1", ErrorRaisedBy([] { AddInteger(32767, 1); })},
      {"-32768 - 1", ErrorRaisedBy([] { SubInteger(-32768, 1); })},
      {"-32768 * -1", ErrorRaisedBy([] { MulInteger(-32768, -1); })},
      {"256 * 128", ErrorRaisedBy([] { MulInteger(256, 128); })},
      {"2147483647 + 1", ErrorRaisedBy([] { AddLong(2147483647, 1); })},
      {"min - 1", ErrorRaisedBy([&] { SubLong(kMinLong, 1); })},
      {"min * -1", ErrorRaisedBy([&] { MulLong(kMinLong, -1); })},
      {"65536 * 65536", ErrorRaisedBy([] { MulLong(65536, 65536); })},
  };
  for (const auto& c : cases) EXPECT_EQ(c.error, kErrOverflow) << c.what;
}

TEST(CheckedArithmetic, DivisionAsTheOperatorDoesIt) {
  EXPECT_EQ(Divide(7, 2), 3.5);
  EXPECT_EQ(Divide(-1, 4), -0.25);
  EXPECT_EQ(ErrorRaisedBy([] { Divide(0, 0); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { Divide(5, 0); }), kErrDivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] { Divide(1e308, 1e-308); }), kErrOverflow);
}

TEST(BooleanToInteger, TrueIsMinusOne) {
  EXPECT_EQ(BooleanToInteger(true), -1);
  EXPECT_EQ(BooleanToInteger(false), 0);
}

TEST(CStr, DoubleTexts) {
  const struct {
    Double in;
    StringView out;
  } cases[] = {
      {0, u"0"},
      {-0.0, u"0"},
      {0.5, u"0.5"},
      {-0.5, u"-0.5"},
      {123, u"123"},
      {1234.5678, u"1234.5678"},
      {0.1 + 0.2, u"0.3"},  // 15 significant digits hide the binary error
      {1.0 / 3, u"0.333333333333333"},
      {2.0 / 3, u"0.666666666666667"},
      {123456789012345.0, u"123456789012345"},
      {1e15, u"1E+15"},
      {1e20, u"1E+20"},
      {-1.5e100, u"-1.5E+100"},
      {1234567890123456789.0, u"1.23456789012346E+18"},
      {0.0001, u"0.0001"},
      {0.00001, u"1E-05"},
      {1.25e-7, u"1.25E-07"},
      {2147483647.0, u"2147483647"},
  };
  for (const auto& c : cases) EXPECT_EQ(CStr(c.in), c.out) << c.in;
}

TEST(CStr, SingleUsesSevenDigits) {
  EXPECT_EQ(CStr(0.1f), u"0.1");
  EXPECT_EQ(CStr(1.0f / 3), u"0.3333333");
  EXPECT_EQ(CStr(1234567.0f), u"1234567");
  EXPECT_EQ(CStr(12345678.0f), u"1.234568E+07");
  EXPECT_EQ(CStr(-2.5f), u"-2.5");
}

TEST(CStr, IntegersAndBooleans) {
  EXPECT_EQ(CStr(Long{-2147483647 - 1}), u"-2147483648");
  EXPECT_EQ(CStr(Integer{-32768}), u"-32768");
  EXPECT_EQ(CStr(Byte{255}), u"255");
  EXPECT_EQ(CStr(true), u"True");
  EXPECT_EQ(CStr(false), u"False");
}

TEST(CStr, NonFiniteRaisesOverflow) {
  EXPECT_EQ(ErrorRaisedBy([] { CStr(std::numeric_limits<Double>::infinity()); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { CStr(std::numeric_limits<Double>::quiet_NaN()); }), kErrOverflow);
}

TEST(CDbl, NumericTexts) {
  const struct {
    StringView in;
    Double out;
  } cases[] = {
      {u"0", 0},          {u"42", 42},         {u"  -12.5  ", -12.5}, {u"+7", 7},
      {u".5", 0.5},       {u"5.", 5},          {u"1.5E3", 1500},      {u"1e-2", 0.01},
      {u"2D2", 200},      {u"&H1F", 31},       {u"&HFFFF", -1},       {u"&h10000", 65536},
      {u"&O17", 15},      {u"&17", 15},        {u"\t3\t", 3},         {u"0.1", 0.1},
      {u"1E-400", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CDbl(c.in), c.out) << testing::PrintToString(String(c.in));
    EXPECT_TRUE(IsNumericText(c.in));
  }
}

TEST(CDbl, OtherTextsAreATypeMismatch) {
  for (StringView text : {u"", u"  ", u"abc", u"12abc", u"1.2.3", u"1E", u"--1", u"1 2", u"&H",
                          u"&HG", u"&O9", u"- 1", u".", u"1,5"}) {
    EXPECT_EQ(ErrorRaisedBy([&] { CDbl(text); }), kErrTypeMismatch)
        << testing::PrintToString(String(text));
    EXPECT_FALSE(IsNumericText(text));
  }
}

TEST(CDbl, BeyondTheDoubleRangeIsAnOverflow) {
  EXPECT_EQ(ErrorRaisedBy([] { CDbl(u"1E309"); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { CDbl(u"&H100000000"); }), kErrOverflow);
  EXPECT_FALSE(IsNumericText(u"1E309"));
}

}  // namespace
}  // namespace brixen::rt
