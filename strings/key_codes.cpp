#include "strings/key_codes.h"

namespace brixen::str {
namespace {

bool InRange(Integer key, char low, char high) { return key >= low && key <= high; }
bool IsControl(Integer key) { return key < 31; }
bool IsDigit(Integer key) { return InRange(key, '0', '9'); }

bool Accepts(Long keyClass, Integer key) {
  const bool control = IsControl(key);
  const bool digit = IsDigit(key);
  const bool minus = key == '-';
  const bool point = key == '.';
  switch (keyClass) {
    case kNumberWithDecimal: return control || point || digit;
    case kNumberWithMinus: return control || minus || digit;
    case kNumberWithBothNoEnter: return key != kKeyEnter && (control || minus || point || digit);
    case kDigits: return control || digit;
    case kNumberWithBoth: return control || minus || point || digit;
    case kLetters: return control || IsABC(key);
    case kYesNo: return key == 'Y' || key == 'y' || key == 'N' || key == 'n';
    case kNonZeroDigits: return control || InRange(key, '1', '9');
    case kDigitsNoEnter: return key != kKeyEnter && (control || digit);
    default: return false;
  }
}

}  // namespace

bool CheckKeyAscii(Integer key, Long keyClass, bool commaIsDecimal) {
  const Integer seen = (commaIsDecimal && key == ',') ? Integer{'.'} : key;
  return Accepts(keyClass, seen);
}

bool IsABC(Integer key) { return InRange(key, 'A', 'Z') || InRange(key, 'a', 'z'); }

}  // namespace brixen::str
