#include "frame/runtime/val.h"

#include <gtest/gtest.h>

#include "frame/errors.h"
#include "tests/native/run_time_error.h"

namespace brixen::rt {
namespace {

TEST(Val, ReadsTheLeadingNumber) {
  const struct {
    StringView in;
    Double out;
  } cases[] = {
      // plain numbers and the rest of the text ignored
      {u"12abc", 12},
      {u"3.5", 3.5},
      {u"-4.25x", -4.25},
      {u"+8", 8},
      {u".5", 0.5},
      {u"-.5", -0.5},
      {u"1.2.3", 1.2},
      {u"007", 7},
      // blanks, tabs and line feeds anywhere
      {u"  \t\n42", 42},
      {u"1 2 3", 123},
      {u" - 1 . 5", -1.5},
      {u"1\t0", 10},
      // exponents
      {u"1E3", 1000},
      {u"1e-2", 0.01},
      {u"2D2", 200},
      {u"1.5E+2", 150},
      {u"1E", 1},
      {u"1E+", 1},
      {u"3Ex", 3},
      // no number
      {u"", 0},
      {u"abc", 0},
      {u"-", 0},
      {u".", 0},
      {u"+-1", 0},
      {u"\r1", 0},
      {u"$5", 0},
      // radix integers: 16-bit values as Integer, up to 32 bits as Long
      {u"&H1F", 31},
      {u"&h1f", 31},
      {u"&HFFFF", -1},
      {u"&H8000", -32768},
      {u"&H7FFF", 32767},
      {u"&H0000FFFF", -1},
      {u"&H10000", 65536},
      {u"&HFFFFFFFF", -1},
      {u"&H80000000", -2147483648.0},
      {u"&H1FG", 31},
      {u"&O17", 15},
      {u"&17", 15},
      {u"&O178", 15},
      {u"&H", 0},
      {u"&", 0},
      {u"&X1", 0},
      {u"-&H1", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Val(c.in), c.out) << testing::PrintToString(String(c.in));
}

TEST(Val, OutOfRangeRaisesOverflow) {
  for (StringView text : {u"1E309", u"1E99999999999999999999", u"&H100000000", u"&O40000000000"})
    EXPECT_EQ(test::ErrorRaisedBy([&] { Val(text); }), kErrOverflow)
        << testing::PrintToString(String(text));
  EXPECT_EQ(Val(u"1E-400"), 0);
  EXPECT_EQ(Val(u"1E-99999999999999999999"), 0);
}

}  // namespace
}  // namespace brixen::rt
