// clsString's trimming, alignment, zeros, thousands formatting and decimal places, without Win32.
#include "strings/fill_and_trim.h"

#include <gtest/gtest.h>

#include "run_time_error.h"

namespace brixen::str {
namespace {

using test::ErrorRaisedBy;

// Stands in for the system code page: ASCII as it is, every other character "?".
Integer AsciiCode(StringView character) { return character[0] < 128 ? Integer(character[0]) : Integer{'?'}; }

// The ideographic space of a double-byte code page's best-fit table, and the no-break space of
// others, may come back as a space: whatever the code page says is what counts.
Integer SpaceForIdeographicSpace(StringView character) {
  return character[0] == u'\u3000' ? Integer{32} : AsciiCode(character);
}

const String kLongest16BitText(32766, u'x');
const String kTooLong16BitText(32767, u'x');

TEST(Trim, RemovesItsCharactersEverywhere) {
  const struct {
    const char* name;
    String (*trim)(StringView);
    String text, expected;
  } cases[] = {
      {"TrimTabSpace", TrimTabSpace, u"\t a b\t c ", u"abc"},
      {"TrimTabSpace keeps the ideographic space", TrimTabSpace, u" a\u3000b ", u"a\u3000b"},
      {"TrimTabSpace keeps NUL and line ends", TrimTabSpace, String(u"a\0b\r\n", 5), String(u"a\0b\r\n", 5)},
      {"TrimReturn", TrimReturn, u"one\r\ntwo\r\nthree", u"onetwothree"},
      {"TrimReturn lone CR and LF", TrimReturn, u"\ra\nb\r", u"ab"},
      {"TrimReturn keeps spaces and tabs", TrimReturn, u" a\tb ", u" a\tb "},
      {"empty", TrimTabSpace, u"", u""},
      {"only removed characters", TrimReturn, u"\r\n\r\n", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.trim(c.text), c.expected) << c.name;
}

TEST(Trim, TrimSpaceJudgesEachCharacterByItsCodePageCode) {
  EXPECT_EQ(TrimSpace(String(u" a\0b \0 c\t", 9), AsciiCode), u"abc\t");
  EXPECT_EQ(TrimSpace(u"a\u3000b\u00E9", AsciiCode), u"a\u3000b\u00E9");
  EXPECT_EQ(TrimSpace(u"a\u3000b", SpaceForIdeographicSpace), u"ab");
  EXPECT_EQ(TrimSpace(u"", AsciiCode), u"");
}

TEST(Trim, TheSixteenBitLoopsOverflowFrom32767Characters) {
  EXPECT_EQ(TrimReturn(kLongest16BitText), kLongest16BitText);
  EXPECT_EQ(TrimSpace(kLongest16BitText, AsciiCode), kLongest16BitText);
  EXPECT_EQ(ErrorRaisedBy([] { TrimReturn(kTooLong16BitText); }), kErrOverflow);
  EXPECT_EQ(ErrorRaisedBy([] { TrimSpace(kTooLong16BitText, AsciiCode); }), kErrOverflow);
  EXPECT_EQ(TrimTabSpace(kTooLong16BitText), kTooLong16BitText) << "TrimTabSpace has no such limit";
}

TEST(Alignment, LeftAlignedFieldIsExactlyTheWidth) {
  const struct {
    const char16_t* text;
    Byte width;
    const char16_t* expected;
  } cases[] = {
      {u"abc", 5, u"abc  "}, {u"abcdef", 3, u"abc"}, {u"abc", 3, u"abc"}, {u"abc", 0, u""},
      {u"", 2, u"  "},       {u"\u65E5\u672C", 3, u"\u65E5\u672C "},  // characters, not bytes
  };
  for (const auto& c : cases) EXPECT_EQ(GetLYoseStr(c.text, c.width), c.expected) << int{c.width};
  EXPECT_EQ(GetLYoseStr(u"a", 255).size(), 255u);
}

TEST(Alignment, RightAlignedFieldOnlyForWidthsTwoToTwelve) {
  const struct {
    const char16_t* text;
    Long width;
    const char16_t* expected;
  } cases[] = {
      {u"42", 5, u"   42"},   {u"42", 2, u"42"},           {u"7", 12, u"           7"},
      {u"12345", 3, u"12345"},  // never cut
      {u"42", 1, u""},        {u"42", 13, u""},            {u"42", 0, u""},
      {u"42", -2, u""},       {u"", 4, u"    "},            {u"1.5", 4, u" 1.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetRYoseStr(c.text, c.width), c.expected) << c.width;
}

TEST(Zeros, CountZerosAndTheLoopCounterLimit) {
  EXPECT_EQ(GetZeroStr(3), u"000");
  EXPECT_EQ(GetZeroStr(1), u"0");
  EXPECT_EQ(GetZeroStr(0), u"");
  EXPECT_EQ(GetZeroStr(-5), u"");
  EXPECT_EQ(GetZeroStr(-32768), u"");
  EXPECT_EQ(GetZeroStr(32766).size(), 32766u);
  EXPECT_EQ(ErrorRaisedBy([] { GetZeroStr(32767); }), kErrOverflow);
}

TEST(FormatThousands, ThousandsAndOneRoundedDecimal) {
  const struct {
    Double value;
    const char16_t* text;
  } numbers[] = {
      {1234.56, u"1,234.6"}, {0, u"0.0"},          {0.04, u"0.0"},         {0.05, u"0.1"},
      {-1234.55, u"-1,234.6"}, {999.96, u"1,000.0"}, {1234567, u"1,234,567.0"}, {12, u"12.0"},
  };
  for (const auto& c : numbers) EXPECT_EQ(FormatThousands(c.value), c.text) << c.value;
  EXPECT_EQ(FormatThousands(u"1234.56"), u"1,234.6") << "a text that reads as a number";
  EXPECT_EQ(FormatThousands(u"abc"), u"abc") << "no numeric test: other text comes back as it is";
  EXPECT_EQ(FormatThousands(u""), u"");
}

TEST(CheckShosu, CountsWhateverFollowsTheFirstPoint) {
  const struct {
    const char16_t* text;
    Integer places;
    bool expected;
  } cases[] = {
      {u"1.25", 2, true},  {u"1.25", 1, false}, {u"12", 0, true},    {u"1.", 0, true},
      {u"", 0, true},      {u".5", 0, false},   {u".5", 1, true},    {u"1.2.3", 2, false},  // the second point counts
      {u"1.2.3", 3, true}, {u"1.ab", 2, true},  {u"1.25", -1, false}, {u"12", -1, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckShosu(c.text, c.places), c.expected) << testing::PrintToString(String(c.text)) << " " << c.places;
}

TEST(CheckShosu, APointBeyondTheSixteenBitRangeOverflows) {
  const String at32767 = String(32766, u'1') + u".5";
  const String at32768 = String(32767, u'1') + u".5";
  EXPECT_TRUE(CheckShosu(at32767, 1));
  EXPECT_EQ(ErrorRaisedBy([&] { CheckShosu(at32768, 1); }), kErrOverflow);
  EXPECT_TRUE(CheckShosu(String(40000, u'1'), 0)) << "no point: nothing to count";
}

}  // namespace
}  // namespace brixen::str
