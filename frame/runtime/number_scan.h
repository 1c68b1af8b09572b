// The run-time's reader of a leading number in text, shared by Val and the text
// conversions: optional sign, digits with one ".", an exponent "E" or "D", or a
// "&H" (hexadecimal) / "&O" or "&" (octal) integer.
#pragma once
#include <cstddef>

#include "frame/types.h"

namespace brixen::rt {

struct ScannedNumber {
  Double value = 0;
  std::size_t end = 0;     // position just after the last character of the number
  bool has_digits = false;  // false: no number at the start of the text
};

enum class InnerBlanks { kStop, kSkip };

// Reads the number at the start of `text`. With InnerBlanks::kSkip, blanks, tabs and
// line feeds are passed over anywhere (the way Val reads). A radix integer that fits
// 16 bits is read as a signed Integer, else as a signed Long; a wider one, or a
// decimal number beyond the Double range, raises error 6.
ScannedNumber ScanNumber(StringView text, InnerBlanks blanks);

// Blank characters that Val passes over.
constexpr bool IsValBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

}  // namespace brixen::rt
