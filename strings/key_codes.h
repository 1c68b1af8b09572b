// Key codes as a text box's key-press event delivers them (the character's code in the system
// ANSI code page; control keys below 32; double-byte characters negative), judged against
// the character classes of clsString's key filters.
#pragma once
#include "frame/types.h"

namespace brixen::str {

// Character classes (ENUM_CheckKeyAscii, and the unnamed 3, 7, 8 and 9).
enum KeyClass : Long {
  kNumberWithDecimal = 1,          // wantNUM_yDecimal_nMinus
  kNumberWithMinus = 2,            // wantNUM_nDecimal_yMinus
  kNumberWithBothNoEnter = 3,      // digits, "-", "." and control keys but Enter
  kDigits = 4,                     // wantNUM_nDecimal_nMinus
  kNumberWithBoth = 5,             // wantNUM_yDecimal_yMinus
  kLetters = 6,                    // wantABC
  kYesNo = 7,                      // Y, y, N, n only
  kNonZeroDigits = 8,              // 1 to 9
  kDigitsNoEnter = 9,              // digits and control keys but Enter
  kAnything = 99,                  // wantAnything: no class for CheckKeyAscii, no check for Mask
};

inline constexpr Integer kKeyEnter = 13;
inline constexpr Integer kKeySpace = 32;
inline constexpr Integer kKeyDiscarded = 0;

// Whether the key belongs to the class; false for classes outside 1..9. Control keys here
// are the codes below 31, negative (double-byte) codes included. Where the user's locale
// reads the comma as its decimal separator, a "," key counts as ".".
bool CheckKeyAscii(Integer key, Long keyClass, bool commaIsDecimal);

// "A" to "Z" or "a" to "z".
bool IsABC(Integer key);

}  // namespace brixen::str
