// Decimal digit form of a Double: the run-time writes numbers from their leading
// significant digits (15 for Double, 7 for Single) and rounds Format output on those
// digits, not on the binary value.
#pragma once
#include <string>
#include <string_view>

#include "frame/types.h"

namespace brixen::rt {

// value = (negative ? -1 : 1) * 0.d1d2d3... * 10^point. Zero has no digits.
struct DecimalDigits {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros
  int point = 0;
};

// The value rounded to `significant` digits. A non-finite value raises error 6.
DecimalDigits ToDecimal(Double value, int significant);

// Keeps `fraction` digits after the decimal point, rounding half away from zero.
void RoundToFraction(DecimalDigits& number, int fraction);

// The digits before the decimal point ("" for a value below 1), and the first
// `count` digits after it, padded with zeros.
std::string IntegerDigits(const DecimalDigits& number);
std::string FractionDigits(const DecimalDigits& number, int count);

// The Double nearest to digits * 10^exponent (`digits` is a run of decimal digits).
// Raises error 6 when the magnitude is beyond the Double range; tiny values give 0.
Double ComposeDouble(std::string_view digits, long long exponent);

}  // namespace brixen::rt
