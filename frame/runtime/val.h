// Val: the number at the start of a text, the rest ignored.
#pragma once
#include "frame/types.h"

namespace brixen::rt {

// Blanks, tabs and line feeds are passed over anywhere ("1 2" is 12). Reads an optional
// sign, digits with one ".", an exponent "E" or "D" with optional sign, or a "&H"
// hexadecimal / "&O" or "&" octal integer (16-bit values signed as Integer:
// "&HFFFF" is -1; wider ones signed as Long: "&HFFFFFFFF" is -1, "&H10000" is 65536).
// No number gives 0. Beyond the Double range, or a radix integer wider than 32 bits,
// raises error 6.
Double Val(StringView text);

}  // namespace brixen::rt
