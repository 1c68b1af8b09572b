// clsProperty: words of packed 32-bit values and their signs.
#include "frame/runtime/hex.h"
#include "frame/runtime/val.h"
#include "frame/runtime/values.h"
#include "system/clsProperty.h"

namespace brixen {

// The quotient toward zero, moved into 0..65535 when negative: for a negative value with a
// non-zero low word this is one more than the high word (-1 gives 0), as callers have it.
Long clsProperty::GetHiWord(Long LongValue) {
  Long quotient = LongValue / 65536;
  if (quotient < 0) quotient += 65536;
  return quotient;
}

Long clsProperty::GetLoWord(Long LongValue) {
  Long remainder = LongValue % 65536;
  if (remainder < 0) remainder += 65536;
  return remainder;
}

// Re-reads the value's hexadecimal text: four digits or fewer read as a signed 16-bit number.
Long clsProperty::CvWithSign(Long lngValue) { return rt::CLng(rt::Val(u"&H" + rt::Hex(lngValue))); }

}  // namespace brixen
