#include "frame/runtime/values.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "frame/errors.h"
#include "frame/runtime/ascii.h"
#include "frame/runtime/decimal.h"
#include "frame/runtime/number_scan.h"

namespace brixen::rt {
namespace {

template <typename T>
T CheckedNarrow(std::int64_t value) {
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
    Raise(kErrOverflow);
  return static_cast<T>(value);
}

template <typename T>
T RoundToInteger(Double value) {
  const Double rounded = RoundHalfEven(value);
  // Written so that NaN fails the test as well.
  if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max()))
    Raise(kErrOverflow);
  return static_cast<T>(rounded);
}

// Scientific form when the decimal exponent is below -4 or reaches the digit count.
String WriteGeneral(const DecimalDigits& number, int significant) {
  if (number.digits.empty()) return u"0";
  const int exponent = number.point - 1;
  const std::string& d = number.digits;
  std::string text = number.negative ? "-" : "";
  if (exponent < -4 || exponent >= significant) {
    text += d.substr(0, 1);
    if (d.size() > 1) text += "." + d.substr(1);
    const std::string magnitude = std::to_string(std::abs(exponent));
    text += exponent < 0 ? "E-" : "E+";
    text += (magnitude.size() < 2 ? "0" : "") + magnitude;
  } else if (number.point <= 0) {
    text += "0." + std::string(static_cast<std::size_t>(-number.point), '0') + d;
  } else {
    text += IntegerDigits(number);
    if (d.size() > static_cast<std::size_t>(number.point))
      text += "." + d.substr(static_cast<std::size_t>(number.point));
  }
  return Widen(text);
}

template <typename T>
String WriteInteger(T value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Widen(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

StringView TrimBlanks(StringView text) {
  while (!text.empty() && IsValBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsValBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<Double> ReadWholeNumber(StringView text) {
  const StringView trimmed = TrimBlanks(text);
  const ScannedNumber number = ScanNumber(trimmed, InnerBlanks::kStop);
  if (!number.has_digits || number.end != trimmed.size()) return std::nullopt;
  return number.value;
}

}  // namespace

Double RoundHalfEven(Double value) {
  if (std::fabs(value - std::trunc(value)) != 0.5) return std::round(value);
  return 2.0 * std::round(value / 2.0);  // a half: the even one of its two neighbours
}

Integer CInt(Double value) { return RoundToInteger<Integer>(value); }
Long CLng(Double value) { return RoundToInteger<Long>(value); }
Byte CByte(Double value) { return RoundToInteger<Byte>(value); }

Single CSng(Double value) {
  if (!(std::fabs(value) <= std::numeric_limits<Single>::max())) Raise(kErrOverflow);
  return static_cast<Single>(value);
}

Integer AddInteger(Integer a, Integer b) { return CheckedNarrow<Integer>(std::int64_t{a} + b); }
Integer SubInteger(Integer a, Integer b) { return CheckedNarrow<Integer>(std::int64_t{a} - b); }
Integer MulInteger(Integer a, Integer b) { return CheckedNarrow<Integer>(std::int64_t{a} * b); }
Long AddLong(Long a, Long b) { return CheckedNarrow<Long>(std::int64_t{a} + b); }
Long SubLong(Long a, Long b) { return CheckedNarrow<Long>(std::int64_t{a} - b); }
Long MulLong(Long a, Long b) { return CheckedNarrow<Long>(std::int64_t{a} * b); }

Double Divide(Double a, Double b) {
  if (b == 0) Raise(a == 0 ? kErrOverflow : kErrDivisionByZero);
  const Double quotient = a / b;
  if (!std::isfinite(quotient)) Raise(kErrOverflow);
  return quotient;
}

String CStr(Double value) { return WriteGeneral(ToDecimal(value, 15), 15); }
String CStr(Single value) { return WriteGeneral(ToDecimal(value, 7), 7); }
String CStr(Long value) { return WriteInteger(value); }
String CStr(Integer value) { return WriteInteger(value); }
String CStr(Byte value) { return WriteInteger(value); }
String CStr(Boolean value) { return value ? u"True" : u"False"; }

Double CDbl(StringView text) {
  const auto number = ReadWholeNumber(text);
  if (!number) Raise(kErrTypeMismatch);
  return *number;
}

bool IsNumericText(StringView text) {
  try {
    return ReadWholeNumber(text).has_value();
  } catch (const RuntimeError&) {
    return false;  // a number beyond the range is still no convertible number
  }
}

}  // namespace brixen::rt
