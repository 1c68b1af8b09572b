// The word and byte arithmetic of clsProperty, free of Win32 so that it is tested natively.
#pragma once
#include "frame/types.h"

namespace brixen {

// hi * 65536 + low in double precision, neither masked to 16 bits; a sum of 2^31 or more is
// moved down by 2^32. A result still outside the Long range raises 6.
Long PackWords(Long hi, Long low);

// The signed 16-bit number whose low byte is `low` and high byte `high`.
Integer SignedFromBytes(Byte low, Byte high);

// A sign-and-magnitude byte: the value itself when not negative, else its absolute value with
// bit 0x80 set. Raises 6 when the result passes 255 (and for -32768, whose absolute value
// leaves the Integer range).
Byte SignMagnitudeByte(Integer value);

// The Num Lock entry of a key-state table: its toggle bit read as ENUM_NUMLOCKSTATUS, and the
// entry with that bit set (1), cleared (0) or left (any other state).
Long NumLockStateOf(Byte entry);
Byte WithNumLockState(Byte entry, Long state);

}  // namespace brixen
