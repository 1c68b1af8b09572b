#include "system/conversions.h"

#include "frame/errors.h"
#include "frame/runtime/values.h"

namespace brixen {
namespace {

constexpr Byte kToggleBit = 0x01;
constexpr Long kNumLockOff = 0;
constexpr Long kNumLockOn = 1;

}  // namespace

Long PackWords(Long hi, Long low) {
  Double packed = static_cast<Double>(hi) * 65536.0 + static_cast<Double>(low);
  if (packed >= 2147483648.0) packed -= 4294967296.0;
  return rt::CLng(packed);
}

// Written as the two's complement of the negated bytes, so that no step leaves 16 bits.
Integer SignedFromBytes(Byte low, Byte high) {
  if ((high & 0x80) == 0) return static_cast<Integer>(high * 256 + low);
  return static_cast<Integer>(-((255 - high) * 256 + (255 - low) + 1));
}

Byte SignMagnitudeByte(Integer value) {
  if (value >= 0) return rt::CByte(value);
  if (value == -32768) Raise(kErrOverflow);  // its absolute value is no Integer
  const Integer magnitude = static_cast<Integer>(-value);
  return rt::CByte(magnitude | 0x80);
}

Long NumLockStateOf(Byte entry) { return (entry & kToggleBit) != 0 ? kNumLockOn : kNumLockOff; }

Byte WithNumLockState(Byte entry, Long state) {
  if (state == kNumLockOff) return static_cast<Byte>(entry & 254);
  if (state == kNumLockOn) return static_cast<Byte>(entry | kToggleBit);
  return entry;
}

}  // namespace brixen
