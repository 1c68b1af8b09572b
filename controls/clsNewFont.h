// clsNewFont: a logical-font record (the platform's ANSI form) filled through write-only
// properties, and a new font handle built from it on every read of hNewFont. The caller owns
// every handle it reads and deletes it.
#pragma once
#include <windows.h>

#include <array>

#include "frame/types.h"

namespace brixen {

class clsNewFont {
 public:
  clsNewFont();

  void let_lfHeight(Long value);
  void let_lfEscapement(Long value);  // escapement and orientation alike
  void let_lfWeight(Long value);      // ENUM_lfWeight; any value is kept
  void let_lfWidth(Long value);
  // The byte fields: a value outside 0..255 is error 6 and leaves the field as it was.
  void let_lfItalic(Long value);      // ENUM_lfYesNone
  void let_lfUnderline(Long value);
  void let_lfStrikeOut(Long value);
  void let_lfOutPrecision(Long value);  // ENUM_lfOUtPrecision
  void let_lfQuality(Long value);       // ENUM_lfQuality
  void let_lfPitchAndFamily(Long lfPitch, Long lfFamily);
  // The name in the system's ANSI code page with its NUL: up to 33 bytes (a 32-byte name's NUL
  // lies beyond the 32 the platform reads); a longer name is error 9 and changes nothing.
  void let_lfFaceName(const String& sFaceName);

  Long get_hNewFont();

 private:
  static constexpr std::size_t kFaceStorage = LF_FACESIZE + 1;
  LOGFONTA font_{};
  std::array<char, kFaceStorage> face_{};
};

}  // namespace brixen
