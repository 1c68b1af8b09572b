// The texts of the error sink: print zones of 14 columns, the Err.log header and record lines,
// and the message box text.
#include "helpers/err_log_text.h"

#include <gtest/gtest.h>

namespace brixen {
namespace {

String Spaces(std::size_t count) { return String(count, u' '); }

TEST(PrintZones, SeparatorsMoveToTheNextZoneStartStrictlyAfterTheColumn) {
  EXPECT_EQ(PrintZones({u"abc", u"x"}), u"abc" + Spaces(11) + u"x");             // column 4 -> 15
  EXPECT_EQ(PrintZones({u"abcdefghijklm", u"x"}), u"abcdefghijklm" + Spaces(1) + u"x");  // 14 -> 15
  EXPECT_EQ(PrintZones({u"abcdefghijklmn", u"x"}), u"abcdefghijklmn" + Spaces(14) + u"x");  // 15 -> 29
  EXPECT_EQ(PrintZones({u"", u"x"}), Spaces(14) + u"x");                          // 1 -> 15
  EXPECT_EQ(PrintZones({u"a", u"", u"", u"b"}), u"a" + Spaces(41) + u"b");        // 2 -> 15 -> 29 -> 43
  EXPECT_EQ(PrintZones({u"only"}), u"only");
  EXPECT_EQ(PrintZones({u"a", u""}), u"a" + Spaces(13));  // the last field has no separator after it
}

TEST(PrintZones, ALineBreakInsideAFieldStartsTheCountAgain) {
  EXPECT_EQ(PrintZones({u"first line\r\nab", u"x"}), u"first line\r\nab" + Spaces(12) + u"x");
  EXPECT_EQ(PrintZones({u"a\n", u"x"}), u"a\n" + Spaces(14) + u"x");
}

// One column per byte of a double-byte code page: characters beyond ASCII take two here.
std::size_t DoubleByteColumns(StringView text) {
  std::size_t columns = 0;
  for (char16_t c : text) columns += c < 0x80 ? 1 : 2;
  return columns;
}

TEST(PrintZones, ColumnsAreCountedByTheGivenWidth) {
  EXPECT_EQ(PrintZones({u"エラー", u"x"}, DoubleByteColumns), u"エラー" + Spaces(8) + u"x");
  EXPECT_EQ(PrintZones({u"エラー", u"x"}), u"エラー" + Spaces(11) + u"x");
}

TEST(ErrLogHeader, NamesTheFourColumnsAtTheirZones) {
  EXPECT_EQ(ErrLogHeader(), u"ErrorCode" + Spaces(5) + u"Date/Time" + Spaces(19) + u"ModuleName" + Spaces(32) + u"Content");
  EXPECT_EQ(ErrLogHeader().find(u"Date/Time"), 14u);
  EXPECT_EQ(ErrLogHeader().find(u"ModuleName"), 42u);
  EXPECT_EQ(ErrLogHeader().find(u"Content"), 84u);
}

struct RecordCase {
  Long code;
  const char16_t* dateTime;
  const char16_t* module;
  const char16_t* text;
  String expected;
};

class ErrLogRecordTest : public testing::TestWithParam<RecordCase> {};

TEST_P(ErrLogRecordTest, LaysTheFieldsOutInZones) {
  const RecordCase& c = GetParam();
  EXPECT_EQ(ErrLogRecord(c.code, c.dateTime, c.module, c.text), c.expected);
}

const String kUsTime = u"7/25/2006 12:34:56 PM";  // 21 characters: column 36, next zone 43

INSTANTIATE_TEST_SUITE_P(
    Fields, ErrLogRecordTest,
    testing::Values(
        RecordCase{5, u"7/25/2006 12:34:56 PM", u"IsWritable", u"Overflow",
                   u" 5 " + Spaces(11) + kUsTime + Spaces(7) + u"IsWritable" + Spaces(4) + u"Overflow"},
        RecordCase{-53, u"7/25/2006 12:34:56 PM", u"M", u"T",
                   u"-53 " + Spaces(10) + kUsTime + Spaces(7) + u"M" + Spaces(13) + u"T"},
        RecordCase{2147483647, u"2006/7/25 1:02", u"M", u"T",  // 12 characters, then 14 exactly
                   u" 2147483647 " + Spaces(2) + u"2006/7/25 1:02" + Spaces(14) + u"M" + Spaces(13) + u"T"},
        RecordCase{-2147483647 - 1, u"2006/07/25 12:34:56", u"M", u"T",
                   u"-2147483648 " + Spaces(2) + u"2006/07/25 12:34:56" + Spaces(9) + u"M" + Spaces(13) + u"T"},
        RecordCase{91, u"7/25/2006 12:34:56 PM", u"", u"",  // empty fields write nothing before the zone
                   u" 91 " + Spaces(10) + kUsTime + Spaces(7) + Spaces(14)},
        RecordCase{7, u"7/25/2006 12:34:56 PM", u"AVeryLongModuleName_20", u"Out of memory",
                   u" 7 " + Spaces(11) + kUsTime + Spaces(7) + u"AVeryLongModuleName_20" + Spaces(6) + u"Out of memory"},
        RecordCase{7, u"7/25/2006 12:34:56 PM", u"Fourteen_chars", u"x",  // ends at a zone start
                   u" 7 " + Spaces(11) + kUsTime + Spaces(7) + u"Fourteen_chars" + Spaces(14) + u"x"},
        RecordCase{7, u"Wednesday, July 25, 2006 12:34:56 PM", u"M", u"x",  // a long date form pushes on
                   u" 7 " + Spaces(11) + u"Wednesday, July 25, 2006 12:34:56 PM" + Spaces(6) + u"M" + Spaces(13) + u"x"}));

TEST(ErrLogRecord, CountsColumnsWithTheGivenWidth) {
  EXPECT_EQ(ErrLogRecord(5, u"2006/7/25 12:34:56", u"エラー", u"x", DoubleByteColumns),
            u" 5 " + Spaces(11) + u"2006/7/25 12:34:56" + Spaces(10) + u"エラー" + Spaces(8) + u"x");
}

TEST(ErrRegMessage, SeparatesItsPartsByBlankLines) {
  EXPECT_EQ(ErrRegMessage(6, u"Overflow", u"Fmt16", u"Please note this message and report."),
            u"Fmt16\r\n\r\nOverflow\r\n\r\n[ErrCode] 6\r\n\r\nPlease note this message and report.");
  EXPECT_EQ(ErrRegMessage(-5, u"", u"", u"note"), u"\r\n\r\n\r\n\r\n[ErrCode] -5\r\n\r\nnote");
}

}  // namespace
}  // namespace brixen
