// clsString's conversions between binary digit text, hexadecimal text and numbers.
// Digits run most significant first; hexadecimal digits are written in upper case.
#pragma once
#include "frame/types.h"

namespace brixen::str {

// Four binary digits to one hexadecimal digit, grouped from the left; a group that is not
// four binary digits (a short last group, a character other than 0 and 1) gives nothing.
String Convert2To16(StringView bits);

// Every character a hexadecimal digit of either case; true for an empty text.
bool IsHex(StringView text);

// The binary digits as a byte, the last character being bit 0. Characters other than "1"
// count as 0; a "1" at bit 8 or higher is an overflow (error 6).
Byte ParseByteBit(StringView bits);

// Exactly two digits.
String Fmt16(Byte value);

// The value's digits in its own width (Integer -1 is FFFF, Long -1 FFFFFFFF), padded with
// "0" on the left to `width` digits and never cut. Error 7 when the padding would make a
// text longer than any text can be.
String Fmt16Ex(Integer value, Long width);
String Fmt16Ex2(Long value, Long width);

}  // namespace brixen::str
