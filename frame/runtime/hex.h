// Hex: upper-case hexadecimal digits without leading zeros, in the value's own width
// (negative values as their two's complement: Integer -1 is "FFFF", Long -1 "FFFFFFFF").
#pragma once
#include "frame/types.h"

namespace brixen::rt {

String Hex(Integer value);
String Hex(Long value);
String Hex(Byte value);

}  // namespace brixen::rt
