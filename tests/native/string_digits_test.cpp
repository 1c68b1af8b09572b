// clsString's binary and hexadecimal text, without Win32.
#include "strings/digit_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "frame/runtime/text.h"
#include "run_time_error.h"

namespace brixen::str {
namespace {

using test::ErrorRaisedBy;

TEST(Convert2To16, GroupsOfFourFromTheLeftAndDropsWhatMatchesNoGroup) {
  const struct {
    const char16_t* bits;
    const char16_t* hex;
  } cases[] = {
      {u"", u""},
      {u"0000", u"0"},
      {u"11110000", u"F0"},
      {u"111100001", u"F0"},          // the lone trailing digit is dropped
      {u"0001001", u"1"},             // the short group 001 matches nothing
      {u"1O10", u""},                 // the letter O
      {u"0000000100100011010001010110011110001001101010111100110111101111", u"0123456789ABCDEF"},
      {u"1x1110100101", u"A5"},       // a bad group gives nothing, the scan goes on
      {u"0101 1010", u"5"},           // " 101" and "0" are no groups
  };
  for (const auto& c : cases) EXPECT_EQ(Convert2To16(c.bits), c.hex) << "bits: " << testing::PrintToString(String(c.bits));
}

TEST(IsHex, AcceptsDigitsOfEitherCaseOnly) {
  for (const char16_t* text : {u"", u"0", u"00ff", u"0123456789", u"ABCDEF", u"abcdef", u"fFfF"})
    EXPECT_TRUE(IsHex(text)) << testing::PrintToString(String(text));
  for (const char16_t* text : {u"G1", u" 1", u"1 ", u"-1", u"&H1", u"1.0", u"\t", u"g", u"\uFF21"})
    EXPECT_FALSE(IsHex(text)) << testing::PrintToString(String(text));
}

TEST(ParseByteBit, ReadsBitsFromTheRightAndCountsOtherCharactersAsZero) {
  const struct {
    const char16_t* bits;
    int value;
  } cases[] = {
      {u"", 0}, {u"0", 0}, {u"1", 1}, {u"101", 5}, {u"1x1", 5}, {u"11111111", 255},
      {u"00000000011", 3},     // leading zeros beyond bit 7 are no overflow
      {u"2101", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseByteBit(c.bits), c.value) << testing::PrintToString(String(c.bits));
}

TEST(ParseByteBit, AOneAtBitEightOrHigherOverflows) {
  for (const char16_t* bits : {u"100000000", u"111111111", u"1000000000000000000000000000000000000000"})
    EXPECT_EQ(ErrorRaisedBy([&] { ParseByteBit(bits); }), kErrOverflow) << testing::PrintToString(String(bits));
}

TEST(Fmt16, AlwaysTwoDigits) {
  const struct {
    Byte value;
    const char16_t* text;
  } cases[] = {{0, u"00"}, {5, u"05"}, {10, u"0A"}, {15, u"0F"}, {16, u"10"}, {171, u"AB"}, {255, u"FF"}};
  for (const auto& c : cases) EXPECT_EQ(Fmt16(c.value), c.text) << int{c.value};
}

TEST(Fmt16Ex, PadsInTheValuesOwnWidthAndNeverCuts) {
  const struct {
    Long value;
    Long width;
    const char16_t* text;
  } integers[] = {
      {255, 4, u"00FF"}, {-1, 2, u"FFFF"}, {-1, 4, u"FFFF"}, {-1, 6, u"00FFFF"}, {0, 0, u"0"},
      {26, -5, u"1A"},   {-32768, 1, u"8000"}, {0, 3, u"000"},
  };
  for (const auto& c : integers)
    EXPECT_EQ(Fmt16Ex(static_cast<Integer>(c.value), c.width), c.text) << c.value << " width " << c.width;

  const struct {
    Long value;
    Long width;
    const char16_t* text;
  } longs[] = {
      {-1, 4, u"FFFFFFFF"}, {26, 0, u"1A"}, {26, -1, u"1A"}, {65536, 8, u"00010000"},
      {26, std::numeric_limits<Long>::min(), u"1A"},  // no overflow in the width arithmetic
  };
  for (const auto& c : longs) EXPECT_EQ(Fmt16Ex2(c.value, c.width), c.text) << c.value << " width " << c.width;
}

TEST(Fmt16Ex, PaddingBeyondTheLongestTextIsOutOfMemory) {
  EXPECT_EQ(ErrorRaisedBy([] { Fmt16Ex(1, std::numeric_limits<Long>::max()); }), kErrOutOfMemory);
  EXPECT_EQ(ErrorRaisedBy([] { Fmt16Ex2(1, rt::kMaxTextLength + 2); }), kErrOutOfMemory);
  // A width just past the longest text, with more digits than padding: still refused.
  EXPECT_EQ(ErrorRaisedBy([] { Fmt16Ex2(0x3B2B08, rt::kMaxTextLength + 4); }), kErrOutOfMemory);
}

}  // namespace
}  // namespace brixen::str
