#include "frame/errors.h"

#include <gtest/gtest.h>

namespace brixen {
namespace {

TEST(ErrorText, KnownNumbersGiveTheirStandardText) {
  const struct {
    Long number;
    StringView text;
  } cases[] = {
      {5, u"Invalid procedure call or argument"},
      {6, u"Overflow"},
      {13, u"Type mismatch"},
      {52, u"Bad file name or number"},
      {53, u"File not found"},
      {75, u"Path/File access error"},
      {91, u"Object variable or With block variable not set"},
      {438, u"Object doesn't support this property or method"},
      {746, u"Replacements too long"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorText(c.number), c.text) << c.number;
}

TEST(ErrorText, UnknownNumbersGiveTheApplicationDefinedText) {
  for (Long number : {1, 4, 1000, 32767, -1, 65535})
    EXPECT_EQ(ErrorText(number), u"Application-defined or object-defined error") << number;
}

TEST(RuntimeError, CarriesNumberAndStandardText) {
  const RuntimeError error(kErrFileNotFound);
  EXPECT_EQ(error.number(), 53);
  EXPECT_EQ(error.text(), u"File not found");
}

}  // namespace
}  // namespace brixen
