#include "strings/digit_text.h"

#include <algorithm>
#include <cstdint>

#include "frame/errors.h"
#include "frame/runtime/hex.h"
#include "frame/runtime/text.h"
#include "frame/runtime/val.h"

namespace brixen::str {
namespace {

constexpr std::size_t kBitsPerDigit = 4;
constexpr StringView kHexDigits = u"0123456789ABCDEF";

// The hexadecimal digit of four binary digits, or nothing.
String HexDigitOfGroup(StringView group) {
  if (group.size() != kBitsPerDigit) return {};
  unsigned value = 0;
  for (char16_t c : group) {
    if (c != u'0' && c != u'1') return {};
    value = value * 2 + (c == u'1');
  }
  return String(1, kHexDigits[value]);
}

String PadWithZeros(const String& digits, Long width) {
  if (width > rt::kMaxTextLength) Raise(kErrOutOfMemory);  // no text can be that long
  const std::int64_t missing = std::int64_t{width} - static_cast<std::int64_t>(digits.size());
  return rt::StringOf(static_cast<Long>(std::max<std::int64_t>(missing, 0)), u'0') + digits;
}

}  // namespace

String Convert2To16(StringView bits) {
  String hex;
  for (std::size_t start = 0; start < bits.size(); start += kBitsPerDigit)
    hex += HexDigitOfGroup(bits.substr(start, kBitsPerDigit));
  return hex;
}

// A character is a digit when it is "0" or when "&H" followed by it reads as a number that
// is not zero, the way the run-time's Val reads it.
bool IsHex(StringView text) {
  return std::all_of(text.begin(), text.end(),
                     [](char16_t c) { return c == u'0' || rt::Val(String(u"&H") + c) != 0; });
}

Byte ParseByteBit(StringView bits) {
  constexpr std::size_t kByteBits = 8;
  unsigned value = 0;
  for (std::size_t index = 0; index < bits.size(); ++index) {
    if (bits[bits.size() - 1 - index] != u'1') continue;
    if (index >= kByteBits) Raise(kErrOverflow);
    value |= 1u << index;
  }
  return static_cast<Byte>(value);
}

String Fmt16(Byte value) { return PadWithZeros(rt::Hex(value), 2); }

String Fmt16Ex(Integer value, Long width) { return PadWithZeros(rt::Hex(value), width); }

String Fmt16Ex2(Long value, Long width) { return PadWithZeros(rt::Hex(value), width); }

}  // namespace brixen::str
