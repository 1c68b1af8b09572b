#include "frame/runtime/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "frame/errors.h"

namespace brixen::rt {
namespace {

void TrimZeros(DecimalDigits& number) {
  const auto last = number.digits.find_last_not_of('0');
  number.digits.erase(last == std::string::npos ? 0 : last + 1);
  const auto first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    number.digits.clear();
    number.point = 0;
    return;
  }
  number.digits.erase(0, first);
  number.point -= static_cast<int>(first);
}

// Adds one unit in the last place of `digits`; returns true when it carried out
// of the first digit ("999" becomes "000" and the caller prefixes a "1").
bool IncrementLastDigit(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

}  // namespace

DecimalDigits ToDecimal(Double value, int significant) {
  if (!std::isfinite(value)) Raise(kErrOverflow);
  // "d.ddddde+XX": correctly rounded, independent of the C locale.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, significant - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const auto e = text.find('e');
  DecimalDigits number;
  number.negative = std::signbit(value);
  for (char c : text.substr(0, e))
    if (c != '.') number.digits.push_back(c);
  number.point = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
  TrimZeros(number);
  if (number.digits.empty()) number.negative = false;
  return number;
}

void RoundToFraction(DecimalDigits& number, int fraction) {
  const long long keep = static_cast<long long>(number.point) + fraction;
  if (keep >= static_cast<long long>(number.digits.size())) return;
  if (keep < 0) {
    number.digits.clear();
  } else {
    const bool round_up = number.digits[static_cast<std::size_t>(keep)] >= '5';
    number.digits.resize(static_cast<std::size_t>(keep));
    if (round_up && IncrementLastDigit(number.digits)) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.point;
    }
  }
  TrimZeros(number);
}

std::string IntegerDigits(const DecimalDigits& number) {
  if (number.point <= 0) return {};
  std::string digits = number.digits.substr(0, static_cast<std::size_t>(number.point));
  digits.resize(static_cast<std::size_t>(number.point), '0');
  return digits;
}

std::string FractionDigits(const DecimalDigits& number, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) {
    const long long index = static_cast<long long>(number.point) + i;
    const bool present = index >= 0 && index < static_cast<long long>(number.digits.size());
    digits.push_back(present ? number.digits[static_cast<std::size_t>(index)] : '0');
  }
  return digits;
}

Double ComposeDouble(std::string_view digits, long long exponent) {
  const auto first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return 0.0;
  digits.remove_prefix(first);
  // Order of magnitude: value = 0.digits * 10^magnitude.
  const long long magnitude = exponent + static_cast<long long>(digits.size());
  if (magnitude > 310) Raise(kErrOverflow);
  if (magnitude < -330) return 0.0;
  std::string text(digits);
  text += 'e';
  text += std::to_string(exponent);
  Double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (magnitude > 0) Raise(kErrOverflow);
    return 0.0;
  }
  return value;
}

}  // namespace brixen::rt
