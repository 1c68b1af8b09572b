// Value conversions and checked arithmetic of the automation types, with the run-time's
// rules: floating values round to the nearest integer with halves to the even
// neighbour, results outside the target range raise error 6, text that is no number
// raises error 13.
#pragma once
#include "frame/types.h"

namespace brixen::rt {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
Double RoundHalfEven(Double value);

Integer CInt(Double value);
Long CLng(Double value);
Byte CByte(Double value);
// Error 6 beyond the Single range.
Single CSng(Double value);

// Checked arithmetic: error 6 when the result leaves the type's range.
Integer AddInteger(Integer a, Integer b);
Integer SubInteger(Integer a, Integer b);
Integer MulInteger(Integer a, Integer b);
Long AddLong(Long a, Long b);
Long SubLong(Long a, Long b);
Long MulLong(Long a, Long b);
// The "/" operator: 0 / 0 raises 6, any other number over 0 raises 11, a quotient beyond the
// Double range 6.
Double Divide(Double a, Double b);

// True is -1, False is 0 when a Boolean is stored into a number.
constexpr Integer BooleanToInteger(Boolean value) { return value ? -1 : 0; }

// Text forms the run-time writes: Double with up to 15 significant digits and Single
// with up to 7 ("0.5", "-0.5", "1E+20", "1.5E-05"), integers in plain decimal,
// Booleans as True / False.
String CStr(Double value);
String CStr(Single value);
String CStr(Long value);
String CStr(Integer value);
String CStr(Byte value);
String CStr(Boolean value);

// Text read as a number: surrounding blanks, optional sign, digits with one ".",
// exponent, or a "&H" / "&O" integer. Anything else raises error 13.
Double CDbl(StringView text);
// Whether CDbl accepts the text.
bool IsNumericText(StringView text);

}  // namespace brixen::rt
