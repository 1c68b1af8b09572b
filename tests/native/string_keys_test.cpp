// clsString's key-code classes, without Win32.
#include "strings/key_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace brixen::str {
namespace {

// The keys of each class among the codes -2..127, written as the accepted characters;
// control keys (0..30 and the negative double-byte codes) shown as "^".
std::string AcceptedKeys(Long keyClass, bool commaIsDecimal = false) {
  std::string accepted;
  bool controls = false;
  bool controlsAll = true;
  for (int key = -2; key <= 127; ++key) {
    const bool ok = CheckKeyAscii(static_cast<Integer>(key), keyClass, commaIsDecimal);
    if (key < 31) {
      controls = controls || ok;
      controlsAll = controlsAll && (ok || key == kKeyEnter);
    } else if (ok) {
      accepted += static_cast<char>(key);
    }
  }
  return (controls ? (controlsAll ? "^" : "^?") : "") + accepted;
}

TEST(CheckKeyAscii, EachClassAcceptsItsCharactersAndControlKeys) {
  const struct {
    Long keyClass;
    const char* accepted;
  } cases[] = {
      {kNumberWithDecimal, "^.0123456789"},
      {kNumberWithMinus, "^-0123456789"},
      {kNumberWithBothNoEnter, "^-.0123456789"},
      {kDigits, "^0123456789"},
      {kNumberWithBoth, "^-.0123456789"},
      {kLetters, "^ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"},
      {kYesNo, "NYny"},
      {kNonZeroDigits, "^123456789"},
      {kDigitsNoEnter, "^0123456789"},
      {0, ""},
      {10, ""},
      {kAnything, ""},
      {-1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AcceptedKeys(c.keyClass), c.accepted) << "class " << c.keyClass;
}

TEST(CheckKeyAscii, ControlKeysAreBelow31AndEnterIsRefusedByClassesThreeAndNine) {
  const struct {
    Integer key;
    Long keyClass;
    bool expected;
  } cases[] = {
      {8, kNumberWithDecimal, true},   {31, kNumberWithDecimal, false}, {30, kNumberWithDecimal, true},
      {32, kDigits, false},            {13, kNumberWithBoth, true},     {13, kNumberWithBothNoEnter, false},
      {13, kDigitsNoEnter, false},     {8, kDigitsNoEnter, true},       {45, kDigitsNoEnter, false},
      {48, kNonZeroDigits, false},     {8, kYesNo, false},              {-32096, kYesNo, false},
      {-32768, kDigits, true},         {-1, kLetters, true},            {0, kDigits, true},
      {127, kNumberWithBoth, false},   {255, kLetters, false},          {200, kDigits, false},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckKeyAscii(c.key, c.keyClass, false), c.expected) << c.key << " in " << c.keyClass;
}

TEST(CheckKeyAscii, ADoubleByteCodePassesEveryClassButYesNo) {
  for (Long keyClass = 1; keyClass <= 9; ++keyClass)
    EXPECT_EQ(CheckKeyAscii(-32096, keyClass, false), keyClass != kYesNo) << keyClass;
}

TEST(CheckKeyAscii, ACommaCountsAsAPointWhereItIsTheDecimalSeparator) {
  EXPECT_FALSE(CheckKeyAscii(',', kNumberWithDecimal, false));
  EXPECT_TRUE(CheckKeyAscii(',', kNumberWithDecimal, true));
  EXPECT_TRUE(CheckKeyAscii(',', kNumberWithBoth, true));
  EXPECT_FALSE(CheckKeyAscii(',', kDigits, true)) << "a class without the point has no use for it";
  EXPECT_EQ(AcceptedKeys(kNumberWithBothNoEnter, true), "^,-.0123456789");
}

TEST(IsABC, LettersOnly) {
  for (Integer key : {65, 90, 97, 122, 77}) EXPECT_TRUE(IsABC(key)) << key;
  for (Integer key : {64, 91, 96, 123, 8, 0, -32096, 48, 196, 228}) EXPECT_FALSE(IsABC(key)) << key;
}

}  // namespace
}  // namespace brixen::str
