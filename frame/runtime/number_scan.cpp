#include "frame/runtime/number_scan.h"

#include <cstdint>
#include <string>

#include "frame/errors.h"
#include "frame/runtime/ascii.h"
#include "frame/runtime/decimal.h"

namespace brixen::rt {
namespace {

// Exponents are clamped here: anything beyond is already out of the Double range.
constexpr long long kExponentLimit = 100000;

class Cursor {
 public:
  Cursor(StringView text, InnerBlanks blanks) : text_(text), blanks_(blanks) {}

  char16_t Peek() {
    if (blanks_ == InnerBlanks::kSkip)
      while (pos_ < text_.size() && IsValBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : u'\0';
  }
  bool Accept(char16_t upper) {
    if (ToUpperAscii(Peek()) != upper) return false;
    ++pos_;
    return true;
  }
  void Advance() { ++pos_; }
  std::size_t position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  StringView text_;
  InnerBlanks blanks_;
  std::size_t pos_ = 0;
};

int RadixDigitValue(char16_t c, int radix) {
  const char16_t upper = ToUpperAscii(c);
  int value = radix;  // "not a digit"
  if (IsDigit(upper)) value = DigitValue(upper);
  if (upper >= u'A' && upper <= u'F') value = upper - u'A' + 10;
  return value < radix ? value : -1;
}

// 16-bit values read as Integer, wider ones up to 32 bits as Long.
Double SignedFromRadixValue(std::uint64_t value) {
  if (value <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  if (value <= 0xFFFFFFFFu) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  Raise(kErrOverflow);
}

// After the "&": "H" hexadecimal, "O" or nothing octal.
ScannedNumber ScanRadixInteger(Cursor& cursor) {
  int radix = 8;
  if (cursor.Accept(u'H')) radix = 16;
  else cursor.Accept(u'O');
  std::uint64_t value = 0;
  ScannedNumber number;
  for (int digit; (digit = RadixDigitValue(cursor.Peek(), radix)) >= 0; cursor.Advance()) {
    value = value * radix + digit;
    if (value > 0xFFFFFFFFu) Raise(kErrOverflow);
    number.has_digits = true;
  }
  number.value = SignedFromRadixValue(value);
  number.end = cursor.position();
  return number;
}

// Optional exponent after the mantissa: "E" or "D", optional sign, digits. Without
// digits, nothing of it is taken.
long long ScanExponent(Cursor& cursor) {
  const std::size_t start = cursor.position();
  if (!cursor.Accept(u'E') && !cursor.Accept(u'D')) return 0;
  const bool negative = cursor.Accept(u'-');
  if (!negative) cursor.Accept(u'+');
  if (!IsDigit(cursor.Peek())) {
    cursor.Rewind(start);
    return 0;
  }
  long long exponent = 0;
  for (; IsDigit(cursor.Peek()); cursor.Advance())
    if (exponent < kExponentLimit) exponent = exponent * 10 + DigitValue(cursor.Peek());
  return negative ? -exponent : exponent;
}

ScannedNumber ScanDecimal(Cursor& cursor) {
  const bool negative = cursor.Accept(u'-');
  if (!negative) cursor.Accept(u'+');
  std::string digits;
  long long fraction_count = 0;
  const auto take_digits = [&] {
    long long count = 0;
    for (; IsDigit(cursor.Peek()); cursor.Advance(), ++count)
      digits.push_back(static_cast<char>(cursor.Peek()));
    return count;
  };
  take_digits();
  if (cursor.Accept(u'.')) fraction_count = take_digits();
  ScannedNumber number;
  if (digits.empty()) return number;
  number.has_digits = true;
  const long long exponent = ScanExponent(cursor);
  number.end = cursor.position();
  const Double magnitude = ComposeDouble(digits, exponent - fraction_count);
  number.value = (negative && magnitude != 0) ? -magnitude : magnitude;
  return number;
}

}  // namespace

ScannedNumber ScanNumber(StringView text, InnerBlanks blanks) {
  Cursor cursor(text, blanks);
  if (cursor.Accept(u'&')) return ScanRadixInteger(cursor);
  return ScanDecimal(cursor);
}

}  // namespace brixen::rt
